#include "standins/common/Links.h"

#include <arpa/inet.h>
#include <linux/if_addr.h>
#include <net/if.h>
#include <netlink/addr.h>
#include <netlink/cache.h>
#include <netlink/netlink.h>
#include <netlink/route/addr.h>
#include <netlink/route/link.h>
#include <netlink/route/route.h>

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

// Address text without the "/prefix" libnl appends.
std::string addressText(nl_addr* a) {
    char buf[INET6_ADDRSTRLEN + 8] = {};
    int family = nl_addr_get_family(a);
    if (family != AF_INET && family != AF_INET6) return {};
    if (!inet_ntop(family, nl_addr_get_binary_addr(a), buf, sizeof buf)) return {};
    return buf;
}

AddressState stateOf(unsigned flags) {
    if (flags & IFA_F_DADFAILED) return AddressState::Duplicate;
    if (flags & IFA_F_TENTATIVE) return AddressState::Tentative;
    if (flags & IFA_F_DEPRECATED) return AddressState::Deprecated;
    return AddressState::Preferred;
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
    nl_cache *lc = nullptr, *ac = nullptr, *rc = nullptr;
    int e1 = rtnl_link_alloc_cache(sock.get(), AF_UNSPEC, &lc);
    CachePtr links(lc);
    int e2 = rtnl_addr_alloc_cache(sock.get(), &ac);
    CachePtr addrs(ac);
    int e3 = rtnl_route_alloc_cache(sock.get(), AF_UNSPEC, 0, &rc);
    CachePtr routes(rc);
    if (e1 < 0 || e2 < 0 || e3 < 0) {
        snap.error = std::string("cannot read the network configuration from the kernel: ") +
                     nl_geterror(e1 < 0 ? e1 : e2 < 0 ? e2 : e3);
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

    for (nl_object* o = nl_cache_get_first(routes.get()); o; o = nl_cache_get_next(o)) {
        auto* r = reinterpret_cast<rtnl_route*>(o);
        if (rtnl_route_get_table(r) != RT_TABLE_MAIN || rtnl_route_get_type(r) != RTN_UNICAST) continue;
        nl_addr* dst = rtnl_route_get_dst(r);
        if (dst && nl_addr_get_prefixlen(dst) != 0) continue;
        for (int i = 0; i < rtnl_route_get_nnexthops(r); ++i) {
            rtnl_nexthop* nh = rtnl_route_nexthop_n(r, i);
            nl_addr* gw = rtnl_route_nh_get_gateway(nh);
            Link* link = byIndex(snap.links, rtnl_route_nh_get_ifindex(nh));
            if (!gw || !link) continue;
            std::string text = addressText(gw);
            if (text.empty()) continue;
            if (rtnl_route_get_family(r) == AF_INET) {
                link->gateways4.push_back(text);
            } else {
                link->gateways6.push_back(text + (isLinkLocal6(text) ? "%" + std::to_string(link->index) : ""));
            }
        }
    }
    return snap;
}

}  // namespace standins
