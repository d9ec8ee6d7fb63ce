#include "platform/linux/TrustedFolder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

namespace platform::linux_backend {

namespace {

// Why the folder open at `fd` is not one to trust; empty when it is.
std::string folderProblem(int fd, const std::string& shown) {
    struct stat st {};
    if (fstat(fd, &st) != 0 || !S_ISDIR(st.st_mode)) return shown + " is not a folder";
    if (st.st_uid != 0 && st.st_uid != geteuid()) return shown + " belongs to another user";
    if ((st.st_mode & (S_IWGRP | S_IWOTH)) != 0 && !((st.st_mode & S_ISVTX) != 0 && st.st_uid == 0))
        return shown + " may be written by other users";
    return {};
}

}  // namespace

int openTrustedFolder(const std::string& path, std::string& why) {
    char resolved[PATH_MAX];
    if (path.empty() || path[0] != '/' || realpath(path.c_str(), resolved) == nullptr) {
        why = "the folder " + path + " cannot be found" + (path.empty() || path[0] == '/' ? "" : " (not a full path)");
        return -1;
    }
    int fd = open("/", O_PATH | O_DIRECTORY | O_CLOEXEC);
    std::string walked;
    for (const char* at = resolved;;) {
        std::string problem = fd < 0 ? "the folder / cannot be opened" : folderProblem(fd, walked.empty() ? "/" : walked);
        if (!problem.empty()) {
            if (fd >= 0) close(fd);
            why = "the folder " + problem;
            return -1;
        }
        while (*at == '/') ++at;
        if (*at == '\0') return fd;
        const char* end = std::strchr(at, '/');
        std::string name = end ? std::string(at, end) : std::string(at);
        at += name.size();
        walked += "/" + name;
        int next = openat(fd, name.c_str(), O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        close(fd);
        fd = next;
    }
}

bool trustedFolder(const std::string& path) {
    std::string why;
    int fd = openTrustedFolder(path, why);
    if (fd < 0) return false;
    close(fd);
    return true;
}

bool ownPrivateFolder(const std::string& path) {
    struct stat st {};
    return lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == geteuid() &&
           (st.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

}  // namespace platform::linux_backend
