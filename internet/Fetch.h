// One page from the web as text: the cached copy dropped, the page stored
// in a local file, read and the file deleted again.
#pragma once

#include <optional>
#include <string>

#include "platform/Platform.h"

namespace internet {

// Nothing when the download fails or the stored file cannot be read.
std::optional<std::string> fetchText(platform::Platform& p, const std::string& url, const std::string& localPath);

}  // namespace internet
