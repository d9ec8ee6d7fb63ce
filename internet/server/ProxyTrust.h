// Which peers may name the caller in X-Forwarded-For, and the caller's
// address that follows from a request.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace webserver {

// An IPv4 or IPv6 address as 16 bytes (IPv4 as ::ffff:a.b.c.d).
using Address = std::array<unsigned char, 16>;
std::optional<Address> parseAddress(const std::string& text);

class TrustedProxies {
public:
    // "192.0.2.1", "10.0.0.0/8", "2001:db8::/32", "::ffff:10.0.0.0/104";
    // false for anything else (a mapped IPv4 prefix shorter than 96 bits too).
    bool add(const std::string& text);
    bool contains(const Address& address) const;
    bool empty() const { return networks_.empty(); }
    // As given to add(), in order.
    const std::vector<std::string>& texts() const { return texts_; }

private:
    struct Network {
        Address address;
        int bits;
    };
    std::vector<Network> networks_;
    std::vector<std::string> texts_;
};

// The caller's address. The peer is the caller unless it is a trusted proxy;
// then X-Forwarded-For is read from its end, each entry naming the hop before,
// until a hop that is not trusted: that one is the caller. An entry that is
// not an address ends the walk at the hop that sent it. Engines such as nginx
// (real_ip_recursive) and Apache httpd (mod_remoteip) read it the same way.
// Every X-Forwarded-For line of a request counts, joined in order with ", "
// (a proxy may add a line of its own rather than extend the client's).
std::string callerAddress(const std::string& peer, const std::string& forwardedFor, const TrustedProxies& trusted);

}  // namespace webserver
