#include "internet/server/ProxyTrust.h"

#include <arpa/inet.h>

#include <charconv>
#include <cstring>

namespace webserver {

namespace {

std::string trimmed(const std::string& s) {
    auto begin = s.find_first_not_of(" \t");
    if (begin == std::string::npos) return {};
    auto end = s.find_last_not_of(" \t");
    return s.substr(begin, end - begin + 1);
}

bool isMappedV4(const Address& a) {
    static const unsigned char prefix[12] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xff, 0xff};
    return std::memcmp(a.data(), prefix, sizeof prefix) == 0;
}

}  // namespace

std::optional<Address> parseAddress(const std::string& text) {
    Address a{};
    in_addr v4{};
    if (inet_pton(AF_INET, text.c_str(), &v4) == 1) {
        a[10] = a[11] = 0xff;
        std::memcpy(a.data() + 12, &v4, 4);
        return a;
    }
    if (inet_pton(AF_INET6, text.c_str(), a.data()) == 1) return a;
    return std::nullopt;
}

bool TrustedProxies::add(const std::string& text) {
    auto slash = text.find('/');
    auto address = parseAddress(text.substr(0, slash));
    if (!address) return false;
    bool v4 = isMappedV4(*address) && text.find(':') == std::string::npos;
    int maxBits = v4 ? 32 : 128;
    int bits = maxBits;
    if (slash != std::string::npos) {
        const char* first = text.data() + slash + 1;
        const char* last = text.data() + text.size();
        auto [end, ec] = std::from_chars(first, last, bits);
        if (first == last || ec != std::errc{} || end != last || bits < 0 || bits > maxBits) return false;
        // "::ffff:127.0.0.1/8" would cover every IPv4 address: a mapped
        // prefix must keep the whole mapping (the IPv4 prefix is bits - 96).
        if (!v4 && isMappedV4(*address) && bits < 96) return false;
    }
    if (maxBits == 32) bits += 96;
    networks_.push_back({*address, bits});
    texts_.push_back(text);
    return true;
}

bool TrustedProxies::contains(const Address& address) const {
    for (const auto& n : networks_) {
        int whole = n.bits / 8, rest = n.bits % 8;
        if (std::memcmp(address.data(), n.address.data(), static_cast<std::size_t>(whole)) != 0) continue;
        if (rest == 0) return true;
        unsigned char mask = static_cast<unsigned char>(0xff << (8 - rest));
        if ((address[whole] & mask) == (n.address[whole] & mask)) return true;
    }
    return false;
}

std::string callerAddress(const std::string& peer, const std::string& forwardedFor, const TrustedProxies& trusted) {
    std::string caller = peer;
    if (trusted.empty()) return caller;
    std::size_t end = forwardedFor.size();
    while (true) {
        auto hop = parseAddress(caller);
        if (!hop || !trusted.contains(*hop)) return caller;
        if (end == 0 || forwardedFor.find_first_not_of(" \t,") == std::string::npos) return caller;
        std::size_t comma = forwardedFor.rfind(',', end - 1);
        std::size_t begin = comma == std::string::npos ? 0 : comma + 1;
        std::string entry = trimmed(forwardedFor.substr(begin, end - begin));
        if (!parseAddress(entry)) return caller;
        caller = entry;
        if (comma == std::string::npos) return caller;
        end = comma;
    }
}

}  // namespace webserver
