#include "platform/linux/LinuxProcesses.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "platform/linux/CommandWords.h"
#include "platform/linux/NativePath.h"
#include "platform/linux/ShortcutCommands.h"
#include "platform/linux/Terminal.h"
#include "platform/linux/ToolCommands.h"

namespace platform::linux_backend {

namespace {

bool endsWithBat(const std::string& word) {
    if (word.size() < 4) return false;
    return lower(word.substr(word.size() - 4)) == ".bat";
}

}  // namespace

std::vector<std::string> argvFor(const std::string& commandLine) {
    auto argv = words(commandLine);
    if (argv.empty()) return {};
    if (auto tool = toolCommandArgv(commandLine)) return *tool;
    if (endsWithBat(commandLine)) {
        // Script paths are written unquoted and may hold blanks: the whole line is the path.
        std::string runner = standInPath("batrun");
        if (runner.empty()) return {};
        std::size_t first = commandLine.find_first_not_of(" \t");
        std::size_t last = commandLine.find_last_not_of(" \t");
        return {runner, nativePath(commandLine.substr(first, last - first + 1))};
    }
    return argv;
}

bool spawnDetached(const std::vector<std::string>& argv) {
    if (argv.empty()) return false;
    int report[2];
    if (pipe2(report, O_CLOEXEC) != 0) return false;
    pid_t child = fork();
    if (child < 0) {
        close(report[0]);
        close(report[1]);
        return false;
    }
    if (child == 0) {
        // Intermediate child: new session, then a grandchild that execs, so
        // the program never has to reap the started process.
        setsid();
        pid_t grandchild = fork();
        if (grandchild != 0) _exit(grandchild < 0 ? 1 : 0);
        int null = open("/dev/null", O_RDWR);
        if (null >= 0) {
            dup2(null, 0);
            dup2(null, 1);
            dup2(null, 2);
            if (null > 2) close(null);
        }
        std::vector<char*> args;
        for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        execvp(args[0], args.data());
        int err = errno;
        ssize_t ignored = write(report[1], &err, sizeof err);
        (void)ignored;
        _exit(127);
    }
    close(report[1]);
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    int err = 0;
    ssize_t n;
    do {
        n = read(report[0], &err, sizeof err);
    } while (n < 0 && errno == EINTR);
    close(report[0]);
    // The pipe closes on a successful exec, so nothing read means started.
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 && n == 0;
}

bool LinuxProcesses::start(const std::string& commandLine, WindowStyle style) {
    if (auto shortcut = shortcutLaunch(commandLine, style)) return spawnDetached(*shortcut);
    auto argv = argvFor(commandLine);
    if (argv.empty()) return false;
    if (style == WindowStyle::Hidden) return spawnDetached(argv);
    auto wrapped = inTerminal(argv, style);
    if (wrapped.empty()) return false;
    return spawnDetached(wrapped);
}

}  // namespace platform::linux_backend
