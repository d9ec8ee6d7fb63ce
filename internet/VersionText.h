// The update check's texts as plain values: the server's version text, its
// value beside the program's own, and the question that offers a newer one.
#pragma once

#include <string>

#include "ProgramVersion.h"

namespace internet {

inline constexpr int kOwnMajor = program_version::kMajor;
inline constexpr int kOwnMinor = program_version::kMinor;
inline constexpr int kOwnRevision = program_version::kPatch;
inline constexpr const char* kUpdaterTitle = "Lanomat Std Updater";

// "1.3.0"
std::string ownVersionText();
// 1 * 100000 + 3 * 1000 + 0
double ownVersionValue();

// The number at the start of a text, read as the classic Val does: blanks,
// tabs and line feeds skipped anywhere, reading stops at the first
// character that cannot continue the number, no number at all counts 0.
double leadingNumber(const std::string& text);

// The version text's value: split at its first two "." into major, minor
// and revision (the rest, line breaks included); major * 100000 + minor *
// 1000 + revision. A missing part counts 0.
double versionValue(const std::string& versionText);

// The stored what's-new text with each "~" made a line break.
std::string whatsNewWithBreaks(const std::string& whatsNew);

// The question shown when the server has a newer version `versionText`;
// `whatsNew` already has its line breaks. Lines end in LF; the last has none.
std::string updateQuestion(const std::string& versionText, const std::string& whatsNew);

// The box shown when this is the latest version.
std::string latestVersionText();

}  // namespace internet
