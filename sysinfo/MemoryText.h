// Installed memory as the text the windows show.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace sysinfo {

// Below 1,000,000,000 bytes: megabytes, snapped to the nominal module size
// when close to one, "###0.0#" + " MB". From there on: gigabytes of
// 1,048,576,000 bytes, "##0.###" + " GB". Below 1 byte: nothing.
std::optional<std::string> formatMemory(std::int64_t totalBytes, const std::string& decimalSeparator);

}  // namespace sysinfo
