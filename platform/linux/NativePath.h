#pragma once

#include <string>

namespace platform::linux_backend {

// The programs build Windows-shaped paths ("…\cfgscope\data.txt");
// on Linux the backslash is the folder separator.
std::string nativePath(std::string path);

// Folder that holds this program's executable (from /proc/self/exe).
std::string programFolder();

// Full path of one of the Linux stand-in tools (the script runner, the
// report tool): $CFGSCOPE_STANDINS when set, else beside the program, else
// in ../libexec/cfgscope. Empty when it cannot be found.
std::string standInPath(const std::string& tool);

}  // namespace platform::linux_backend
