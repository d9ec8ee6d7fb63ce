// Which DHCP client looks after an interface in this network namespace,
// and its lease.
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
    int pid = 0;                    // the running client, 0 when none
    std::vector<std::string> argv;  // dhclient's command line, to start it again
    bool released = false;          // released by us, waiting for a renew
    std::optional<Lease> lease;
};

struct DhcpProcess {
    int pid = 0;
    std::string comm;
    std::vector<std::string> argv;
};

// The DHCP client processes that run in this network namespace.
std::vector<DhcpProcess> dhcpProcesses();

// The owner of `ifname` among `processes`; the lease when one can be read.
DhcpOwner findOwner(const std::string& ifname, int ifindex, const std::vector<DhcpProcess>& processes);

// The interfaces a dhclient or dhcpcd command line names; empty = all.
std::vector<std::string> clientInterfaces(const std::vector<std::string>& argv);
// The value of option `opt` ("-lf") in a command line.
std::string optionValue(const std::vector<std::string>& argv, const std::string& opt);

// Where a released dhclient's command line is kept until the renew: a file
// per namespace and interface in this folder.
inline constexpr const char* kReleasedStateFolder = "/run/cfgscope-ipconfig";
std::string releasedStatePath(const std::string& ifname);
// Keeps and forgets that command line; false when it cannot be kept.
bool keepReleased(const std::string& ifname, const std::vector<std::string>& argv);
void forgetReleased(const std::string& ifname);

}  // namespace standins
