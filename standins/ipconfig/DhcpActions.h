// /release and /renew: each matching adapter through the DHCP client that
// owns it.
#pragma once

#include <ostream>
#include <string>

namespace standins {

enum class DhcpAction { Release, Renew };

// Where the owner needs root, the tool asks for it through pkexec and this
// polkit action, which the package installs for the installed report tool.
inline constexpr const char* kElevationActionId = "net.vorlan.cfgscope.ipconfig.release-renew";
inline constexpr const char* kElevationAction = "Release or renew the network address";

// Prints one line per adapter acted on (or why not); returns the exit
// status: 0 when every matching DHCP adapter was done, 1 otherwise.
int runDhcpAction(DhcpAction action, const std::string& pattern, std::ostream& out);

}  // namespace standins
