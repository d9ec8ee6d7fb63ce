#include "standins/common/Links.h"

#include <arpa/inet.h>
#include <linux/fib_rules.h>
#include <linux/if_addr.h>
#include <linux/rtnetlink.h>
#include <net/if.h>
#include <sys/socket.h>
#include <netlink/addr.h>
#include <netlink/cache.h>
#include <netlink/msg.h>
#include <netlink/netlink.h>
#include <netlink/route/addr.h>
#include <netlink/route/link.h>

#include <algorithm>
#include <cstring>
#include <memory>

namespace standins {

namespace {

struct SocketDeleter {
    void operator()(nl_sock* s) const { nl_socket_free(s); }
};
struct CacheDeleter {
    void operator()(nl_cache* c) const { nl_cache_free(c); }
};
using CachePtr = std::unique_ptr<nl_cache, CacheDeleter>;

// An IPv4 or IPv6 address of its family's length as text; empty otherwise.
std::string binaryAddress(int family, const void* data, int length) {
    char buf[INET6_ADDRSTRLEN] = {};
    if ((family == AF_INET && length != 4) || (family == AF_INET6 && length != 16)) return {};
    if (family != AF_INET && family != AF_INET6) return {};
    return inet_ntop(family, data, buf, sizeof buf) ? buf : "";
}

// Address text without the "/prefix" libnl appends.
std::string addressText(nl_addr* a) {
    return binaryAddress(nl_addr_get_family(a), nl_addr_get_binary_addr(a), static_cast<int>(nl_addr_get_len(a)));
}

// The address a route attribute holds; empty without the attribute.
std::string attributeAddress(int family, nlattr* a) { return a ? binaryAddress(family, nla_data(a), nla_len(a)) : ""; }

AddressState stateOf(unsigned flags) {
    if (flags & IFA_F_DADFAILED) return AddressState::Duplicate;
    if (flags & IFA_F_TENTATIVE) return AddressState::Tentative;
    if (flags & IFA_F_DEPRECATED) return AddressState::Deprecated;
    return AddressState::Preferred;
}

// What a route straight onto the link shows as its gateway, as for a
// point-to-point link: the link's own address, else 0.0.0.0 (IPv4) or
// nothing (IPv6).
std::string ownAddress(const Link& link, bool v6) {
    for (const auto& a : v6 ? link.ipv6 : link.ipv4)
        if (v6 ? !isLinkLocal6(a.text) : !isAutoconf4(a.text)) return a.text;
    return v6 ? std::string{} : "0.0.0.0";
}

// The policy rules, asked for directly: libnl keeps neither a rule's
// "not" nor its suppress_prefixlength.
int onRule(nl_msg* msg, void* arg) {
    auto* out = static_cast<std::vector<RuleEntry>*>(arg);
    nlmsghdr* h = nlmsg_hdr(msg);
    if (h->nlmsg_type != RTM_NEWRULE || nlmsg_datalen(h) < static_cast<int>(sizeof(fib_rule_hdr))) return NL_OK;
    auto* frh = static_cast<fib_rule_hdr*>(nlmsg_data(h));
    nlattr* tb[FRA_MAX + 1] = {};
    if (nlmsg_parse(h, sizeof(fib_rule_hdr), tb, FRA_MAX, nullptr) < 0) return NL_OK;
    if (frh->family != AF_INET && frh->family != AF_INET6) return NL_OK;
    RuleEntry r;
    r.ipv6 = frh->family == AF_INET6;
    r.priority = tb[FRA_PRIORITY] ? nla_get_u32(tb[FRA_PRIORITY]) : 0;
    r.table = tb[FRA_TABLE] ? nla_get_u32(tb[FRA_TABLE]) : frh->table;
    r.lookup = frh->action == FR_ACT_TO_TBL;
    if (tb[FRA_SUPPRESS_PREFIXLEN]) r.suppressPrefix = static_cast<int>(nla_get_u32(tb[FRA_SUPPRESS_PREFIXLEN]));
    // Plain traffic: no mark, any source and destination, any user and port.
    bool selective = frh->src_len || frh->dst_len || frh->tos || tb[FRA_IIFNAME] || tb[FRA_OIFNAME] ||
                     tb[FRA_L3MDEV] || tb[FRA_UID_RANGE] || tb[FRA_IP_PROTO] || tb[FRA_SPORT_RANGE] ||
                     tb[FRA_DPORT_RANGE] || tb[FRA_TUN_ID];
    std::uint32_t mark = tb[FRA_FWMARK] ? nla_get_u32(tb[FRA_FWMARK]) : 0;
    bool matchesUnmarked = mark == 0;
    if (frh->flags & FIB_RULE_INVERT) {
        r.plainTraffic = !selective && !matchesUnmarked;
    } else {
        r.plainTraffic = !selective && matchesUnmarked;
    }
    out->push_back(r);
    return NL_OK;
}

std::vector<RuleEntry> readRules(nl_sock* sock) {
    std::vector<RuleEntry> rules;
    fib_rule_hdr frh{};
    frh.family = AF_UNSPEC;
    if (nl_send_simple(sock, RTM_GETRULE, NLM_F_DUMP, &frh, sizeof frh) < 0) return rules;
    nl_socket_modify_cb(sock, NL_CB_VALID, NL_CB_CUSTOM, onRule, &rules);
    if (nl_recvmsgs_default(sock) < 0) rules.clear();  // the main table alone, as without rules
    return rules;
}

struct RouteDump {
    std::uint32_t table;
    std::vector<RouteEntry>* out;
};

// One route of the dump: kept when it carries default traffic, once per
// next hop.
int onRoute(nl_msg* msg, void* arg) {
    auto* dump = static_cast<RouteDump*>(arg);
    nlmsghdr* h = nlmsg_hdr(msg);
    if (h->nlmsg_type != RTM_NEWROUTE || nlmsg_datalen(h) < static_cast<int>(sizeof(rtmsg))) return NL_OK;
    auto* rt = static_cast<rtmsg*>(nlmsg_data(h));
    nlattr* tb[RTA_MAX + 1] = {};
    if (nlmsg_parse(h, sizeof(rtmsg), tb, RTA_MAX, nullptr) < 0) return NL_OK;
    if (rt->rtm_type != RTN_UNICAST || (rt->rtm_family != AF_INET && rt->rtm_family != AF_INET6)) return NL_OK;
    RouteEntry e;
    e.ipv6 = rt->rtm_family == AF_INET6;
    e.table = tb[RTA_TABLE] ? nla_get_u32(tb[RTA_TABLE]) : rt->rtm_table;
    if (e.table != dump->table) return NL_OK;  // a kernel that does not filter the dump
    e.dstLen = rt->rtm_dst_len;
    e.dst = attributeAddress(rt->rtm_family, tb[RTA_DST]);
    if (e.dstLen == 0) e.dst.clear();
    if (!carriesDefault(e)) return NL_OK;
    e.metric = tb[RTA_PRIORITY] ? nla_get_u32(tb[RTA_PRIORITY]) : 0;
    if (tb[RTA_MULTIPATH]) {
        int left = nla_len(tb[RTA_MULTIPATH]);
        auto* nh = static_cast<rtnexthop*>(nla_data(tb[RTA_MULTIPATH]));
        while (left >= static_cast<int>(sizeof(rtnexthop)) && nh->rtnh_len >= sizeof(rtnexthop) &&
               nh->rtnh_len <= left) {
            RouteEntry hop = e;
            hop.ifindex = nh->rtnh_ifindex;
            nlattr* nt[RTA_MAX + 1] = {};
            int attrLen = nh->rtnh_len - static_cast<int>(RTNH_LENGTH(0));
            if (attrLen > 0 && nla_parse(nt, RTA_MAX, reinterpret_cast<nlattr*>(RTNH_DATA(nh)), attrLen, nullptr) == 0)
                hop.gateway = attributeAddress(rt->rtm_family, nt[RTA_GATEWAY]);
            dump->out->push_back(hop);
            left -= RTNH_ALIGN(nh->rtnh_len);
            nh = RTNH_NEXT(nh);
        }
        return NL_OK;
    }
    e.ifindex = tb[RTA_OIF] ? static_cast<int>(nla_get_u32(tb[RTA_OIF])) : 0;
    e.gateway = attributeAddress(rt->rtm_family, tb[RTA_GATEWAY]);
    dump->out->push_back(e);
    return NL_OK;
}

// The routes that carry default traffic in the tables the rules look up
// (main alone without rules), each table asked for by itself: the local
// table, with a route for every address, is never read.
std::vector<RouteEntry> readDefaultRoutes(nl_sock* sock, const std::vector<RuleEntry>& rules) {
    std::vector<std::uint32_t> tables{RT_TABLE_MAIN};
    for (const auto& r : rules)
        if (r.lookup && r.table != RT_TABLE_LOCAL && r.table != 0 &&
            std::find(tables.begin(), tables.end(), r.table) == tables.end())
            tables.push_back(r.table);
    int strict = 1;
    setsockopt(nl_socket_get_fd(sock), SOL_NETLINK, NETLINK_GET_STRICT_CHK, &strict, sizeof strict);
    std::vector<RouteEntry> routes;
    for (std::uint32_t table : tables) {
        nl_msg* msg = nlmsg_alloc_simple(RTM_GETROUTE, NLM_F_DUMP);
        if (!msg) break;
        rtmsg rt{};
        rt.rtm_family = AF_UNSPEC;
        rt.rtm_table = static_cast<unsigned char>(table < 256 ? table : 0);  // RT_TABLE_UNSPEC: RTA_TABLE tells
        bool built = nlmsg_append(msg, &rt, sizeof rt, NLMSG_ALIGNTO) == 0 && nla_put_u32(msg, RTA_TABLE, table) == 0;
        RouteDump dump{table, &routes};
        if (built && nl_send_auto(sock, msg) >= 0) {
            nl_socket_modify_cb(sock, NL_CB_VALID, NL_CB_CUSTOM, onRoute, &dump);
            nl_recvmsgs_default(sock);
        }
        nlmsg_free(msg);
    }
    return routes;
}

Link* byIndex(std::vector<Link>& links, int index) {
    auto it = std::find_if(links.begin(), links.end(), [&](const Link& l) { return l.index == index; });
    return it == links.end() ? nullptr : &*it;
}

}  // namespace

LinkSnapshot readLinks() {
    LinkSnapshot snap;
    std::unique_ptr<nl_sock, SocketDeleter> sock(nl_socket_alloc());
    if (!sock || nl_connect(sock.get(), NETLINK_ROUTE) < 0) {
        snap.error = "cannot open a netlink socket to the kernel";
        return snap;
    }
    nl_cache *lc = nullptr, *ac = nullptr;
    int e1 = rtnl_link_alloc_cache(sock.get(), AF_UNSPEC, &lc);
    CachePtr links(lc);
    int e2 = rtnl_addr_alloc_cache(sock.get(), &ac);
    CachePtr addrs(ac);
    if (e1 < 0 || e2 < 0) {
        snap.error = std::string("cannot read the network configuration from the kernel: ") +
                     nl_geterror(e1 < 0 ? e1 : e2);
        return snap;
    }

    for (nl_object* o = nl_cache_get_first(links.get()); o; o = nl_cache_get_next(o)) {
        auto* l = reinterpret_cast<rtnl_link*>(o);
        Link link;
        link.index = rtnl_link_get_ifindex(l);
        if (const char* n = rtnl_link_get_name(l)) link.name = n;
        link.flags = rtnl_link_get_flags(l);
        link.arpType = rtnl_link_get_arptype(l);
        if (const char* k = rtnl_link_get_type(l)) link.kind = k;
        link.master = rtnl_link_get_master(l);
        if (nl_addr* a = rtnl_link_get_addr(l)) {
            auto* b = static_cast<const unsigned char*>(nl_addr_get_binary_addr(a));
            unsigned len = nl_addr_get_len(a);
            bool allZero = std::all_of(b, b + len, [](unsigned char c) { return c == 0; });
            if (len > 0 && !allZero) link.mac.assign(b, b + len);
        }
        snap.links.push_back(std::move(link));
    }
    std::sort(snap.links.begin(), snap.links.end(), [](const Link& a, const Link& b) { return a.index < b.index; });

    for (nl_object* o = nl_cache_get_first(addrs.get()); o; o = nl_cache_get_next(o)) {
        auto* a = reinterpret_cast<rtnl_addr*>(o);
        Link* link = byIndex(snap.links, rtnl_addr_get_ifindex(a));
        nl_addr* local = rtnl_addr_get_local(a);
        if (!link || !local) continue;
        Address addr;
        addr.text = addressText(local);
        addr.prefix = rtnl_addr_get_prefixlen(a);
        unsigned flags = rtnl_addr_get_flags(a);
        addr.state = stateOf(flags);
        addr.temporary = (flags & IFA_F_TEMPORARY) != 0;
        if (addr.text.empty()) continue;
        (rtnl_addr_get_family(a) == AF_INET ? link->ipv4 : link->ipv6).push_back(addr);
    }

    std::vector<RuleEntry> rules = readRules(sock.get());
    std::vector<RouteEntry> found = readDefaultRoutes(sock.get(), rules);
    for (bool v6 : {false, true}) {
        for (auto& [index, defaults] : linkDefaults(found, rules, v6)) {
            Link* link = byIndex(snap.links, index);
            if (!link) continue;
            if (defaults.carries) {
                std::uint64_t rank = v6 ? (std::uint64_t{1} << 62) | defaults.rank : defaults.rank;
                if (!link->routeRank || rank < *link->routeRank) link->routeRank = rank;
            }
            for (const auto& gw : defaults.gateways) {
                std::string text = gw.empty() ? ownAddress(*link, v6) : gw;
                if (text.empty()) continue;
                if (!v6) link->gateways4.push_back(text);
                else link->gateways6.push_back(text + (isLinkLocal6(text) ? "%" + std::to_string(link->index) : ""));
            }
        }
    }
    return snap;
}

}  // namespace standins
