#pragma once

#include <string>
#include <vector>

#include "platform/Processes.h"

namespace platform::linux_backend {

// The argv that opens a terminal emulator running `argv` in the given
// window style, or empty when no terminal emulator is installed. Looks at
// $TERMINAL, x-terminal-emulator, then the terminals it knows by name. A
// link (the x-terminal-emulator alternative) is followed to the real
// program, whose own options ask for the maximized or minimised window; a
// terminal without such an option opens a normal window, and one it does
// not know gets only the common "-e". A known terminal that cannot open a
// window in this session (xterm, urxvt, st without DISPLAY; foot without
// WAYLAND_DISPLAY) is passed over, so a session without X gets one that runs.
std::vector<std::string> inTerminal(const std::vector<std::string>& argv, WindowStyle style);

// The terminal programs whose options are known, in the order they are looked for.
const std::vector<std::string>& knownTerminals();

}  // namespace platform::linux_backend
