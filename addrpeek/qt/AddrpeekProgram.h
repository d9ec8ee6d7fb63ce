// addrpeek's window program: the address monitor over the Linux platform.
// No toolkit types here, so the program's entry can include it.
#pragma once

#include <iosfwd>

namespace ui::qt {

// Opens the monitor window and runs until it is closed; the exit status.
// Without a display it explains how to run the program and returns 2.
int runAddrpeekProgram(int argc, char** argv, std::ostream& err);

}  // namespace ui::qt
