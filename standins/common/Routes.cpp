#include "standins/common/Routes.h"

#include <algorithm>

namespace standins {

namespace {

constexpr std::uint32_t kMainTable = 254;

std::uint64_t rankOf(std::size_t rulePosition, int dstLen, std::uint32_t metric) {
    return (static_cast<std::uint64_t>(rulePosition) << 40) | (static_cast<std::uint64_t>(255 - dstLen) << 32) |
           metric;
}

}  // namespace

bool carriesDefault(const RouteEntry& r) {
    if (r.dstLen == 0) return true;
    if (!r.ipv6) return r.dstLen == 1 && (r.dst == "0.0.0.0" || r.dst == "128.0.0.0");
    if (r.dstLen == 1) return r.dst == "::" || r.dst == "8000::";
    return (r.dstLen == 3 && r.dst == "2000::") || (r.dstLen == 4 && (r.dst == "2000::" || r.dst == "3000::"));
}

std::map<int, LinkDefaults> linkDefaults(const std::vector<RouteEntry>& routes, const std::vector<RuleEntry>& rules,
                                         bool ipv6) {
    std::vector<RuleEntry> ordered;
    for (const auto& r : rules)
        if (r.ipv6 == ipv6) ordered.push_back(r);
    std::stable_sort(ordered.begin(), ordered.end(),
                     [](const RuleEntry& a, const RuleEntry& b) { return a.priority < b.priority; });
    if (ordered.empty()) ordered.push_back(RuleEntry{ipv6, 0, kMainTable, true, true, -1});

    struct Candidate {
        const RouteEntry* route;
        bool carries;
        std::uint64_t rank;
    };
    std::vector<Candidate> found;
    bool plainStopped = false;  // a blackhole or prohibit rule ends plain traffic's way
    for (std::size_t pos = 0; pos < ordered.size(); ++pos) {
        const RuleEntry& rule = ordered[pos];
        if (!rule.lookup) {
            plainStopped = plainStopped || rule.plainTraffic;
            continue;
        }
        const bool plain = rule.plainTraffic && !plainStopped;
        for (const auto& route : routes) {
            if (route.ipv6 != ipv6 || route.table != rule.table || !carriesDefault(route)) continue;
            const bool suppressed = route.dstLen <= rule.suppressPrefix;
            found.push_back({&route, plain && !suppressed, rankOf(pos, route.dstLen, route.metric)});
        }
    }
    // The ones that carry plain traffic first, by rank; the rest in the
    // order found.
    std::stable_sort(found.begin(), found.end(), [](const Candidate& a, const Candidate& b) {
        if (a.carries != b.carries) return a.carries;
        return a.carries && a.rank < b.rank;
    });
    std::map<int, LinkDefaults> out;
    for (const auto& c : found) {
        LinkDefaults& link = out[c.route->ifindex];
        if (c.carries && (!link.carries || c.rank < link.rank)) {
            link.carries = true;
            link.rank = c.rank;
        }
        if (std::find(link.gateways.begin(), link.gateways.end(), c.route->gateway) == link.gateways.end())
            link.gateways.push_back(c.route->gateway);
    }
    return out;
}

}  // namespace standins
