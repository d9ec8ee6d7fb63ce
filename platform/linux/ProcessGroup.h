// A program started in a process group of its own, so that it and whatever
// it starts can be stopped together, also from a signal handler.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace platform::linux_backend {

class ProcessGroup {
public:
    ProcessGroup() = default;
    ProcessGroup(const ProcessGroup&) = delete;
    ProcessGroup& operator=(const ProcessGroup&) = delete;
    ~ProcessGroup() { stop(); }

    // Starts argv with its standard streams on /dev/null; false when
    // it cannot be started.
    bool start(const std::vector<std::string>& argv);
    // Asks the group to end, kills what is left after a short grace and
    // reaps the program. Does nothing when nothing runs.
    void stop();
    // Kills the whole group at once; safe in a signal handler.
    void killNow() const;
    pid_t id() const { return pid_; }

private:
    volatile pid_t pid_ = 0;
};

}  // namespace platform::linux_backend
