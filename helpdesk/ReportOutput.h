// A diagnosed report as the help desk reads it: plain text for people, one
// JSON object a line for programs. Pure.
#pragma once

#include <optional>
#include <string>

#include "helpdesk/SavedReport.h"

namespace helpdesk {

// The line of a Copy All or e-mail report that says what it cannot show.
inline constexpr const char* kNoMediaStateLine =
    "Media State: not in this report (a Copy All report carries none); cable and wireless faults are not diagnosed";

// The host facts the report holds ("Computer name: ", "Domain/Workgroup: ",
// ...; one line each), "Language: de", the media line for a report without
// media state, then the diagnosis with the verdict. Control characters of
// the report are shown as "?".
std::string reportText(const DiagnosedReport& report);

// "Verdict: ..." and "Findings:" with one line a finding ("  kind on
// adapter: text"; "  none" when there is none).
std::string verdictText(const Verdict& verdict);
// The diagnosis text with the verdict between its "Status:" line and its
// "Adapters:" line.
std::string withVerdict(std::string diagnosis, const Verdict& verdict);

// "Report: FILE", the line that heads each report of a batch.
std::string reportHeading(const std::string& file);

// One JSON object and a line feed; `file` is null for this computer.
std::string reportJson(const DiagnosedReport& report, const std::optional<std::string>& file);
// The object for a file that was not diagnosed: file, error, exit status 2.
std::string refusalJson(const std::string& file, const std::string& reason);

// `text` with control characters (but line feeds) as "?": a report must not
// steer the terminal it is shown in. Bytes that are no whole UTF-8 character
// (a damaged report) become U+FFFD, as in the JSON output.
std::string printable(std::string text);
// A file name on one line: line feeds as "?" too.
std::string printableName(const std::string& file);

}  // namespace helpdesk
