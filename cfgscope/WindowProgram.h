// The window of cfgscope is a program of its own (cfgscope-window, beside
// the program in the build tree, in libexec/cfgscope when installed), so the
// command line never loads the window toolkit.
#pragma once

#include <iosfwd>
#include <string>

namespace cfgscope {

// Where the window program is: beside this program or in
// ../libexec/cfgscope; empty when it is in neither.
std::string windowProgramPath();

// Replaces this process with the window program, given the same arguments;
// returns only when it cannot, with the exit status after saying why on `err`.
int openWindow(char** argv, std::ostream& err);

}  // namespace cfgscope
