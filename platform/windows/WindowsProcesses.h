#pragma once

#include "platform/Processes.h"

namespace platform::windows_backend {

// Starts command lines without waiting: scripts through the command
// interpreter (%ComSpec%, else cmd.exe), programs directly, and a program
// that cannot be started directly (a built-in command or a document)
// through the interpreter as well. Each gets its own console window in the
// asked style.
class WindowsProcesses : public Processes {
public:
    bool start(const std::string& commandLine, WindowStyle style) override;
};

}  // namespace platform::windows_backend
