// The two sides of starting a program by fork and exec, with the exec's
// failure told to the parent: the child writes errno into a close-on-exec
// pipe, which closes unwritten when the exec succeeds.
#pragma once

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <vector>

namespace platform::linux_backend {

// argv as exec takes it, made before the fork.
inline std::vector<char*> execArgs(const std::vector<std::string>& argv) {
    std::vector<char*> args;
    for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    return args;
}

// Makes the report pipe and forks: 0 in the child, the child's id in the
// parent, or -1 (the pipe closed again) when either fails.
inline pid_t forkWithReport(int report[2]) {
    if (pipe2(report, O_CLOEXEC) != 0) return -1;
    pid_t child = fork();
    if (child < 0) {
        close(report[0]);
        close(report[1]);
    }
    return child;
}

// In the child: standard input, output and error on /dev/null.
inline void streamsToNull() {
    int null = open("/dev/null", O_RDWR);
    if (null < 0) return;
    for (int fd = 0; fd <= 2; ++fd) dup2(null, fd);
    if (null > 2) close(null);
}

// In the child: runs the program (looked up on PATH with `searchPath`); when
// it cannot, writes errno to `reportFd` and ends with status 127.
[[noreturn]] inline void execOrReport(const std::vector<char*>& args, int reportFd, bool searchPath = true) {
    if (searchPath) execvp(args[0], args.data());
    else execv(args[0], args.data());
    int err = errno;
    ssize_t ignored = write(reportFd, &err, sizeof err);
    (void)ignored;
    _exit(127);
}

// In the parent: closes both ends of the pipe, reading the child's report
// first; 0 when the exec succeeded, else its errno.
inline int execFailure(int report[2]) {
    close(report[1]);
    int err = 0;
    ssize_t n;
    do {
        n = read(report[0], &err, sizeof err);
    } while (n < 0 && errno == EINTR);
    close(report[0]);
    return n > 0 ? err : 0;
}

}  // namespace platform::linux_backend
