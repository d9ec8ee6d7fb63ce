// Small text and file helpers of the Linux backend's system queries.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform::linux_backend {

// ASCII upper case.
std::string upper(std::string text);
// Blanks, tabs and CRs removed at both ends.
std::string trim(std::string_view text);
// A whole (small) file; nothing when it cannot be read.
std::optional<std::string> readTextFile(const char* path);
// "dc1.corp.example.com" -> "DC1", as Windows names a computer.
std::string upperShortName(const std::string& host);

}  // namespace platform::linux_backend
