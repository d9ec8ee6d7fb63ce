// Readers of the text files that describe this Linux system.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace platform::linux_backend {

// PRETTY_NAME of an os-release file, unquoted; "Linux" when it has none, as
// os-release defines the default.
std::string prettyName(std::string_view osRelease);
// The "model name" of each processor listed in /proc/cpuinfo, in order.
std::vector<std::string> cpuModelNames(std::string_view cpuinfo);

}  // namespace platform::linux_backend
