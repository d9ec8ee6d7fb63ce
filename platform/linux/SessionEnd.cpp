#include "platform/linux/SessionEnd.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <thread>

namespace platform::linux_backend {

std::vector<std::vector<std::string>> sessionEndCommands(SessionEndChoice choice) {
    if (choice == SessionEndChoice::Cancel) return {};
    const bool restart = choice == SessionEndChoice::Restart;
    return {{"systemctl", restart ? "reboot" : "poweroff"},
            {"dbus-send", "--system", "--print-reply", "--dest=org.freedesktop.login1", "/org/freedesktop/login1",
             restart ? "org.freedesktop.login1.Manager.Reboot" : "org.freedesktop.login1.Manager.PowerOff",
             "boolean:true"}};
}

bool runToCompletion(const std::vector<std::string>& argv, int timeoutMs) {
    if (argv.empty()) return false;
    pid_t child = fork();
    if (child < 0) return false;
    if (child == 0) {
        int null = open("/dev/null", O_RDWR);
        if (null >= 0) {
            dup2(null, 0);
            dup2(null, 1);
            dup2(null, 2);
        }
        std::vector<char*> args;
        for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        execvp(args[0], args.data());
        _exit(127);
    }
    const timespec step{0, 10 * 1000 * 1000};
    for (int waited = 0; waited <= timeoutMs; waited += 10) {
        int status = 0;
        pid_t done = waitpid(child, &status, WNOHANG);
        if (done == child) return WIFEXITED(status) && WEXITSTATUS(status) == 0;
        if (done < 0 && errno != EINTR) return false;
        nanosleep(&step, nullptr);
    }
    // Still running (an authentication prompt, or the shutdown under way):
    // it finishes on its own, and a thread of its own reaps it then.
    std::thread([child] {
        int status = 0;
        while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
        }
    }).detach();
    return true;
}

bool SessionEnd::confirmAndEnd() const {
    if (!ask) return false;
    auto choice = ask();
    if (!choice) return false;
    if (*choice == SessionEndChoice::Cancel) return true;
    for (const auto& command : sessionEndCommands(*choice))
        if (run && run(command)) return true;
    if (tell) tell(kSessionEndFailed);
    return true;
}

}  // namespace platform::linux_backend
