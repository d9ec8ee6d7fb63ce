// The live configuration of this machine (its current network namespace),
// gathered from the kernel, sysfs, udev's hardware database, the DHCP
// clients and the resolver.
#pragma once

#include <string>
#include <vector>

#include "standins/common/DhcpOwner.h"
#include "standins/common/Links.h"
#include "standins/common/Report.h"

namespace standins {

struct Snapshot {
    HostInfo host;
    std::vector<Adapter> adapters;      // the ones the report shows, in order
    std::vector<DhcpOwner> owners;      // beside `adapters`
    std::string error;
};

// Links that the report shows: not loopback, administratively up.
bool shownInReport(const Link& link);

// A port of a bridge, bond or team: it carries no address of its own (a
// container's or a virtual machine's link on the host, a bond's slave), so
// the report leaves it out; the bridge or bond is the adapter.
bool enslavedPort(const Link& link, const std::vector<Link>& links);

// A bridge without ports: the kernel gives it carrier until a first port
// came and went, but nothing is plugged into it either way.
bool portlessBridge(const Link& link, const std::vector<Link>& links);

// The IPv4 addresses without a 169.254 alias when the link has a real
// address beside it (avahi's or NetworkManager's link-local alias).
std::vector<Address> withoutAutoconfAlias(const std::vector<Address>& ipv4);

// A wireless device, from its folder under /sys/class/net.
bool wirelessDevice(const std::string& sysDir);

AdapterKind kindOf(const Link& link, bool wireless);

Snapshot takeSnapshot();

}  // namespace standins
