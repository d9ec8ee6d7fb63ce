#include "standins/common/Exec.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/linux/ExecReport.h"
#include "standins/common/Files.h"

namespace standins {

namespace {

long long nowMs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1000LL + ts.tv_nsec / 1000000;
}

int exitCodeOf(int status) {
    if (WIFEXITED(status)) return WEXITSTATUS(status);
    if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
    return -1;
}

// Forks and execs; the child reports an exec failure through `report`.
pid_t forkExec(const std::vector<std::string>& argv, int outFd, int errFd, int report[2], bool inNull,
               bool ownGroup = false) {
    const std::vector<char*> args = platform::linux_backend::execArgs(argv);
    pid_t pid = fork();
    if (pid == 0) {
        if (ownGroup) setpgid(0, 0);
        if (inNull) {
            int null = open("/dev/null", O_RDONLY);
            if (null >= 0) dup2(null, 0);
        }
        if (outFd >= 0 && outFd != 1) dup2(outFd, 1);
        if (errFd >= 0 && errFd != 2) dup2(errFd, 2);
        signal(SIGINT, SIG_DFL);
        platform::linux_backend::execOrReport(args, report[1], false);
    }
    return pid;
}

// After the fork: did exec succeed? Sets `error` when not.
bool execSucceeded(int report[2], const std::string& program, std::string& error) {
    const int err = platform::linux_backend::execFailure(report);
    if (err) error = "cannot run " + program + ": " + std::strerror(err);
    return err == 0;
}

}  // namespace

ExecResult runProgram(const std::vector<std::string>& argvIn, int timeoutMs, bool capture, bool keepInput) {
    ExecResult r;
    if (argvIn.empty()) return r;
    std::vector<std::string> argv = argvIn;
    argv[0] = findProgram(argvIn[0]);
    if (argv[0].empty()) {
        r.error = argvIn[0] + " is not installed";
        return r;
    }
    int out[2] = {-1, -1};
    int report[2];
    if (pipe2(report, O_CLOEXEC) != 0 || (capture && pipe2(out, O_CLOEXEC) != 0)) {
        r.error = std::string("cannot start ") + argvIn[0] + ": " + std::strerror(errno);
        return r;
    }
    pid_t pid = forkExec(argv, capture ? out[1] : -1, capture ? out[1] : -1, report, !keepInput, !keepInput);
    if (pid > 0 && !keepInput) setpgid(pid, pid);  // before any kill below, whoever runs first
    if (capture) close(out[1]);
    if (pid < 0) {
        r.error = std::string("cannot start ") + argvIn[0] + ": " + std::strerror(errno);
        close(report[0]);
        close(report[1]);
        if (capture) close(out[0]);
        return r;
    }
    r.started = execSucceeded(report, argvIn[0], r.error);
    long long deadline = nowMs() + timeoutMs;
    int status = 0;
    bool reaped = false;
    bool outOpen = capture;
    while (true) {
        if (outOpen) {
            long long left = deadline - nowMs();
            pollfd p{out[0], POLLIN, 0};
            int ready = poll(&p, 1, static_cast<int>(left < 0 ? 0 : left > 50 ? 50 : left));
            if (ready > 0) {
                char buf[4096];
                ssize_t n = read(out[0], buf, sizeof buf);
                if (n > 0) r.output.append(buf, static_cast<std::size_t>(n));
                else if (n == 0) outOpen = false;
            }
        }
        pid_t w = waitpid(pid, &status, WNOHANG);
        if (w == pid) reaped = true;
        if (reaped && outOpen) {
            // A daemon it left behind may keep the pipe open: take what is
            // there and stop reading.
            pollfd p{out[0], POLLIN, 0};
            char buf[4096];
            ssize_t n;
            while (poll(&p, 1, 20) > 0 && (n = read(out[0], buf, sizeof buf)) > 0)
                r.output.append(buf, static_cast<std::size_t>(n));
            outOpen = false;
        }
        if (reaped) break;
        if (nowMs() >= deadline) {
            r.timedOut = !reaped;
            break;
        }
        if (!outOpen && !reaped) {
            timespec pause{0, 5 * 1000000};
            nanosleep(&pause, nullptr);
        }
    }
    if (!reaped) {
        // The whole group: a client's script or a child it forked goes too.
        pid_t target = keepInput ? pid : -pid;
        kill(target, SIGTERM);
        for (int i = 0; i < 20 && waitpid(pid, &status, WNOHANG) == 0; ++i) {
            timespec pause{0, 10 * 1000000};
            nanosleep(&pause, nullptr);
        }
        kill(target, SIGKILL);
        waitpid(pid, &status, 0);
    }
    if (capture) close(out[0]);
    r.exitCode = exitCodeOf(status);
    return r;
}

int runForeground(const std::vector<std::string>& argvIn, int outFd, std::string& error) {
    if (argvIn.empty()) return -1;
    std::vector<std::string> argv = argvIn;
    argv[0] = findProgram(argvIn[0]);
    if (argv[0].empty()) {
        error = argvIn[0] + ": command not found";
        return -1;
    }
    int report[2];
    if (pipe2(report, O_CLOEXEC) != 0) {
        error = std::string("cannot start ") + argvIn[0] + ": " + std::strerror(errno);
        return -1;
    }
    pid_t pid = forkExec(argv, outFd, -1, report, false);
    if (pid < 0) {
        close(report[0]);
        close(report[1]);
        error = std::string("cannot start ") + argvIn[0] + ": " + std::strerror(errno);
        return -1;
    }
    bool ok = execSucceeded(report, argvIn[0], error);
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return ok ? exitCodeOf(status) : -1;
}

}  // namespace standins
