#include "internet/Fetch.h"

namespace internet {

std::optional<std::string> fetchText(platform::Platform& p, const std::string& url, const std::string& localPath) {
    p.download.removeCachedCopy(url);
    if (!p.download.toFile(url, localPath)) return std::nullopt;
    auto text = p.files.readAll(localPath);
    p.files.deleteFile(localPath);
    return text;
}

}  // namespace internet
