// Which DHCP client looks after an interface in this network namespace,
// and its lease. Only a client that is really the installed program, run by
// root (or by its own service account, or by the user running the tool),
// counts: any local user can start a process named "dhclient".
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "standins/common/Leases.h"

namespace standins {

enum class DhcpClient { None, Dhclient, Dhcpcd, NetworkManager, Networkd };

const char* clientName(DhcpClient c);

struct DhcpOwner {
    DhcpClient client = DhcpClient::None;
    int pid = 0;             // the running client, 0 when none
    std::string family;      // dhcpcd's "-4" or "-6" when its daemon serves one family
    bool released = false;   // released, waiting for a renew
    std::optional<Lease> lease;
};

struct DhcpProcess {
    int pid = 0;
    std::string comm;
    std::vector<std::string> argv;
    long uid = -1;    // effective uid; -1 when unknown
    std::string exe;  // the program it runs; empty when it cannot be read
};

// Whether a process named like a client counts as that client: owned by
// root, by the user running the tool (`selfUid`) or by the client's own
// service account (`serviceUid`, -1 for none), and running `program` (its
// real path). An executable that cannot be read is accepted only for a
// process of root or of the service account seen by another user, which no
// ordinary user can start.
bool trustedClient(const DhcpProcess& p, long selfUid, const std::string& program, long serviceUid);

// The trusted DHCP client processes of this network namespace.
std::vector<DhcpProcess> dhcpProcesses();

// The owner of `ifname` among `processes`; the lease when one can be read.
DhcpOwner findOwner(const std::string& ifname, int ifindex, const std::vector<DhcpProcess>& processes);

// The interfaces a dhclient or dhcpcd command line (or dhcpcd's process
// title, "dhcpcd: eth0 [ip4]") names; empty = all.
std::vector<std::string> clientInterfaces(const std::vector<std::string>& argv);
// dhcpcd's address family from its command line or title: "-4", "-6" or "".
std::string dhcpcdFamily(const std::vector<std::string>& argv);

// Whether systemd-networkd's link state (links/IFINDEX) and the .network
// file it names ask for DHCPv4 on the link.
bool networkdWantsDhcp(const std::string& linkState, const std::string& networkFile);

// A released client (nothing runs for the interface until the renew) is
// noted in this folder, one root-owned file per namespace and interface
// holding the client ("dhclient", "dhcpcd -4").
inline constexpr const char* kReleasedStateFolder = "/run/cfgscope-ipconfig";
std::string releasedStatePath(const std::string& ifname);
// Only root keeps notes; false when the note cannot be kept.
bool keepReleased(const std::string& ifname, const std::string& client);
void forgetReleased(const std::string& ifname);

}  // namespace standins
