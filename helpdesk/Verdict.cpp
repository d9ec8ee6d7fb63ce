#include "helpdesk/Verdict.h"

#include <algorithm>
#include <array>

#include "capture/ReportText.h"

namespace helpdesk {

namespace {

using capture::AddressMark;
using capture::containsNoCase;
using capture::ipv4Number;

constexpr std::array<std::string_view, 9> kFaultKinds{
    "automatic-address", "unset-address", "duplicate-address", "no-address",      "no-gateway",
    "gateway-outside-subnet", "no-dns",   "damaged-stack",     "media-disconnected"};

bool anyOf(std::string_view text, std::initializer_list<std::string_view> words) {
    return std::any_of(words.begin(), words.end(), [&](std::string_view w) { return containsNoCase(text, w); });
}

bool isAutomatic(unsigned a) { return (a >> 16) == ((169u << 8) | 254u); }

std::optional<unsigned> usableNumber(const Ipv4Entry& e) {
    if (e.masked || e.damaged || e.mark == AddressMark::Duplicate || e.mark == AddressMark::Tentative)
        return std::nullopt;
    auto n = ipv4Number(e.value);
    if (!n || *n == 0 || isAutomatic(*n)) return std::nullopt;
    return n;
}

bool pointToPoint(const Ipv4Entry& e) { return e.mask == "255.255.255.255"; }

// What kind of adapter a header and description name.
struct Nature {
    bool tunnel, bluetooth, wifiDirect, virtualAdapter, hostOnly, ppp, wireless;
    bool physical() const { return !tunnel && !bluetooth && !wifiDirect && !virtualAdapter && !ppp; }
};

Nature natureOf(const AdapterFacts& a) {
    const std::string& d = a.description;
    Nature n{};
    n.tunnel = containsNoCase(a.kind, "tunnel") || anyOf(d, {"isatap", "teredo", "6to4", "tunnel"});
    n.bluetooth = containsNoCase(d, "bluetooth") || containsNoCase(a.name, "bluetooth");
    n.wifiDirect = anyOf(d, {"Wi-Fi Direct", "Virtual WiFi", "Hosted Network"});
    n.hostOnly = anyOf(d, {"Host-Only", "VMware Virtual Ethernet", "Hyper-V Virtual Ethernet"}) ||
                 containsNoCase(a.name, "vEthernet");
    n.virtualAdapter = n.hostOnly || anyOf(d, {"virtual", "VMware", "VirtualBox", "TAP-", "Wintun", "VPN", "Loopback",
                                               "Miniport", "Npcap", "WireGuard"});
    n.ppp = containsNoCase(a.kind, "ppp") ||
            std::any_of(a.addresses.begin(), a.addresses.end(), [](const Ipv4Entry& e) { return pointToPoint(e); });
    n.wireless = anyOf(a.kind, {"wireless", "wi-fi", "wlan"}) || anyOf(d, {"wireless", "wi-fi", "wlan", "802.11"});
    return n;
}

bool usableGateway(std::string_view g) {
    auto n = ipv4Number(g);
    return n && *n != 0 && !isAutomatic(*n);
}

// The adapter's address and gateway that carry a connection, if any.
std::optional<Route> routeOf(const AdapterFacts& a) {
    for (const auto& e : a.addresses) {
        if (!usableNumber(e)) continue;
        for (const auto& g : a.gateways) {
            // A point-to-point link shows its own address or 0.0.0.0.
            if (usableGateway(g) || (pointToPoint(e) && (g == e.value || g == "0.0.0.0")))
                return Route{a.name, e.value, g};
        }
    }
    return std::nullopt;
}

// The masked values would decide: an address and a gateway, one of them masked.
bool maskDecides(const AdapterFacts& a) {
    bool maskedAddress = false, address = false;
    for (const auto& e : a.addresses) {
        maskedAddress |= e.masked;
        address |= usableNumber(e).has_value();
    }
    bool maskedGateway = false, gateway = false;
    for (const auto& g : a.gateways) {
        maskedGateway |= capture::isMaskedValue(g);
        gateway |= usableGateway(g);
    }
    return (maskedAddress && (gateway || maskedGateway)) || (address && maskedGateway);
}

struct Subnet {
    unsigned network, mask;
    bool contains(unsigned a) const { return (a & mask) == network; }
};

std::vector<Subnet> subnetsOf(const AdapterFacts& a) {
    std::vector<Subnet> out;
    for (const auto& e : a.addresses) {
        auto n = usableNumber(e);
        auto m = ipv4Number(e.mask);
        if (n && m && *m != 0) out.push_back({*n & *m, *m});
    }
    return out;
}

bool inAny(const std::vector<Subnet>& subnets, unsigned a) {
    return std::any_of(subnets.begin(), subnets.end(), [a](const Subnet& s) { return s.contains(a); });
}

bool isPrivate(unsigned a) {
    return (a >> 24) == 10 || (a >> 20) == ((172u << 4) | 1u) || (a >> 16) == ((192u << 8) | 168u);
}

// Windows lists these site-local addresses when no server was given.
bool isPlaceholderDns(std::string_view s) { return s.rfind("fec0:0:0:ffff::", 0) == 0; }

class Judge {
public:
    explicit Judge(const MachineFacts& facts) : facts_(facts) {
        for (const auto& a : facts.adapters) natures_.push_back(natureOf(a));
    }

