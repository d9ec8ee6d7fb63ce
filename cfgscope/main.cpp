#include <iostream>
#include <string>
#include <vector>

#include "cfgscope/DiagnoseCommand.h"
#ifdef CFGSCOPE_WINDOW
#include "cfgscope/qt/MainProgram.h"
#endif

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (cfgscope::isCommandLineRequest(args)) return cfgscope::runCommandLine(args, std::cout, std::cerr);
#ifdef CFGSCOPE_WINDOW
    return ui::qt::runMainProgram(argc, argv, std::cerr);
#else
    std::cerr << "cfgscope: this build has no window (Qt 6 Widgets was not found when it was built).\n"
                 "Use the command line instead: cfgscope --help\n";
    return 2;
#endif
}
