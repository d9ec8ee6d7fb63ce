#include <cstring>
#include <iostream>

#include "ProgramVersion.h"

#ifdef ADDRPEEK_WINDOW
#include "addrpeek/qt/AddrpeekProgram.h"
#endif

namespace {

constexpr const char* kUsage =
    "Usage: addrpeek [--help] [--version]\n"
    "\n"
    "Opens the VORLAN Addrpeek Tool window: the private addresses of the adapters,\n"
    "the public address and Internet connection status, and a few host facts.\n"
    "F5 refreshes the private addresses, F6 the public address, and \"Auto Refresh\"\n"
    "repeats both every 300 seconds; Ctrl+C copies everything as text.\n"
    "\n"
    "Environment: CFGSCOPE_PRODUCT_SERVER, the product web server's base address.\n";

}  // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::cout << kUsage;
            return 0;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::cout << "addrpeek " CFGSCOPE_VERSION "\n";
            return 0;
        }
    }
#ifdef ADDRPEEK_WINDOW
    return ui::qt::runAddrpeekProgram(argc, argv, std::cerr);
#else
    std::cerr << "addrpeek: this build has no window (Qt 6 Widgets was not found when it was built).\n";
    return 2;
#endif
}
