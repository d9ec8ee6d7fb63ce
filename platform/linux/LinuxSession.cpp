#include "platform/linux/LinuxSession.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <clocale>
#include <ctime>
#include <thread>

#include "platform/linux/LinuxEnvironment.h"

namespace platform::linux_backend {

LinuxSession::~LinuxSession() {
    if (lockFd_ >= 0) close(lockFd_);
}

namespace {

// The current local time in one of the user's own formats (LC_TIME).
std::string localNow(const char* format) {
    static const bool localeSet = [] {
        std::setlocale(LC_TIME, "");
        return true;
    }();
    (void)localeSet;
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char buf[64];
    std::size_t n = std::strftime(buf, sizeof buf, format, &local);
    return std::string(buf, n);
}

}  // namespace

// "%X" is HH:MM:SS in the C locale.
std::string LinuxSession::timeOfDayText() { return localNow("%X"); }

// "%x" is MM/DD/YY in the C locale.
std::string LinuxSession::dateText() { return localNow("%x"); }

void LinuxSession::sleepMs(int milliseconds) {
    if (milliseconds > 0) std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

bool LinuxSession::otherInstance(const std::string& appId) {
    // A lock held for the life of the process; the kernel drops it on exit.
    // It lives in a folder of the user's own: in a shared TEMP anyone could
    // create and hold it first and so keep the program from starting.
    if (lockFd_ >= 0) return false;
    std::string folder = instanceLockFolder();
    if (folder.empty()) return false;
    std::string path = folder + "/." + appId + ".lock";
    int fd = open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) return false;
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        close(fd);
        return true;
    }
    lockFd_ = fd;
    return false;
}

void LinuxSession::endProgram(int exitCode) {
    std::_Exit(exitCode);
}

}  // namespace platform::linux_backend
