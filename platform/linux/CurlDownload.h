#pragma once

#include "platform/Download.h"

namespace platform::linux_backend {

// HTTP GET with libcurl: redirects followed, an HTTP error status is a
// failure, bounded connect and total time. The body goes to a temporary
// file beside the target, renamed over it only when complete.
class CurlDownload : public Download {
public:
    explicit CurlDownload(long connectTimeoutSeconds = 10, long totalTimeoutSeconds = 30)
        : connectTimeout_(connectTimeoutSeconds), totalTimeout_(totalTimeoutSeconds) {}
    void removeCachedCopy(const std::string&) override {}  // libcurl keeps no cache
    bool toFile(const std::string& url, const std::string& localPath) override;

private:
    long connectTimeout_;
    long totalTimeout_;
};

}  // namespace platform::linux_backend
