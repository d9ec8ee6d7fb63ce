#pragma once

#include <string>
#include <vector>

#include "platform/Processes.h"

namespace platform::linux_backend {

// Turns a Windows-shaped command line into the argv that runs it here:
// a ".bat" script goes to the script runner; other programs run as named.
// Empty when nothing can run it.
std::vector<std::string> argvFor(const std::string& commandLine);

// Starts detached (own session, no waiting, no zombie). Hidden runs with
// no terminal; the other styles open a terminal emulator around the command.
class LinuxProcesses : public Processes {
public:
    bool start(const std::string& commandLine, WindowStyle style) override;
};

// Spawns argv detached with stdio on /dev/null; true once exec succeeded.
bool spawnDetached(const std::vector<std::string>& argv);

}  // namespace platform::linux_backend
