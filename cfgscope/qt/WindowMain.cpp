// cfgscope-window: the window of cfgscope, started by it without arguments.
#include <sys/prctl.h>

#include <iostream>

#include "cfgscope/qt/MainProgram.h"

int main(int argc, char** argv) {
    // The process keeps the name users and scripts know it by.
    prctl(PR_SET_NAME, "cfgscope", 0, 0, 0);
    return ui::qt::runMainProgram(argc, argv, std::cerr);
}
