#include "platform/linux/LinuxFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>

#include "platform/linux/NativePath.h"
#include "platform/linux/TrustedFolder.h"
#include "platform/TextLines.h"

namespace fs = std::filesystem;

namespace platform::linux_backend {

bool LinuxFiles::fileExists(const std::string& path) {
    struct stat st {};
    return stat(nativePath(path).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool LinuxFiles::folderExists(const std::string& path) {
    struct stat st {};
    return stat(nativePath(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool LinuxFiles::createFolder(const std::string& path) {
    // Private to the user: the folder holds scripts that are run later.
    return mkdir(nativePath(path).c_str(), 0700) == 0;
}

bool LinuxFiles::privateFolder(const std::string& path) { return ownPrivateFolder(nativePath(path)); }

bool LinuxFiles::deleteFile(const std::string& path) {
    return unlink(nativePath(path).c_str()) == 0;
}

bool LinuxFiles::deleteAllFiles(const std::string& folder) {
    std::error_code ec;
    bool all = true;
    for (const auto& entry : fs::directory_iterator(nativePath(folder), ec)) {
        std::error_code typeEc;
        if (entry.is_directory(typeEc)) continue;
        if (unlink(entry.path().c_str()) != 0) all = false;
    }
    return all && !ec;
}

bool LinuxFiles::removeFolder(const std::string& folder) {
    return rmdir(nativePath(folder).c_str()) == 0;
}

std::optional<std::string> LinuxFiles::readAll(const std::string& path) {
    int fd = open(nativePath(path).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    struct stat st {};
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        close(fd);
        return std::nullopt;
    }
    std::string text;
    char buf[65536];
    while (true) {
        ssize_t n = read(fd, buf, sizeof buf);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            close(fd);
            return std::nullopt;
        }
        if (n == 0) break;
        text.append(buf, static_cast<std::size_t>(n));
    }
    close(fd);
    return text;
}

std::optional<std::vector<std::string>> LinuxFiles::readLines(const std::string& path) {
    auto text = readAll(path);
    if (!text) return std::nullopt;
    return platform::splitLines(*text);
}

bool LinuxFiles::writeLines(const std::string& path, const std::vector<std::string>& lines) {
    // Write beside the target and rename over it, so a reader never sees a
    // half-written script; O_NOFOLLOW keeps a planted link from redirecting it.
    std::string target = nativePath(path);
    std::string temp = target + ".part";
    int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0700);
    if (fd < 0) return false;
    std::string body;
    for (const auto& line : lines) {
        body += line;
        body += "\r\n";
    }
    const char* p = body.data();
    std::size_t left = body.size();
    bool ok = true;
    while (left > 0) {
        ssize_t n = write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            ok = false;
            break;
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    if (close(fd) != 0) ok = false;
    if (ok && rename(temp.c_str(), target.c_str()) != 0) ok = false;
    if (!ok) unlink(temp.c_str());
    return ok;
}

}  // namespace platform::linux_backend
