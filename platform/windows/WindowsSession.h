#pragma once

#include "platform/Session.h"

namespace platform::windows_backend {

// Time and date in the user's formats, Sleep, and the previous-instance test
// by a named mutex in the user's session ("Local\" namespace), held for the
// life of the process.
class WindowsSession : public Session {
public:
    WindowsSession() = default;
    WindowsSession(const WindowsSession&) = delete;
    WindowsSession& operator=(const WindowsSession&) = delete;
    ~WindowsSession() override;

    std::string timeOfDayText() override;
    std::string dateText() override;
    void sleepMs(int milliseconds) override;
    bool otherInstance(const std::string& appId) override;
    void endProgram(int exitCode) override;

private:
    void* mutex_ = nullptr;
};

// Loads the extended combo-box classes of the common controls (record size
// 8, class flag 0x200) before any window is made; a failure is ignored.
void prepareCommonControls();

}  // namespace platform::windows_backend
