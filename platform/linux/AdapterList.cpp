#include "platform/linux/AdapterList.h"

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netinet/in.h>
#include <unistd.h>

#include <map>

namespace platform::linux_backend {

namespace {

constexpr unsigned kLowerUp = 0x10000;  // IFF_LOWER_UP: the carrier

struct Adapter {
    std::string name;
    unsigned flags = 0;
    std::string ipv4;       // the first real one
    std::string autoconf4;  // the first 169.254 one
    std::string ipv6;       // the first global one
};

bool physical(const std::string& name) {
    return access(("/sys/class/net/" + name + "/device").c_str(), F_OK) == 0;
}

}  // namespace

std::optional<std::vector<std::string>> firstAddressOfEachAdapter() {
    ifaddrs* list = nullptr;
    if (getifaddrs(&list) != 0) return std::nullopt;

    // Interface index -> adapter; std::map keeps index order.
    std::map<unsigned, Adapter> adapters;
    for (ifaddrs* a = list; a; a = a->ifa_next) {
        // An address label such as "eth0:1" belongs to the interface "eth0".
        std::string name(a->ifa_name);
        unsigned index = if_nametoindex(name.c_str());
        if (index == 0) name = name.substr(0, name.find(':')), index = if_nametoindex(name.c_str());
        if (index == 0) continue;
        Adapter& adapter = adapters[index];
        adapter.name = name;
        adapter.flags |= a->ifa_flags;
        // getifaddrs lists each interface's addresses in the kernel's order,
        // the primary address first.
        if (!a->ifa_addr) continue;
        char text[INET6_ADDRSTRLEN] = {};
        if (a->ifa_addr->sa_family == AF_INET) {
            const auto* in = reinterpret_cast<const sockaddr_in*>(a->ifa_addr);
            if (!inet_ntop(AF_INET, &in->sin_addr, text, sizeof text)) continue;
            std::string& slot = std::string(text).rfind("169.254.", 0) == 0 ? adapter.autoconf4 : adapter.ipv4;
            if (slot.empty()) slot = text;
        } else if (a->ifa_addr->sa_family == AF_INET6 && adapter.ipv6.empty()) {
            const auto* in6 = reinterpret_cast<const sockaddr_in6*>(a->ifa_addr);
            if (IN6_IS_ADDR_LINKLOCAL(&in6->sin6_addr) || IN6_IS_ADDR_LOOPBACK(&in6->sin6_addr)) continue;
            if (inet_ntop(AF_INET6, &in6->sin6_addr, text, sizeof text)) adapter.ipv6 = text;
        }
    }
    freeifaddrs(list);

    std::vector<std::string> addresses;
    for (const auto& [index, a] : adapters) {
        if ((a.flags & IFF_LOOPBACK) || !(a.flags & IFF_UP) || (a.flags & IFF_SLAVE)) continue;
        const std::string& address = !a.ipv4.empty() ? a.ipv4 : !a.autoconf4.empty() ? a.autoconf4 : a.ipv6;
        if (address.empty()) continue;
        if (!(a.flags & kLowerUp) && !physical(a.name)) continue;
        addresses.push_back(address);
    }
    return addresses;
}

}  // namespace platform::linux_backend
