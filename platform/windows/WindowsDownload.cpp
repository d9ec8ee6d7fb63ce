#include "platform/windows/WindowsDownload.h"

#include <windows.h>
#include <urlmon.h>
#include <wininet.h>

namespace platform::windows_backend {

void WindowsDownload::removeCachedCopy(const std::string& url) { DeleteUrlCacheEntryA(url.c_str()); }

bool WindowsDownload::toFile(const std::string& url, const std::string& localPath) {
    const std::string partial = localPath + ".part";
    DeleteFileA(partial.c_str());
    if (URLDownloadToFileA(nullptr, url.c_str(), partial.c_str(), 0, nullptr) != S_OK) {
        DeleteFileA(partial.c_str());
        return false;
    }
    if (!MoveFileExA(partial.c_str(), localPath.c_str(), MOVEFILE_REPLACE_EXISTING)) {
        DeleteFileA(partial.c_str());
        return false;
    }
    return true;
}

}  // namespace platform::windows_backend
