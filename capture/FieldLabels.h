// The labels the adapter table stores in front of its values (fields 1 to
// 13), as the parser writes them and the reports carry them.
#pragma once

#include <array>
#include <string_view>

namespace capture {

inline constexpr int kLabelledFields = 14;  // field 0 (the header) has no label
inline constexpr std::array<std::string_view, kLabelledFields> kFieldLabels{
    "",                  "Name:",          "IP Address:",   "Mac Address:",  "Dhcp Enabled:",
    "Autocfg. Enabled:", "Subnet Mask:",   "Default Gateway:", "DHCP Server:", "Lease Obtained:",
    "Lease Expires:",    "DNS Server 1:",  "DNS Server 2:", "Media State:"};

}  // namespace capture
