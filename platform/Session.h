// The running program: time, pauses, other instances, the end.
#pragma once

#include <string>

namespace platform {

class Session {
public:
    virtual ~Session() = default;
    // Current time of day in the user's time format.
    virtual std::string timeOfDayText() = 0;
    // Current date in the user's date format.
    virtual std::string dateText() = 0;
    virtual void sleepMs(int milliseconds) = 0;
    // True when another copy of the program named `appId` is running.
    virtual bool otherInstance(const std::string& appId) = 0;
    // Ends the process at once, without clean-up. A fake records it and
    // returns, so callers return right after calling it.
    virtual void endProgram(int exitCode) = 0;
};

}  // namespace platform
