#pragma once

#include <array>
#include <string>

namespace app {

// Display texts per adapter: row = adapter number (0-10), field 0-20.
inline constexpr int kAdapterRows = 11;
inline constexpr int kAdapterFields = 21;
using AdapterTable = std::array<std::array<std::string, kAdapterFields>, kAdapterRows>;

}  // namespace app
