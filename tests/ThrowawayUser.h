// Test helper: a local user made for one test and removed after it, to play
// another person on this machine (attack tests). Needs root and useradd.
#pragma once

#include <grp.h>
#include <pwd.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>

namespace testing_support {

class ThrowawayUser {
public:
    // The name holds `tag` and this process's id, so parallel runs differ.
    explicit ThrowawayUser(const std::string& tag) : name_("cfgt-" + tag + "-" + std::to_string(getpid())) {
        if (geteuid() != 0 || access("/usr/sbin/useradd", X_OK) != 0) return;
        // Another test may hold the password file's lock for a moment.
        for (int attempt = 0; attempt < 20 && !made_; ++attempt) {
            made_ = shell("/usr/sbin/useradd -M -N -r -s /usr/sbin/nologin " + name_) == 0;
            if (!made_) std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        if (struct passwd* pw = made_ ? getpwnam(name_.c_str()) : nullptr) {
            uid_ = pw->pw_uid;
            gid_ = pw->pw_gid;
        } else {
            made_ = false;
        }
    }
    ~ThrowawayUser() {
        if (!made_) return;
        for (int attempt = 0; attempt < 20 && shell("/usr/sbin/userdel " + name_) != 0; ++attempt)
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    ThrowawayUser(const ThrowawayUser&) = delete;
    ThrowawayUser& operator=(const ThrowawayUser&) = delete;

    bool ok() const { return made_; }
    uid_t uid() const { return uid_; }
    gid_t gid() const { return gid_; }
    const std::string& name() const { return name_; }

    // Becomes this user in a child process (after `prepare`, run there
    // first as root) and returns what `body` returns, or -1 when the child
    // died. `prepare` sets the environment the user would have.
    int runAs(const std::function<int()>& body, const std::function<void()>& prepare = {}) const {
        pid_t child = fork();
        if (child == 0) {
            if (prepare) prepare();
            if (setgroups(0, nullptr) != 0 || setgid(gid_) != 0 || setuid(uid_) != 0) _exit(125);
            _exit(body());
        }
        return waitFor(child);
    }

    // Starts `body` as this user in a child of its own; stop it with stop().
    pid_t startAs(const std::function<void()>& body) const {
        pid_t child = fork();
        if (child == 0) {
            if (setgroups(0, nullptr) != 0 || setgid(gid_) != 0 || setuid(uid_) != 0) _exit(125);
            body();
            _exit(0);
        }
        return child;
    }
    static void stop(pid_t child) {
        if (child <= 0) return;
        kill(child, SIGKILL);
        waitFor(child);
    }

    static int waitFor(pid_t child) {
        int status = 0;
        if (child < 0 || waitpid(child, &status, 0) != child) return -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

private:
    static int shell(const std::string& command) { return std::system((command + " >/dev/null 2>&1").c_str()); }

    std::string name_;
    bool made_ = false;
    uid_t uid_ = 0;
    gid_t gid_ = 0;
};

}  // namespace testing_support
