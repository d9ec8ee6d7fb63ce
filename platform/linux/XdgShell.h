#pragma once

#include "platform/Shell.h"
#include "platform/linux/SessionEnd.h"

namespace platform::linux_backend {

// Opens addresses and documents with xdg-open, the desktop's default handler.
class XdgShell : public Shell {
public:
    bool open(const std::string& target) override;
    // Linux has no restart dialog of its own: a confirmation offering restart
    // or shut down stands in, carried out through the session manager. False
    // while no confirmation has been set (no window to show it in).
    bool restartDialog() override { return sessionEnd.confirmAndEnd(); }
    SessionEnd sessionEnd;
};

}  // namespace platform::linux_backend
