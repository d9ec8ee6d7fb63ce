#pragma once

#include "platform/Session.h"

namespace platform::linux_backend {

class LinuxSession : public Session {
public:
    ~LinuxSession() override;
    std::string timeOfDayText() override;
    std::string dateText() override;
    void sleepMs(int milliseconds) override;
    bool otherInstance(const std::string& appId) override;
    void endProgram(int exitCode) override;

private:
    int lockFd_ = -1;
};

}  // namespace platform::linux_backend
