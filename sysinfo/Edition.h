// The running Windows edition as text, from the platform's version record.
#pragma once

#include <optional>
#include <string>

#include "platform/Platform.h"

namespace sysinfo {

struct Edition {
    std::string text;                          // edition text
    std::optional<std::string> marker;         // "xp" or "vista" when set (main program)
    std::optional<std::string> versionDetail;  // ", SP (vM.m Build B)" (main program)
    std::optional<std::string> verser;         // version line (address monitor)
};

// Single-line layout of the main program; sets marker and version detail.
Edition mainEdition(platform::Platform& p);
// Two-line layout of the address monitor; sets the version line.
Edition monitorEdition(platform::Platform& p);

}  // namespace sysinfo
