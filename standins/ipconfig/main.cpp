// ipconfig: the configuration report tool. Prints the live network
// configuration in the layout the program's report parser reads, and
// releases or renews DHCP leases through the client that owns them.
#include <cctype>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "standins/common/Files.h"
#include "standins/common/Report.h"
#include "standins/common/Snapshot.h"
#include "standins/ipconfig/DhcpActions.h"
#include "standins/ipconfig/DnsCache.h"

namespace {

constexpr const char* kUsage =
    "\r\nUSAGE:\r\n"
    "    ipconfig [/? | /all | /release [adapter] | /renew [adapter] | /displaydns | /flushdns]\r\n"
    "\r\n"
    "where\r\n"
    "    adapter         Interface name (wildcard characters * and ? allowed, see examples)\r\n"
    "\r\n"
    "    Options:\r\n"
    "       /?           Display this help message\r\n"
    "       /all         Display full configuration information.\r\n"
    "       /release     Release the IPv4 address of the specified adapter.\r\n"
    "       /renew       Renew the IPv4 address of the specified adapter.\r\n"
    "       /displaydns  Display the contents of the DNS Resolver Cache.\r\n"
    "       /flushdns    Purges the DNS Resolver cache.\r\n"
    "\r\n"
    "The default is to display the report of /all.\r\n"
    "\r\n"
    "Examples:\r\n"
    "    > ipconfig /all            ... Show detailed information\r\n"
    "    > ipconfig /renew          ... renew all DHCP adapters\r\n"
    "    > ipconfig /renew *eth*    ... renew every adapter whose name contains eth\r\n"
    "    > ipconfig /release *wl*   ... release the adapters whose names contain wl\r\n";

std::string lower(std::string s) {
    for (auto& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

// The whole report in one write, so a reader polling the file never sees
// the header without the adapters behind it. The answers of /release and
// /renew name interfaces too: no control character reaches the console.
bool writeAll(const std::string& text) { return standins::writeAll(1, standins::printable(text, true)); }

int report() {
    standins::Snapshot snap = standins::takeSnapshot();
    if (!snap.error.empty()) {
        writeAll(std::string(standins::kReportBanner) + standins::kInternalError + snap.error + "\r\n");
        return 1;
    }
    return writeAll(standins::formatReport(snap.host, snap.adapters)) ? 0 : 1;
}

int withBuffer(int (*body)(std::ostream&)) {
    std::ostringstream out;
    int rc = body(out);
    writeAll(out.str());
    return rc;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) return report();
    std::string opt = lower(args[0]);
    if (!opt.empty() && opt[0] == '-') opt[0] = '/';
    if (opt == "/?" || opt == "/help") return writeAll(kUsage) ? 0 : 1;
    if (opt == "/all" && args.size() == 1) return report();
    if ((opt == "/release" || opt == "/renew") && args.size() <= 2) {
        std::ostringstream out;
        out << standins::kReportBanner;
        int rc = standins::runDhcpAction(opt == "/release" ? standins::DhcpAction::Release
                                                            : standins::DhcpAction::Renew,
                                          args.size() == 2 ? args[1] : std::string{}, out);
        writeAll(out.str());
        return rc;
    }
    if (opt == "/displaydns" && args.size() == 1) return withBuffer(standins::displayDns);
    if (opt == "/flushdns" && args.size() == 1) return withBuffer(standins::flushDns);
    std::string text = "Error: unrecognized or incomplete command line.\r\n";
    writeAll(text + kUsage);
    return 1;
}
