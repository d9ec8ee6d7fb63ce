#include <iostream>
#include <string>
#include <vector>

#include "cfgscope/DiagnoseCommand.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    // The window is not built yet: without options, diagnose this machine.
    if (args.empty()) args.push_back("--diagnose");
    return cfgscope::runCommandLine(args, std::cout, std::cerr);
}
