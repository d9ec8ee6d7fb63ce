// Fetching a small file over HTTP.
#pragma once

#include <string>

namespace platform {

class Download {
public:
    virtual ~Download() = default;
    // Removes the platform's cached copy of the address, if it keeps one.
    virtual void removeCachedCopy(const std::string& url) = 0;
    // Fetches the address into the local file (created or replaced); false
    // on any failure, the file then left as it was.
    virtual bool toFile(const std::string& url, const std::string& localPath) = 0;
};

}  // namespace platform
