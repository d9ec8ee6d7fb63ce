// `cfgscope --diagnose`: the help-desk entry point that diagnoses a saved
// report, or this machine, and prints the result.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "ProgramVersion.h"

namespace cfgscope {

inline constexpr const char* kVersion = CFGSCOPE_VERSION;

// Exit status: 0 no fault, 1 faults found, 2 input cannot be read or bad usage.
int runCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// True when the arguments ask for the command line rather than the window.
bool isCommandLineRequest(const std::vector<std::string>& args);

}  // namespace cfgscope
