// Small file helpers for /proc, /sys and /run; failures are empty values.
#pragma once

#include <ctime>
#include <optional>
#include <string>
#include <vector>

namespace standins {

std::optional<std::string> readFile(const std::string& path);
bool exists(const std::string& path);
std::optional<std::time_t> modifiedTime(const std::string& path);
// The path with every link followed; empty when it does not lead anywhere.
std::string realPath(const std::string& path);
// NUL-separated fields (a /proc cmdline).
std::vector<std::string> splitNul(const std::string& text);
// A program's full path from PATH (and the sbin folders); empty when missing.
std::string findProgram(const std::string& name);
// True when the whole text was written to the file (created or replaced).
bool writeFile(const std::string& path, const std::string& text);
// Writes the whole text to an open descriptor, going on after interruptions;
// false when a write fails.
bool writeAll(int fd, const std::string& text);

}  // namespace standins
