// Where the manufacturer's data comes from: the system's oeminfo.ini in the
// Windows folder, or else what the platform presents in its place.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/Platform.h"

namespace shortcuts {

std::string manufacturerFilePath(const std::string& windir);  // W\system32\oeminfo.ini
std::string manufacturerLogoPath(const std::string& windir);  // W\system32\oemlogo.bmp

// The file's lines, or the platform's stand-in lines; nothing when neither exists.
std::optional<std::vector<std::string>> manufacturerLines(platform::Platform& p, const std::string& windir);
bool manufacturerDataExists(platform::Platform& p, const std::string& windir);

}  // namespace shortcuts
