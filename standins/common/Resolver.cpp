#include "standins/common/Resolver.h"

#include <algorithm>
#include <sstream>

#include "standins/common/Files.h"
#include "standins/common/Leases.h"

namespace standins {

ResolvConf parseResolvConf(const std::string& text) {
    ResolvConf rc;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        std::string key;
        words >> key;
        if (key.empty() || key[0] == '#' || key[0] == ';') continue;
        std::string value;
        if (key == "nameserver" && words >> value) rc.servers.push_back(value);
        else if (key == "search") {
            rc.search.clear();
            while (words >> value) rc.search.push_back(value);
        } else if (key == "domain" && words >> value) rc.domain = value;
    }
    return rc;
}

ResolvConf systemResolvConf() { return parseResolvConf(readFile("/etc/resolv.conf").value_or("")); }

std::vector<std::string> resolvedLinkServers(int ifindex) {
    auto text = readFile("/run/systemd/resolve/netif/" + std::to_string(ifindex));
    return splitList(keyValue(text.value_or(""), "SERVERS"));
}

std::vector<std::string> networkdLinkServers(int ifindex) {
    auto text = readFile("/run/systemd/netif/links/" + std::to_string(ifindex));
    return splitList(keyValue(text.value_or(""), "DNS"));
}

std::vector<std::string> orderServers(const std::vector<std::string>& servers) {
    std::vector<std::string> v4, v6;
    for (auto s : servers) {
        // resolved may keep "addr#name" or "addr:port" forms; the address is enough.
        if (auto hash = s.find('#'); hash != std::string::npos) s.erase(hash);
        bool isV6 = s.find(':') != std::string::npos;
        if (s.rfind("127.0.0.53", 0) == 0 || s.rfind("127.0.0.54", 0) == 0) continue;
        auto& list = isV6 ? v6 : v4;
        if (std::find(list.begin(), list.end(), s) == list.end()) list.push_back(s);
    }
    v4.insert(v4.end(), v6.begin(), v6.end());
    return v4;
}

}  // namespace standins
