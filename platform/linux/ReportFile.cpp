#include "platform/linux/ReportFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace platform::linux_backend {

namespace {

std::string notRegular(mode_t mode) {
    if (S_ISDIR(mode)) return "it is a folder";
    const char* kind = S_ISFIFO(mode)  ? "a FIFO"
                       : S_ISCHR(mode) ? "a character device"
                       : S_ISBLK(mode) ? "a block device"
                       : S_ISSOCK(mode) ? "a socket"
                                        : "no regular file";
    return std::string("it is not a regular file but ") + kind;
}

std::string tooLarge(std::size_t limit) {
    return "it is larger than " + std::to_string(limit / (1024 * 1024)) + " MiB, more than any report";
}

// Reads until the end or one byte past the limit.
ReportFileRead readBounded(int fd, std::size_t limit, std::size_t expected) {
    std::string bytes;
    bytes.resize(std::min(expected, limit) + 1);
    std::size_t have = 0;
    while (true) {
        if (have == bytes.size()) {
            if (have > limit) return {std::nullopt, tooLarge(limit)};
            bytes.resize(std::min(limit + 1, std::max<std::size_t>(bytes.size() * 2, 65536)));
        }
        ssize_t n = read(fd, bytes.data() + have, bytes.size() - have);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return {std::nullopt, std::string("it cannot be read: ") + std::strerror(errno)};
        if (n == 0) break;
        have += static_cast<std::size_t>(n);
    }
    if (have > limit) return {std::nullopt, tooLarge(limit)};
    bytes.resize(have);
    return {std::move(bytes), {}};
}

}  // namespace

ReportFileRead readReportFile(const std::string& path, std::size_t limit) {
    // Look before opening: opening a FIFO waits for a writer, and opening a
    // device may act on it.
    struct stat before {};
    if (stat(path.c_str(), &before) != 0) return {std::nullopt, std::strerror(errno)};
    if (!S_ISREG(before.st_mode)) return {std::nullopt, notRegular(before.st_mode)};
    if (static_cast<std::size_t>(before.st_size) > limit) return {std::nullopt, tooLarge(limit)};
    // O_NONBLOCK: should it have been swapped for a FIFO since, open still returns at once.
    int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return {std::nullopt, std::strerror(errno)};
    struct stat opened {};
    ReportFileRead result;
    if (fstat(fd, &opened) != 0) result.refusal = std::strerror(errno);
    else if (!S_ISREG(opened.st_mode)) result.refusal = notRegular(opened.st_mode);
    else result = readBounded(fd, limit, static_cast<std::size_t>(opened.st_size));
    close(fd);
    return result;
}

ReportFileRead readReportStream(int fd, std::size_t limit) { return readBounded(fd, limit, 65536); }

}  // namespace platform::linux_backend
