// /release and /renew: each matching adapter through the DHCP client that
// owns it.
#pragma once

#include <ostream>
#include <string>

namespace standins {

enum class DhcpAction { Release, Renew };

// Prints one line per adapter acted on (or why not); returns the exit
// status: 0 when every matching DHCP adapter was done, 1 otherwise.
int runDhcpAction(DhcpAction action, const std::string& pattern, std::ostream& out);

}  // namespace standins
