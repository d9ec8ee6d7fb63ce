// The host facts as printable lines, for the command-line diagnosis.
#pragma once

#include <string>
#include <vector>

#include "platform/Platform.h"

namespace sysinfo {

struct HostReport {
    std::string computerName;
    std::string lanGroup;
    std::string groupKind;
    std::string userName;
    std::string operatingSystem;  // caption with version detail, else the edition text
    std::string memory;
    std::vector<std::string> privateAddresses;
};

// Reads every fact anew; the computer name is COMPUTERNAME.
HostReport gatherHostReport(platform::Platform& p);

// "Computer name: ", "Domain/Workgroup: " (group and kind in parentheses),
// "Username: ", "Operating System: ", "Memory: ", "Private IP: " (joined by
// " / "); lines end in LF.
std::string formatHostReport(const HostReport& report);

}  // namespace sysinfo
