#pragma once

#include "platform/Shell.h"

namespace platform::linux_backend {

// Opens addresses and documents with xdg-open, the desktop's default handler.
class XdgShell : public Shell {
public:
    bool open(const std::string& target) override;
    // No restart dialog of the system's own is known on Linux.
    bool restartDialog() override { return false; }
};

}  // namespace platform::linux_backend
