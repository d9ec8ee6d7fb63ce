// The machine's network adapters and their first IPv4 address.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace platform::linux_backend {

// One dotted address per interface in interface-index order; "0.0.0.0" for
// an interface without an IPv4 address. Loopback is left out, and so are
// interfaces switched off (not up), as Windows leaves out disabled adapters
// and the report tool does not show them; one without carrier is listed.
// Nothing when the system will not list its interfaces.
std::optional<std::vector<std::string>> firstAddressOfEachAdapter();

}  // namespace platform::linux_backend
