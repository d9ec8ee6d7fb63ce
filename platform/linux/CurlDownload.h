#pragma once

#include "platform/Download.h"

namespace platform::linux_backend {

// HTTP GET with libcurl within the bounds of platform/Download.h: redirects
// followed one by one and each checked, an HTTP error status is a failure, a
// page beyond the size limit stops the transfer, bounded connect and total
// time. The body goes to a temporary file beside the target, renamed over
// it only when complete.
class CurlDownload : public Download {
public:
    explicit CurlDownload(long connectTimeoutSeconds = kConnectTimeoutSeconds,
                          long totalTimeoutSeconds = kFetchTimeoutSeconds)
        : connectTimeout_(connectTimeoutSeconds), totalTimeout_(totalTimeoutSeconds) {}
    void removeCachedCopy(const std::string&) override {}  // libcurl keeps no cache
    bool toFile(const std::string& url, const std::string& localPath) override;

private:
    int perform(void* curl);  // a CURLcode
    long connectTimeout_;
    long totalTimeout_;
};

}  // namespace platform::linux_backend
