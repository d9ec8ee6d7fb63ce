// The decision table of the edition text, over a version record value.
#pragma once

#include <string>

#include "platform/SystemQueries.h"
#include "sysinfo/Edition.h"

namespace sysinfo {

// Single line: the main program (sets marker and version detail).
// Two lines: the address monitor (sets the version line).
enum class Layout { SingleLine, TwoLine };

// Which of the two XP edition files exist under the system folder.
struct XpEditionFiles {
    bool mediaCenter = false;
    bool professional = false;
};

// The files that tell XP editions apart; `systemRoot` may be empty.
std::string mediaCenterFile(const std::string& systemRoot);
std::string professionalFile(const std::string& systemRoot);
// True for XP (NT family 5.1), the only version whose edition needs the files.
bool needsXpEditionFiles(const platform::VersionRecord& record);

// `extended`: the record came from the extended (156-byte) query, so its
// product type counts.
Edition composeEdition(Layout layout, const platform::VersionRecord& record, bool extended,
                       const XpEditionFiles& files);
// Both queries failed.
Edition unknownEdition(Layout layout);

}  // namespace sysinfo
