// Facts about the machine and the logged-on user, each as the text a window shows.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "ui/Controls.h"

namespace sysinfo {

// Nothing when the memory size is unknown: the element keeps its text.
std::optional<std::string> memoryText(platform::Platform& p);
// Each management instance's trimmed caption followed by the version detail;
// nothing when there is no instance (the edition text stays).
std::optional<std::string> operatingSystemCaption(platform::Platform& p, const std::string& versionDetail);
std::optional<std::string> cpuName(platform::Platform& p);
std::string userName(platform::Platform& p);
// "Workgroup" or "Domain".
std::string groupKindWord(platform::Platform& p);
// Nothing when the workstation service cannot tell.
std::optional<std::string> lanGroup(platform::Platform& p);
// The first address of each adapter (IPv6 where it has no IPv4 one); empty
// when the adapter list cannot be read.
std::vector<std::string> privateAddresses(platform::Platform& p);
// Empties `list` and adds those addresses.
void collectPrivateAddresses(ui::ListBox& list, platform::Platform& p);

}  // namespace sysinfo
