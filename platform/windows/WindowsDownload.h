#pragma once

#include "platform/Download.h"

namespace platform::windows_backend {

// URLDownloadToFileA into a file beside the target, moved over it only on
// success, so a failed download leaves the old file as it was; the cached
// copy is removed with DeleteUrlCacheEntryA.
class WindowsDownload : public Download {
public:
    void removeCachedCopy(const std::string& url) override;
    bool toFile(const std::string& url, const std::string& localPath) override;
};

}  // namespace platform::windows_backend
