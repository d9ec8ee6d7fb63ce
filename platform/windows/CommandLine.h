// How a Windows-shaped command line is handed to the system: scripts go to
// the command interpreter, programs start directly. Pure text logic.
#pragma once

#include <string>

#include "platform/Processes.h"

namespace platform::windows_backend {

// True when the command line's first word (quoted or not) names a command
// script (".bat" or ".cmd", any case).
bool startsScript(const std::string& commandLine);

// The interpreter's command line that runs `commandLine` and ends with it:
// `"<interpreter>" /c "<commandLine>"`. The outer quotes keep the
// interpreter from splitting a script path with blanks.
std::string interpreterCommandLine(const std::string& interpreter, const std::string& commandLine);

// The show-window value (SW_*) for a window style: hidden 0, normal 1,
// minimised 2 (SW_SHOWMINIMIZED), maximized 3.
int showCommand(WindowStyle style);

}  // namespace platform::windows_backend
