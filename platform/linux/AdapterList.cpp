#include "platform/linux/AdapterList.h"

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netinet/in.h>

#include <map>

namespace platform::linux_backend {

std::optional<std::vector<std::string>> firstAddressOfEachAdapter() {
    ifaddrs* list = nullptr;
    if (getifaddrs(&list) != 0) return std::nullopt;

    struct Adapter {
        bool loopback = false;
        bool up = false;
        std::string address;
    };
    // Interface index -> adapter; std::map keeps index order.
    std::map<unsigned, Adapter> adapters;
    for (ifaddrs* a = list; a; a = a->ifa_next) {
        // An address label such as "eth0:1" belongs to the interface "eth0".
        std::string name(a->ifa_name);
        unsigned index = if_nametoindex(name.c_str());
        if (index == 0) index = if_nametoindex(name.substr(0, name.find(':')).c_str());
        if (index == 0) continue;
        Adapter& adapter = adapters[index];
        if (a->ifa_flags & IFF_LOOPBACK) adapter.loopback = true;
        if (a->ifa_flags & IFF_UP) adapter.up = true;
        // getifaddrs lists each interface's addresses in the kernel's order,
        // the primary address first.
        if (a->ifa_addr && a->ifa_addr->sa_family == AF_INET && adapter.address.empty()) {
            char text[INET_ADDRSTRLEN] = {};
            const auto* in = reinterpret_cast<const sockaddr_in*>(a->ifa_addr);
            if (inet_ntop(AF_INET, &in->sin_addr, text, sizeof text)) adapter.address = text;
        }
    }
    freeifaddrs(list);

    std::vector<std::string> addresses;
    for (const auto& [index, adapter] : adapters)
        if (!adapter.loopback && adapter.up) addresses.push_back(adapter.address.empty() ? "0.0.0.0" : adapter.address);
    return addresses;
}

}  // namespace platform::linux_backend
