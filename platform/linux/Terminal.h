#pragma once

#include <string>
#include <vector>

#include "platform/Processes.h"

namespace platform::linux_backend {

// The argv that opens a terminal emulator running `argv` in the given
// window style, or empty when no terminal emulator is installed. Looks at
// $TERMINAL, x-terminal-emulator, gnome-terminal, konsole, xfce4-terminal, xterm.
std::vector<std::string> inTerminal(const std::vector<std::string>& argv, WindowStyle style);

}  // namespace platform::linux_backend
