#include "internet/server/SiteFolder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace webserver {

SiteFolder::~SiteFolder() {
    if (fd_ >= 0) ::close(fd_);
}

std::string SiteFolder::open(const std::string& path) {
    int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return std::strerror(errno);
    if (fd_ >= 0) ::close(fd_);
    fd_ = fd;
    return {};
}

std::optional<SiteFile> SiteFolder::openFile(const std::string& name) const {
    if (fd_ < 0 || name.empty() || name.find('/') != std::string::npos) return std::nullopt;
    int fd = ::openat(fd_, name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return std::nullopt;
    }
    return SiteFile{fd, static_cast<std::uint64_t>(st.st_size)};
}

}  // namespace webserver
