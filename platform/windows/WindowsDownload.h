#pragma once

#include "platform/Download.h"

namespace platform::windows_backend {

// A GET with the Internet functions (WinInet) on a worker thread, into a
// file of its own beside the target, moved over it only on success, so a
// failed download leaves the old file as it was; the cached copy is removed
// with DeleteUrlCacheEntryA, and the fetch neither reads nor fills the cache.
// The bounds of platform/Download.h hold: the worker stops a page beyond the
// size limit and refuses a redirect it may not follow, the file's size is
// checked again before it is handed over, and the calling thread gives up at
// the time limit while it keeps the windows painted.
class WindowsDownload : public Download {
public:
    void removeCachedCopy(const std::string& url) override;
    bool toFile(const std::string& url, const std::string& localPath) override;
};

}  // namespace platform::windows_backend