    Verdict run() {
        bool masked = false;
        for (const auto& a : facts_.adapters) {
            if (auto r = routeOf(a)) v_.via.push_back(*r);
            else masked |= maskDecides(a);
        }
        if (!v_.via.empty()) v_.connected = true;
        else if (!masked) v_.connected = false;
        pppCarries_ = std::any_of(v_.via.begin(), v_.via.end(), [&](const Route& r) { return natureOf(*find(r.adapter)).ppp; });
        for (std::size_t i = 0; i < facts_.adapters.size(); ++i) adapter(facts_.adapters[i], natures_[i]);
        if (facts_.routingEnabled)
            add("routing-enabled", kWholeMachine,
                "IP routing is enabled: this computer forwards traffic between its networks.");
        sameSubnetTwice();
        return std::move(v_);
    }

private:
    const AdapterFacts* find(const std::string& name) const {
        for (const auto& a : facts_.adapters)
            if (a.name == name) return &a;
        return &facts_.adapters.front();
    }
    bool carries(const AdapterFacts& a) const {
        return std::any_of(v_.via.begin(), v_.via.end(), [&](const Route& r) { return r.adapter == a.name; });
    }
    void add(const char* kind, const std::string& adapter, std::string text) {
        v_.findings.push_back({kind, adapter, std::move(text)});
    }

    void adapter(const AdapterFacts& a, const Nature& n) {
        const bool via = carries(a);
        bool usable = false, automatic = false;
        for (const auto& e : a.addresses) {
            usable |= usableNumber(e).has_value();
            auto num = ipv4Number(e.value);
            if (num && isAutomatic(*num) && !e.masked) automatic = true;
            if (e.mark == AddressMark::Duplicate)
                add("duplicate-address", a.name,
                    "Another device on the network also uses the address " + e.value + ", so this adapter cannot use it.");
            else if (e.damaged)
                add("damaged-stack", a.name,
                    "The address reads \"" + e.value + "\": letters where digits belong point to a damaged network stack.");
            else if (e.value == "0.0.0.0" && !a.mediaDisconnected)
                add("unset-address", a.name, "The adapter has the address 0.0.0.0: it was given no address.");
        }
        if (automatic && !usable && !a.mediaDisconnected && !n.hostOnly && !(pppCarries_ && !n.ppp))
            add("automatic-address", a.name,
                "The adapter gave itself an automatic 169.254 address: no DHCP server answered it.");
        const bool noAddress = facts_.mediaStateKnown && a.addresses.empty() && !a.mediaDisconnected &&
                               a.dhcp.value_or(false) && n.physical();
        if (noAddress) add("no-address", a.name, "The adapter has a link and DHCP on, but no IPv4 address.");
        if (usable && !via && v_.connected == false && !n.virtualAdapter && !n.tunnel &&
            std::none_of(a.gateways.begin(), a.gateways.end(), usableGateway))
            add("no-gateway", a.name, "The adapter has an address but no default gateway: it reaches only its own network.");
        gatewayOutside(a, n);
        if (via) dnsChecks(a, n);
        dhcpServer(a);
        if (a.mediaDisconnected && v_.connected == false && n.physical())
            add("media-disconnected", a.name,
                n.wireless ? "The wireless adapter is not connected to a network." : "The network cable is unplugged.");
        else if (!via && !noAddress && (a.mediaDisconnected || a.addresses.empty()) &&
                 (v_.connected.value_or(false) || !n.physical()))
            add("idle-adapter", a.name, "Not in use (no link or no address); the connection does not depend on it.");
    }

