#include <iostream>
#include <string>
#include <vector>

#include "cfgscope/DiagnoseCommand.h"
#include "cfgscope/WindowProgram.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (cfgscope::isCommandLineRequest(args)) return cfgscope::runCommandLine(args, std::cout, std::cerr);
    return cfgscope::openWindow(argv, std::cerr);
}
