#include "platform/linux/XdgShell.h"

#include "platform/linux/LinuxProcesses.h"

namespace platform::linux_backend {

bool XdgShell::open(const std::string& target) {
    if (target.empty()) return false;
    return spawnDetached({"xdg-open", target});
}

}  // namespace platform::linux_backend
