#include <iostream>

#ifdef ADDRPEEK_WINDOW
#include "ui/qt/AddrpeekProgram.h"
#endif

int main(int argc, char** argv) {
#ifdef ADDRPEEK_WINDOW
    return ui::qt::runAddrpeekProgram(argc, argv, std::cerr);
#else
    (void)argc;
    (void)argv;
    std::cerr << "addrpeek: this build has no window (Qt 6 Widgets was not found when it was built).\n";
    return 2;
#endif
}
