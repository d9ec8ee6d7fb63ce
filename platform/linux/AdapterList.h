// The machine's network adapters and their first address.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace platform::linux_backend {

// One address per interface that has one, in interface-index order: its
// first IPv4 address (a 169.254 alias beside a real one passed over), else
// its first global IPv6 address. Left out: loopback, interfaces switched
// off (as Windows leaves out disabled adapters), ports of a bond, and
// virtual links without carrier (a bridge without ports, a tun no program
// holds), which the report tool leaves out too. Nothing when the system
// will not list its interfaces.
std::optional<std::vector<std::string>> firstAddressOfEachAdapter();

}  // namespace platform::linux_backend
