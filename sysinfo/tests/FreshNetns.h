// Test helper: runs a check in a child process inside a fresh network
// namespace set up with `ip` commands. The namespace belongs to the child and
// vanishes with it, so nothing is left behind even when a step fails.
#pragma once

#include <fcntl.h>
#include <sched.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

extern char** environ;

namespace netns {

// Runs a program without a shell; its standard output goes to `out` when
// given, else to /dev/null. True when it exits with 0.
inline bool run(std::vector<std::string> args, std::string* out = nullptr) {
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    int fds[2] = {-1, -1};
    if (out && pipe(fds) != 0) return false;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (out) {
        posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, fds[0]);
    } else {
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    }
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    int rc = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (out) {
        close(fds[1]);
        char buffer[4096];
        for (ssize_t n; rc == 0 && (n = read(fds[0], buffer, sizeof buffer)) > 0;)
            out->append(buffer, static_cast<std::size_t>(n));
        close(fds[0]);
    }
    if (rc != 0) return false;
    int status = 0;
    return waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

inline bool canMakeNamespaces() { return geteuid() == 0 && run({"ip", "-V"}); }

// In a child in a fresh network namespace: runs each `ip` command (those
// starting with '-' may fail), then writes `check()`'s text to a pipe. The
// text, or "SETUP FAILED: ..." when a command failed.
template <typename Check>
std::string inFreshNamespace(const std::vector<std::vector<std::string>>& ipCommands, Check check) {
    int fds[2];
    if (pipe(fds) != 0) return "SETUP FAILED: pipe";
    pid_t child = fork();
    if (child == 0) {
        close(fds[0]);
        std::string out;
        if (unshare(CLONE_NEWNET) != 0) {
            out = "SETUP FAILED: unshare";
        } else {
            for (auto command : ipCommands) {
                bool optional = command.front() == "-";
                if (optional) command.erase(command.begin());
                command.insert(command.begin(), "ip");
                if (!run(command) && !optional) {
                    out = "SETUP FAILED:";
                    for (const auto& a : command) out += " " + a;
                    break;
                }
            }
            if (out.empty()) out = check();
        }
        (void)!write(fds[1], out.data(), out.size());
        _exit(0);
    }
    close(fds[1]);
    std::string text;
    char buffer[4096];
    for (ssize_t n; (n = read(fds[0], buffer, sizeof buffer)) > 0;) text.append(buffer, static_cast<std::size_t>(n));
    close(fds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    return text;
}

}  // namespace netns