    void gatewayOutside(const AdapterFacts& a, const Nature& n) {
        if (n.ppp) return;
        auto subnets = subnetsOf(a);
        if (subnets.empty()) return;
        for (const auto& g : a.gateways) {
            if (!usableGateway(g)) continue;
            if (!inAny(subnets, *ipv4Number(g))) {
                add("gateway-outside-subnet", a.name,
                    "The default gateway " + g + " lies outside the adapter's own network, so it cannot be reached.");
                return;
            }
        }
    }

    void dnsChecks(const AdapterFacts& a, const Nature& nature) {
        std::vector<std::string> servers;
        for (const auto& s : a.dnsServers)
            if (!isPlaceholderDns(s)) servers.push_back(s);
        if (servers.empty()) {
            add("no-dns", a.name, "The adapter carries the connection but lists no DNS server, so names will not resolve.");
            return;
        }
        for (std::size_t i = 0; i < servers.size(); ++i)
            if (std::find(servers.begin(), servers.begin() + static_cast<std::ptrdiff_t>(i), servers[i]) !=
                servers.begin() + static_cast<std::ptrdiff_t>(i))
                add("dns-duplicate", a.name, "The DNS server " + servers[i] + " is listed twice.");
        auto subnets = subnetsOf(a);
        bool anyPrivate = false;
        for (const auto& s : servers) {
            auto number = ipv4Number(s);
            if (!number) continue;
            anyPrivate |= isPrivate(*number);
            // A point-to-point link's own network is the one address.
            if (isPrivate(*number) && !nature.ppp && !subnets.empty() && !inAny(subnets, *number))
                add("dns-unusual", a.name,
                    "The DNS server " + s + " is a private address outside the adapter's network; lookups may be slow.");
        }
        if (!facts_.primaryDnsSuffix.empty() && !anyPrivate &&
            std::any_of(servers.begin(), servers.end(), [](const std::string& s) { return ipv4Number(s).has_value(); }))
            add("dns-unusual", a.name,
                "The computer belongs to the domain " + facts_.primaryDnsSuffix +
                    " but asks only public DNS servers, which do not know it.");
    }

    void dhcpServer(const AdapterFacts& a) {
        if (!a.dhcp.value_or(false) || a.dhcpServer.empty()) return;
        auto n = ipv4Number(a.dhcpServer);
        if (!n) return;
        auto subnets = subnetsOf(a);
        if (*n == 0 || *n == 0xFFFFFFFFu)
            add("dhcp-server-unusual", a.name, "The DHCP server reads " + a.dhcpServer + ": no server gave the address.");
        else if (!subnets.empty() && !inAny(subnets, *n))
            add("dhcp-server-unusual", a.name,
                "The DHCP server " + a.dhcpServer + " lies outside the adapter's network (a relay or a stray server).");
    }

    void sameSubnetTwice() {
        std::vector<std::pair<Subnet, const AdapterFacts*>> seen;
        for (const auto& a : facts_.adapters) {
            for (const auto& s : subnetsOf(a)) {
                auto twin = std::find_if(seen.begin(), seen.end(), [&](const auto& p) {
                    return p.second != &a && p.first.network == s.network && p.first.mask == s.mask;
                });
                if (twin != seen.end()) {
                    add("same-subnet-twice", a.name,
                        "The adapter shares its network with " + twin->second->name + "; traffic may take either.");
                    break;
                }
                seen.emplace_back(s, &a);
            }
        }
    }

    const MachineFacts& facts_;
    std::vector<Nature> natures_;
    Verdict v_;
    bool pppCarries_ = false;
};

}  // namespace

bool isFault(const Finding& f) {
    return std::find(kFaultKinds.begin(), kFaultKinds.end(), f.kind) != kFaultKinds.end();
}

Verdict judge(const MachineFacts& facts) { return Judge(facts).run(); }

std::string verdictLine(const Verdict& v) {
    if (!v.connected) return "Not known: the sender masked the addresses that decide";
    if (!*v.connected) return "Not connected: no adapter has both a usable IPv4 address and a default gateway";
    std::string out = "Connected through ";
    for (std::size_t i = 0; i < v.via.size(); ++i) {
        const Route& r = v.via[i];
        out += (i == 0 ? "" : " and ") + r.adapter + " (" + r.address + ", gateway " + r.gateway + ")";
    }
    return out;
}

}  // namespace helpdesk
