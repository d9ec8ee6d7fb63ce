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
// The program the action lets root run, beside the report tool: it releases
// or renews one adapter named in full, nothing else.
inline constexpr const char* kElevationHelper = "release-renew";

// Prints one line per adapter acted on (or why not); returns the exit
// status: 0 when every matching DHCP adapter was done, 1 otherwise.
int runDhcpAction(DhcpAction action, const std::string& pattern, std::ostream& out);

// The action on the one adapter whose interface name is `name`, exactly (no
// pattern), through its owner and without asking for root; the elevation
// helper's work. Its line is printed; 0 when done, 1 otherwise.
int runDhcpActionOn(DhcpAction action, const std::string& name, std::ostream& out);

}  // namespace standins
