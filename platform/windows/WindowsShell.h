#pragma once

#include "platform/Shell.h"

namespace platform::windows_backend {

// ShellExecuteA on behalf of the owner window, and the shell's shut-down
// dialog (shell32 export number 60).
class WindowsShell : public Shell {
public:
    bool open(const std::string& target) override;
    bool restartDialog() override;
    void* owner = nullptr;  // HWND of the main window
};

}  // namespace platform::windows_backend
