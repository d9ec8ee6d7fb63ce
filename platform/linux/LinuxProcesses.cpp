#include "platform/linux/LinuxProcesses.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "platform/linux/CommandWords.h"
#include "platform/linux/ExecReport.h"
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
    const std::vector<char*> args = execArgs(argv);
    int report[2];
    const pid_t child = forkWithReport(report);
    if (child < 0) return false;
    if (child == 0) {
        // Intermediate child: new session, then a grandchild that execs, so
        // the program never has to reap the started process.
        setsid();
        pid_t grandchild = fork();
        if (grandchild != 0) _exit(grandchild < 0 ? 1 : 0);
        streamsToNull();
        execOrReport(args, report[1]);
    }
    const int failed = execFailure(report);
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 && failed == 0;
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
