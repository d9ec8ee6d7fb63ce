// Which links carry the traffic that has no more specific route, and
// through which gateways, from the kernel's routes and policy rules. Pure.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace standins {

struct RouteEntry {
    bool ipv6 = false;
    std::uint32_t table = 254;  // RT_TABLE_MAIN
    int dstLen = 0;
    std::string dst;            // the network's address text; empty for a default
    std::string gateway;        // empty for a route straight onto the link (`default dev X`)
    int ifindex = 0;
    std::uint32_t metric = 0;
};

struct RuleEntry {
    bool ipv6 = false;
    std::uint32_t priority = 0;
    std::uint32_t table = 0;
    bool lookup = true;         // a table lookup, not blackhole, goto, ...
    bool plainTraffic = true;   // matches traffic without a mark, from any source, to anywhere
    int suppressPrefix = -1;    // suppress_prefixlength: routes this short or shorter are passed over
};

// A route that takes every address it does not leave to a longer one: a
// default, OpenVPN's halves (0.0.0.0/1 and 128.0.0.0/1; ::/1, 8000::/1 and
// the global 2000::/3 and its halves for IPv6).
bool carriesDefault(const RouteEntry& r);

// Per link and family: its gateways (the route that carries the traffic
// first, each once; "" for a route without a gateway) and how early the
// link carries plain traffic (lower is used first; absent when it does not).
struct LinkDefaults {
    std::vector<std::string> gateways;
    bool carries = false;
    std::uint64_t rank = 0;
};

// The defaults of one family. Tables come from the rules that look them up
// (the main table alone when there are none); the rank follows the rules'
// order, then the longer prefix, then the lower metric, as the kernel picks.
std::map<int, LinkDefaults> linkDefaults(const std::vector<RouteEntry>& routes, const std::vector<RuleEntry>& rules,
                                         bool ipv6);

}  // namespace standins
