// The kernel's view of the links, their addresses and default routes,
// read over rtnetlink (libnl-route).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "standins/common/Report.h"
#include "standins/common/Routes.h"

namespace standins {

struct Link {
    int index = 0;
    std::string name;
    unsigned flags = 0;     // IFF_*
    unsigned arpType = 0;   // ARPHRD_*
    std::string kind;       // "veth", "dummy", "wireguard", ... empty for plain devices
    int master = 0;         // the bridge or bond it is enslaved to, 0 for none
    std::vector<unsigned char> mac;
    std::vector<Address> ipv4;
    std::vector<Address> ipv6;
    std::vector<std::string> gateways4;
    std::vector<std::string> gateways6;
    // How early the link carries the traffic without a more specific
    // route (lower first, IPv4 before IPv6); absent when it carries none.
    std::optional<std::uint64_t> routeRank;
};

struct LinkSnapshot {
    std::vector<Link> links;  // by index
    std::string error;        // set when the kernel could not be asked
};

LinkSnapshot readLinks();

}  // namespace standins
