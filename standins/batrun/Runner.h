// Runs a command script line by line: echo, pause, redirection and the
// network tools, every other command by exec (never through a shell).
#pragma once

#include <string>

namespace standins::batrun {

// Returns the exit status of the last command run; 1 when the script
// cannot be read.
int runScript(const std::string& path);

}  // namespace standins::batrun
