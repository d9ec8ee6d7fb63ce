// The network lab (lab/lab.sh) for tests: a real DHCP owner of the veth
// `vnm0` in a private namespace, dnsmasq serving it from a peer, the lab's
// own /etc, /usr, /var/lib and /run; stopped with everything in it when the
// object goes, even when a test fails.
#pragma once

#include <string>
#include <vector>

#include "standins/common/Exec.h"

namespace standins::testing {

class Lab {
public:
    // owner: dhclient, dhcpcd, nm, nm-resolved, networkd. `bridgePorts`: a
    // bridge `brlab` with that many veth ports beside vnm0.
    explicit Lab(const std::string& owner, int bridgePorts = 0);
    ~Lab();
    Lab(const Lab&) = delete;
    Lab& operator=(const Lab&) = delete;

    bool ok() const { return ok_; }
    // Why the lab did not start; `skip` when something is missing here.
    const std::string& error() const { return error_; }
    bool skip() const { return skip_; }
    const std::string& dir() const { return dir_; }

    // A command inside the lab as root, or as one of its users: "cfglab"
    // (an ordinary user) or "cfgevil" (another local user).
    ExecResult run(const std::vector<std::string>& argv, int timeoutMs = 30000);
    ExecResult runAs(const std::string& user, const std::vector<std::string>& argv, int timeoutMs = 30000);
    // A value of the lab's DIR/env: nsa and nsb (its namespaces), cfglab_uid, cfgevil_uid.
    std::string env(const std::string& key) const;

    // vnm0's IPv4 address ("10.77.0.55") and prefix, empty when it has none.
    std::string address(int* prefix = nullptr);
    // Waits up to `ms` until vnm0 has an address (or none); true when so.
    bool waitForAddress(bool present, int ms);
    // The server's lease of `address`: its expiry time, 0 when there is none.
    long long serverLeaseExpiry(const std::string& address);

private:
    std::string dir_;
    std::string error_;
    bool ok_ = false;
    bool skip_ = false;
};

// Where the lab installs the report tool (the packaged path, which the
// polkit action names).
inline constexpr const char* kLabIpconfig = "/usr/libexec/cfgscope/ipconfig";

}  // namespace standins::testing
