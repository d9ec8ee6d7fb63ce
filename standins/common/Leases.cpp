#include "standins/common/Leases.h"

#include <cstdlib>
#include <sstream>

namespace standins {

namespace {

std::string trim(std::string s) {
    auto b = s.find_first_not_of(" \t\r\n");
    auto e = s.find_last_not_of(" \t\r\n");
    return b == std::string::npos ? std::string{} : s.substr(b, e - b + 1);
}

std::string unquote(std::string s) {
    if (s.size() >= 2 && s.front() == '"' && s.back() == '"') return s.substr(1, s.size() - 2);
    return s;
}

// "4 2024/05/02 10:55:29" (UTC) or "epoch 1714646129".
std::optional<std::time_t> dhclientTime(const std::string& value) {
    std::istringstream in(value);
    std::string first;
    in >> first;
    if (first == "epoch") {
        long long n = 0;
        if (in >> n) return static_cast<std::time_t>(n);
        return std::nullopt;
    }
    if (first == "never") return std::nullopt;
    std::tm tm{};
    char s1, s2, c1, c2;
    if (!(in >> tm.tm_year >> s1 >> tm.tm_mon >> s2 >> tm.tm_mday >> tm.tm_hour >> c1 >> tm.tm_min >> c2 >> tm.tm_sec))
        return std::nullopt;
    tm.tm_year -= 1900;
    tm.tm_mon -= 1;
    return timegm(&tm);
}

std::optional<long long> number(const std::string& s) {
    if (s.empty()) return std::nullopt;
    char* end = nullptr;
    long long n = std::strtoll(s.c_str(), &end, 10);
    if (end == s.c_str() || *end) return std::nullopt;
    return n;
}

}  // namespace

std::vector<std::string> splitList(const std::string& text) {
    std::vector<std::string> out;
    std::string word;
    for (char c : text) {
        if (c == ' ' || c == ',' || c == '\t') {
            if (!word.empty()) out.push_back(word), word.clear();
        } else {
            word += c;
        }
    }
    if (!word.empty()) out.push_back(word);
    return out;
}

std::string keyValue(const std::string& text, const std::string& key) {
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind(key + "=", 0) != 0) continue;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        return line.substr(key.size() + 1);
    }
    return {};
}

std::optional<Lease> parseDhclientLeases(const std::string& text, const std::string& ifname) {
    std::optional<Lease> found;
    Lease current;
    std::string iface;
    long long leaseTime = -1;
    bool inLease = false;
    std::istringstream in(text);
    std::string raw;
    while (std::getline(in, raw)) {
        std::string line = trim(raw);
        if (line.rfind("lease", 0) == 0 && line.find('{') != std::string::npos) {
            inLease = true;
            current = Lease{};
            iface.clear();
            leaseTime = -1;
            continue;
        }
        if (!inLease) continue;
        if (line == "}") {
            inLease = false;
            if (iface == ifname && !current.address.empty()) {
                if (current.expires && leaseTime >= 0) current.obtained = *current.expires - leaseTime;
                found = current;
            }
            continue;
        }
        if (!line.empty() && line.back() == ';') line.pop_back();
        auto take = [&](const std::string& key) -> std::optional<std::string> {
            if (line.rfind(key + " ", 0) != 0) return std::nullopt;
            return trim(line.substr(key.size() + 1));
        };
        if (auto v = take("interface")) iface = unquote(*v);
        else if (auto v = take("fixed-address")) current.address = *v;
        else if (auto v = take("option dhcp-server-identifier")) current.server = *v;
        else if (auto v = take("option domain-name-servers")) current.dns = splitList(*v);
        else if (auto v = take("option domain-name")) current.domain = unquote(*v);
        else if (auto v = take("option dhcp-lease-time")) leaseTime = number(*v).value_or(-1);
        else if (auto v = take("expire")) current.expires = dhclientTime(*v);
    }
    return found;
}

std::optional<Lease> parseNetworkdLease(const std::string& text, std::time_t written) {
    Lease lease;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        auto eq = line.find('=');
        if (eq == std::string::npos || line[0] == '#') continue;
        std::string key = line.substr(0, eq), value = trim(line.substr(eq + 1));
        if (key == "ADDRESS") lease.address = value;
        else if (key == "SERVER_ADDRESS") lease.server = value;
        else if (key == "DNS") lease.dns = splitList(value);
        else if (key == "DOMAINNAME") lease.domain = value;
        else if (key == "LIFETIME") {
            if (auto n = number(value)) {
                lease.obtained = written;
                lease.expires = written + static_cast<std::time_t>(*n);
            }
        }
    }
    if (lease.address.empty()) return std::nullopt;
    return lease;
}

std::optional<Lease> parseNetworkManagerDevice(const std::string& text) {
    Lease lease;
    bool inDhcp4 = false, any = false;
    long long leaseTime = -1;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        line = trim(line);
        if (!line.empty() && line[0] == '[') {
            inDhcp4 = line == "[dhcp4]";
            continue;
        }
        auto eq = line.find('=');
        if (!inDhcp4 || eq == std::string::npos) continue;
        any = true;
        std::string key = line.substr(0, eq), value = trim(line.substr(eq + 1));
        if (key.rfind("dhcp4.", 0) == 0) key.erase(0, 6);
        if (key == "ip_address") lease.address = value;
        else if (key == "dhcp_server_identifier") lease.server = value;
        else if (key == "domain_name_servers") lease.dns = splitList(value);
        else if (key == "domain_name") lease.domain = value;
        else if (key == "dhcp_lease_time") leaseTime = number(value).value_or(-1);
        else if (key == "expiry") {
            if (auto n = number(value)) lease.expires = static_cast<std::time_t>(*n);
        }
    }
    if (!any) return std::nullopt;
    if (lease.expires && leaseTime >= 0) lease.obtained = *lease.expires - leaseTime;
    return lease;
}

std::optional<Lease> parseDhcpcdDump(const std::string& text, std::optional<std::time_t> written) {
    Lease lease;
    long long leaseTime = -1;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        auto eq = line.find('=');
        if (eq == std::string::npos) continue;
        std::string key = line.substr(0, eq), value = unquote(trim(line.substr(eq + 1)));
        if (value.size() >= 2 && value.front() == '\'' && value.back() == '\'') value = value.substr(1, value.size() - 2);
        if (key == "ip_address") lease.address = value;
        else if (key == "dhcp_server_identifier") lease.server = value;
        else if (key == "domain_name_servers") lease.dns = splitList(value);
        else if (key == "domain_name") lease.domain = value;
        else if (key == "dhcp_lease_time") leaseTime = number(value).value_or(-1);
    }
    if (lease.address.empty()) return std::nullopt;
    if (written && leaseTime >= 0) {
        lease.obtained = *written;
        lease.expires = *written + static_cast<std::time_t>(leaseTime);
    }
    return lease;
}

}  // namespace standins
