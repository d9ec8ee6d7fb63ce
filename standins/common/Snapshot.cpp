#include "standins/common/Snapshot.h"

#include <linux/if_arp.h>
#include <linux/if.h>
#include <unistd.h>

#include <algorithm>
#include <numeric>
#include <sstream>

#include "standins/common/Files.h"
#include "standins/common/Resolver.h"

namespace standins {

namespace {

std::string udevProperty(const std::string& data, const std::string& key) {
    std::istringstream in(data);
    std::string line;
    std::string prefix = "E:" + key + "=";
    while (std::getline(in, line))
        if (line.rfind(prefix, 0) == 0) return line.substr(prefix.size());
    return {};
}

std::string baseName(const std::string& path) {
    auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string linkTarget(const std::string& path) {
    char buf[512];
    ssize_t n = readlink(path.c_str(), buf, sizeof buf - 1);
    return n > 0 ? std::string(buf, static_cast<std::size_t>(n)) : std::string{};
}

// Vendor and model from the hardware database, else the driver, else the
// kind of virtual link.
std::string describe(const Link& link, const std::string& sys, bool physical) {
    if (!physical) return link.kind.empty() ? "Network link" : "Virtual " + link.kind + " link";
    auto udev = readFile("/run/udev/data/n" + std::to_string(link.index));
    if (udev) {
        std::string vendor = udevProperty(*udev, "ID_VENDOR_FROM_DATABASE");
        std::string model = udevProperty(*udev, "ID_MODEL_FROM_DATABASE");
        if (!model.empty()) return vendor.empty() ? model : vendor + " " + model;
    }
    std::string driver = baseName(linkTarget(sys + "/device/driver"));
    if (!driver.empty()) return driver + " network device";
    if (!link.kind.empty()) return "Virtual " + link.kind + " link";
    return "Network link";
}

std::string hostName(std::string& domain) {
    char buf[256] = {};
    if (gethostname(buf, sizeof buf - 1) != 0) return {};
    std::string name = buf;
    if (auto dot = name.find('.'); dot != std::string::npos) {
        domain = name.substr(dot + 1);
        name.erase(dot);
    }
    return name;
}

bool hasGlobalAddress(const Adapter& a) {
    for (const auto& v : a.ipv4)
        if (!isAutoconf4(v.text)) return true;
    for (const auto& v : a.ipv6)
        if (!isLinkLocal6(v.text)) return true;
    return false;
}

}  // namespace

bool shownInReport(const Link& link) {
    return !(link.flags & IFF_LOOPBACK) && (link.flags & IFF_UP) && link.arpType != ARPHRD_LOOPBACK;
}

bool enslavedPort(const Link& link, const std::vector<Link>& links) {
    if (link.flags & IFF_SLAVE) return true;
    if (link.master == 0) return false;
    auto m = std::find_if(links.begin(), links.end(), [&](const Link& l) { return l.index == link.master; });
    return m != links.end() &&
           (m->kind == "bridge" || m->kind == "openvswitch" || m->kind == "bond" || m->kind == "team");
}

bool portlessBridge(const Link& link, const std::vector<Link>& links) {
    return link.kind == "bridge" &&
           std::none_of(links.begin(), links.end(), [&](const Link& l) { return l.master == link.index; });
}

std::vector<Address> withoutAutoconfAlias(const std::vector<Address>& ipv4) {
    bool other = std::any_of(ipv4.begin(), ipv4.end(), [](const Address& a) { return !isAutoconf4(a.text); });
    if (!other) return ipv4;
    std::vector<Address> out;
    for (const auto& a : ipv4)
        if (!isAutoconf4(a.text)) out.push_back(a);
    return out;
}

bool wirelessDevice(const std::string& sysDir) { return exists(sysDir + "/wireless") || exists(sysDir + "/phy80211"); }

AdapterKind kindOf(const Link& link, bool wireless) {
    if (link.kind == "wireguard") return AdapterKind::Unknown;
    if (wireless) return AdapterKind::Wireless;
    switch (link.arpType) {
        case ARPHRD_PPP: return AdapterKind::Ppp;
        case ARPHRD_SIT:
        case ARPHRD_TUNNEL6:
        case ARPHRD_TUNNEL: return AdapterKind::Tunnel;
        case ARPHRD_NONE: return AdapterKind::Unknown;
        default: return AdapterKind::Ethernet;
    }
}

Snapshot takeSnapshot() {
    Snapshot snap;
    LinkSnapshot links = readLinks();
    if (!links.error.empty()) {
        snap.error = links.error;
        return snap;
    }
    ResolvConf rc = systemResolvConf();
    snap.host.hostName = hostName(snap.host.primaryDnsSuffix);
    snap.host.ipRouting = readFile("/proc/sys/net/ipv4/ip_forward").value_or("0").rfind("1", 0) == 0;
    snap.host.searchList = rc.search;
    if (snap.host.searchList.empty() && !rc.domain.empty()) snap.host.searchList.push_back(rc.domain);
    auto processes = dhcpProcesses();
    const bool networkdRuns = std::any_of(processes.begin(), processes.end(),
                                          [](const DhcpProcess& p) { return p.comm == "systemd-network"; });

    std::vector<std::pair<Adapter, DhcpOwner>> rows;
    for (const auto& link : links.links) {
        if (link.flags & IFF_LOOPBACK || enslavedPort(link, links.links)) continue;
        if (!shownInReport(link) && !networkdRuns) continue;
        DhcpOwner owner = findOwner(link.name, link.index, processes);
        // A link systemd-networkd took down for a release stays in the report.
        bool releasedDown = owner.client == DhcpClient::Networkd && owner.released;
        if (!shownInReport(link) && !releasedDown) continue;
        const std::string sys = "/sys/class/net/" + link.name;
        Adapter a;
        a.name = link.name;
        a.index = link.index;
        // Hardware (a port or a radio) has a device folder; the other
        // questions to sysfs and udev are about hardware only.
        a.physical = exists(sys + "/device");
        a.kind = kindOf(link, a.physical && wirelessDevice(sys));
        // A link taken down for a release is not a pulled cable.
        a.carrier = ((link.flags & IFF_LOWER_UP) != 0 && !portlessBridge(link, links.links)) || releasedDown;
        // Only a port or a radio has a cable to pull: a bridge without
        // ports, a tun no program holds or a veth whose peer is down is not
        // an adapter at all for now, unless a DHCP client waits for a link
        // there (then release and renew still reach it).
        if (!a.carrier && !a.physical && owner.client == DhcpClient::None) continue;
        a.description = describe(link, sys, a.physical);
        a.mac = link.mac;
        a.ipv4 = withoutAutoconfAlias(link.ipv4);
        a.ipv6 = link.ipv6;
        a.gateways4 = link.gateways4;
        a.gateways6 = link.gateways6;
        a.routeRank = link.routeRank;
        a.dhcp = owner.client != DhcpClient::None;
        std::vector<std::string> servers = resolvedLinkServers(link.index);
        if (servers.empty() && owner.client == DhcpClient::Networkd) servers = networkdLinkServers(link.index);
        if (owner.lease) {
            const Lease& l = *owner.lease;
            // Lease details describe the adapter only while it holds the address.
            bool held = std::any_of(a.ipv4.begin(), a.ipv4.end(), [&](const Address& x) { return x.text == l.address; });
            if (held || l.address.empty()) {
                a.dhcpServer = l.server;
                a.leaseObtained = l.obtained;
                a.leaseExpires = l.expires;
                a.dnsSuffix = l.domain;
                if (servers.empty()) servers = l.dns;
            }
        }
        if (servers.empty() && hasGlobalAddress(a)) servers = rc.servers;
        a.dnsServers = orderServers(servers);
        if (a.dnsSuffix.empty() && !a.dnsServers.empty()) a.dnsSuffix = rc.domain;
        rows.emplace_back(std::move(a), std::move(owner));
    }
    std::stable_sort(rows.begin(), rows.end(),
                     [](const auto& x, const auto& y) { return shownBefore(x.first, y.first); });
    for (auto& [a, o] : rows) {
        snap.adapters.push_back(std::move(a));
        snap.owners.push_back(std::move(o));
    }
    return snap;
}

}  // namespace standins
