// cfgscope's window program: the main window over the Linux platform.
// No toolkit types here, so the program's entry can include it.
#pragma once

#include <iosfwd>
#include <string>

namespace ui::qt {

// Why no window can be opened here (no display set, or the display named by
// DISPLAY cannot be reached); empty when a window can be opened.
std::string noDisplayReason();

// Opens the main window and runs until it is closed; the exit status.
// Without a display it explains how to run the program and returns 2.
int runMainProgram(int argc, char** argv, std::ostream& err);

}  // namespace ui::qt
