// The machine's network adapters and their first IPv4 address.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace platform::linux_backend {

// One dotted address per interface in interface-index order, loopback left
// out; "0.0.0.0" for an interface without an IPv4 address. Nothing when the
// system will not list its interfaces.
std::optional<std::vector<std::string>> firstAddressOfEachAdapter();

}  // namespace platform::linux_backend
