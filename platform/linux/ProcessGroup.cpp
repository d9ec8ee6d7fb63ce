#include "platform/linux/ProcessGroup.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <thread>

namespace platform::linux_backend {

bool ProcessGroup::start(const std::vector<std::string>& argv) {
    if (argv.empty() || pid_ > 0) return false;
    std::vector<char*> args;
    for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    int report[2];
    if (pipe2(report, O_CLOEXEC) != 0) return false;
    pid_t child = fork();
    if (child < 0) {
        close(report[0]);
        close(report[1]);
        return false;
    }
    if (child == 0) {
        setpgid(0, 0);
        sigset_t none;
        sigemptyset(&none);
        sigprocmask(SIG_SETMASK, &none, nullptr);
        int null = open("/dev/null", O_RDWR);
        if (null >= 0) {
            dup2(null, 0);
            dup2(null, 1);
            dup2(null, 2);
            if (null > 2) close(null);
        }
        execvp(args[0], args.data());
        int err = errno;
        ssize_t ignored = write(report[1], &err, sizeof err);
        (void)ignored;
        _exit(127);
    }
    // Set from both sides, so the group exists before either goes on.
    setpgid(child, child);
    close(report[1]);
    int err = 0;
    ssize_t n;
    do {
        n = read(report[0], &err, sizeof err);
    } while (n < 0 && errno == EINTR);
    close(report[0]);
    pid_ = child;
    if (n > 0) {  // exec failed
        stop();
        return false;
    }
    return true;
}

void ProcessGroup::killNow() const {
    if (pid_ > 0) kill(-pid_, SIGKILL);
}

void ProcessGroup::stop() {
    const pid_t pid = pid_;
    if (pid <= 0) return;
    kill(-pid, SIGTERM);
    // The program is not reaped until the group has been killed: while it
    // is a zombie, no other process can take its number.
    for (int i = 0; i < 50; ++i) {
        siginfo_t info{};
        if (waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOHANG | WNOWAIT) == 0 && info.si_pid == pid) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    // What is left of the group, the program's own children included.
    kill(-pid, SIGKILL);
    pid_ = 0;
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
}

}  // namespace platform::linux_backend
