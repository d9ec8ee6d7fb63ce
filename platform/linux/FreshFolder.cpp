#include "platform/linux/FreshFolder.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "platform/linux/TrustedFolder.h"

namespace platform::linux_backend {

std::optional<FreshFolder> FreshFolder::make(const std::string& parent, const std::string& prefix,
                                             std::string& error) {
    struct stat st {};
    if (stat(parent.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
        error = "the folder " + parent + " does not exist";
        return std::nullopt;
    }
    // Whoever owns a folder on the way, or may write into one without a
    // sticky bit of root's, could rename the new folder away and put their
    // own in its place.
    int checked = openTrustedFolder(parent, error);
    if (checked < 0) return std::nullopt;
    close(checked);
    std::vector<char> name(parent.begin(), parent.end());
    if (name.empty() || name.back() != '/') name.push_back('/');
    name.insert(name.end(), prefix.begin(), prefix.end());
    for (const char* x = "XXXXXX"; *x; ++x) name.push_back(*x);
    name.push_back('\0');
    if (!mkdtemp(name.data())) {
        error = "a folder cannot be made in " + parent + ": " + std::strerror(errno);
        return std::nullopt;
    }
    int fd = open(name.data(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    FreshFolder folder(name.data(), fd);
    if (fd < 0 || fstat(fd, &st) != 0 || st.st_uid != geteuid() || (st.st_mode & 077) != 0) {
        error = "the new folder " + folder.path_ + " is not private";
        return std::nullopt;  // removes what can be removed
    }
    return folder;
}

FreshFolder::FreshFolder(FreshFolder&& other) noexcept : path_(std::move(other.path_)), fd_(other.fd_) {
    other.fd_ = -1;
    other.path_.clear();
}

void FreshFolder::removeNow() {
    if (path_.empty()) return;
    if (fd_ >= 0) {
        // Unlinking while reading may skip names: read again until empty.
        for (int round = 0; round < 4; ++round) {
            lseek(fd_, 0, SEEK_SET);
            alignas(8) char buf[4096];
            bool removed = false;
            long n;
            while ((n = syscall(SYS_getdents64, fd_, buf, sizeof buf)) > 0) {
                for (long at = 0; at < n;) {
                    auto* entry = reinterpret_cast<struct dirent64*>(buf + at);
                    at += entry->d_reclen;
                    const char* nm = entry->d_name;
                    if (nm[0] == '.' && (nm[1] == '\0' || (nm[1] == '.' && nm[2] == '\0'))) continue;
                    if (unlinkat(fd_, nm, 0) == 0 || unlinkat(fd_, nm, AT_REMOVEDIR) == 0) removed = true;
                }
            }
            if (!removed) break;
        }
        close(fd_);
        fd_ = -1;
    }
    rmdir(path_.c_str());
    path_.clear();
}

}  // namespace platform::linux_backend
