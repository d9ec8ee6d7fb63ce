// The pages' folder. A page is opened relative to the folder, without
// following a link and without waiting (a FIFO or device never blocks the
// server), and is served only when it is a regular file.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace webserver {

struct SiteFile {
    int fd = -1;  // the caller owns it
    std::uint64_t size = 0;
};

class SiteFolder {
public:
    SiteFolder() = default;
    ~SiteFolder();
    SiteFolder(const SiteFolder&) = delete;
    SiteFolder& operator=(const SiteFolder&) = delete;

    // Empty on success, else why the folder cannot be used.
    std::string open(const std::string& path);
    // A plain file name (see siteFileName); nothing for a missing file, a
    // link, a folder, a FIFO, a device or a socket.
    std::optional<SiteFile> openFile(const std::string& name) const;

private:
    int fd_ = -1;
};

}  // namespace webserver
