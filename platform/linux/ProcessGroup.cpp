#include "platform/linux/ProcessGroup.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <thread>

#include "platform/linux/ExecReport.h"

namespace platform::linux_backend {

bool ProcessGroup::start(const std::vector<std::string>& argv) {
    if (argv.empty() || pid_ > 0) return false;
    const std::vector<char*> args = execArgs(argv);
    int report[2];
    const pid_t child = forkWithReport(report);
    if (child < 0) return false;
    if (child == 0) {
        setpgid(0, 0);
        sigset_t none;
        sigemptyset(&none);
        sigprocmask(SIG_SETMASK, &none, nullptr);
        streamsToNull();
        execOrReport(args, report[1]);
    }
    // Set from both sides, so the group exists before either goes on.
    setpgid(child, child);
    const int failed = execFailure(report);
    pid_ = child;
    if (failed) {
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
