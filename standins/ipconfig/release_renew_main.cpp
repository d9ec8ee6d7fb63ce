// release-renew: the one program the polkit action lets root run for the
// report tool. It releases or renews the address of one adapter, named in
// full, through the DHCP client that owns it; it takes no pattern and no
// other verb, so whoever got root for it once can do no more than that.
#include <unistd.h>

#include <iostream>
#include <sstream>
#include <string>

#include "standins/ipconfig/DhcpActions.h"

namespace {

constexpr const char* kUsage =
    "Usage: release-renew release|renew ADAPTER\r\n"
    "Releases or renews the address of the one adapter whose name is ADAPTER, as root.\r\n";

// Why the arguments are refused; empty when they name one verb and one
// adapter. The name is matched exactly: "*" is no pattern here.
std::string refusal(int argc, char** argv) {
    if (argc != 3) return "it takes a verb and one adapter name";
    const std::string verb = argv[1], name = argv[2];
    if (verb != "release" && verb != "renew") return "the verb \"" + verb + "\" is neither release nor renew";
    if (name.empty() || name.size() > 15) return "an adapter name has 1 to 15 characters";
    for (unsigned char c : name) {
        if (c < 0x21 || c == 0x7f) return "an adapter name holds no blank or control character";
    }
    if (name[0] == '-') return "an adapter name does not begin with \"-\"";
    return {};
}

}  // namespace

int main(int argc, char** argv) {
    std::string why = refusal(argc, argv);
    if (!why.empty()) {
        std::cerr << "release-renew: refused: " << why << ".\r\n" << kUsage;
        return 2;
    }
    if (geteuid() != 0) {
        std::cerr << "release-renew: acts as root only (through pkexec).\r\n";
        return 2;
    }
    std::ostringstream out;
    int rc = standins::runDhcpActionOn(std::string(argv[1]) == "release" ? standins::DhcpAction::Release
                                                                         : standins::DhcpAction::Renew,
                                       argv[2], out);
    std::cout << out.str() << std::flush;
    return rc;
}
