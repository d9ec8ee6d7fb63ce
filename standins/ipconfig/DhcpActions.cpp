#include "standins/ipconfig/DhcpActions.h"

#include <signal.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>

#include "standins/common/Exec.h"
#include "standins/common/Pattern.h"
#include "standins/common/Snapshot.h"

namespace standins {

namespace {

constexpr int kClientTimeoutMs = 30000;

struct Outcome {
    bool ok = false;
    std::string text;
};

// dhclient's command line for one interface: `extra` flags first, the
// daemon-only flags dropped, the interface last.
std::vector<std::string> dhclientArgs(const std::vector<std::string>& argv, const std::string& ifname,
                                      const std::vector<std::string>& extra) {
    std::vector<std::string> out{"dhclient"};
    out.insert(out.end(), extra.begin(), extra.end());
    auto named = clientInterfaces(argv);
    for (std::size_t i = 1; i < argv.size(); ++i) {
        const std::string& a = argv[i];
        if (a == "-d" || a == "-r" || a == "-x" || a == "-nw") continue;
        if (std::find(named.begin(), named.end(), a) != named.end()) continue;
        out.push_back(a);
    }
    out.push_back(ifname);
    return out;
}

bool processGone(int pid, int waitMs) {
    for (int waited = 0; waited <= waitMs; waited += 20) {
        if (kill(pid, 0) != 0) return true;
        timespec pause{0, 20 * 1000000};
        nanosleep(&pause, nullptr);
    }
    return false;
}

Outcome fromRun(const ExecResult& r, const std::string& what) {
    if (!r.started) return {false, r.error};
    if (r.timedOut) return {false, what + " did not finish within " + std::to_string(kClientTimeoutMs / 1000) + " s"};
    if (r.exitCode != 0) {
        std::string detail = r.output;
        while (!detail.empty() && (detail.back() == '\n' || detail.back() == '\r')) detail.pop_back();
        if (auto nl = detail.rfind('\n'); nl != std::string::npos) detail = detail.substr(nl + 1);
        return {false, what + " failed (exit " + std::to_string(r.exitCode) + ")" + (detail.empty() ? "" : ": " + detail)};
    }
    return {true, {}};
}

Outcome dhclientRelease(const DhcpOwner& o, const std::string& ifname) {
    if (o.released) return {true, "already released"};
    if (!keepReleased(ifname, o.argv))
        return {false, std::string("cannot keep dhclient's command line for the renew in ") + kReleasedStateFolder};
    Outcome r = fromRun(runProgram(dhclientArgs(o.argv, ifname, {"-r"}), kClientTimeoutMs, true), "dhclient -r");
    if (r.ok && o.pid > 0 && !processGone(o.pid, 2000)) kill(o.pid, SIGTERM);
    return r;
}

Outcome dhclientRenew(const DhcpOwner& o, const std::string& ifname) {
    if (o.pid > 0) {
        // A running client is restarted: it asks for its lease again at once.
        kill(o.pid, SIGTERM);
        if (!processGone(o.pid, 3000)) return {false, "the running dhclient (pid " + std::to_string(o.pid) + ") does not stop"};
    }
    ExecResult run = runProgram(dhclientArgs(o.argv, ifname, {}), kClientTimeoutMs, true);
    Outcome r = fromRun(run, "dhclient");
    if (r.ok) {
        forgetReleased(ifname);
    } else if (run.timedOut) {
        r.text = "no DHCP server answered within " + std::to_string(kClientTimeoutMs / 1000) + " s";
        // Keep the command line so that a later renew can try again.
        keepReleased(ifname, o.argv);
    }
    return r;
}

Outcome act(DhcpAction action, const DhcpOwner& o, const std::string& ifname) {
    bool release = action == DhcpAction::Release;
    switch (o.client) {
        case DhcpClient::Dhclient:
            if (geteuid() != 0) return {false, "permission denied: dhclient can only be driven by root"};
            return release ? dhclientRelease(o, ifname) : dhclientRenew(o, ifname);
        case DhcpClient::Dhcpcd:
            if (geteuid() != 0) return {false, "permission denied: dhcpcd can only be driven by root"};
            return fromRun(runProgram({"dhcpcd", release ? "-k" : "-n", ifname}, kClientTimeoutMs, true), "dhcpcd");
        case DhcpClient::NetworkManager:
            return fromRun(runProgram({"nmcli", "device", release ? "disconnect" : "connect", ifname},
                                      kClientTimeoutMs, true),
                           "nmcli");
        case DhcpClient::Networkd:
            if (release) return {false, "systemd-networkd keeps its lease until the link goes down; use /renew"};
            return fromRun(runProgram({"networkctl", "renew", ifname}, kClientTimeoutMs, true), "networkctl renew");
        case DhcpClient::None: break;
    }
    return {false, "not configured by DHCP"};
}

}  // namespace

int runDhcpAction(DhcpAction action, const std::string& pattern, std::ostream& out) {
    const char* verb = action == DhcpAction::Release ? "released" : "renewed";
    Snapshot snap = takeSnapshot();
    if (!snap.error.empty()) {
        out << kInternalError << snap.error << "\r\n";
        return 1;
    }
    int matched = 0, done = 0, failed = 0;
    for (std::size_t i = 0; i < snap.adapters.size(); ++i) {
        const Adapter& a = snap.adapters[i];
        if (!pattern.empty() && !matchesPattern(pattern, a.name)) continue;
        ++matched;
        const DhcpOwner& o = snap.owners[i];
        if (o.client == DhcpClient::None) {
            // Only an adapter asked for by name is a failure when it is static.
            if (!pattern.empty()) {
                out << "Adapter " << a.name << ": not configured by DHCP; nothing to do.\r\n";
                ++failed;
            }
            continue;
        }
        Outcome r = act(action, o, a.name);
        if (r.ok) {
            ++done;
            out << "Adapter " << a.name << ": " << verb << " through " << clientName(o.client)
                << (r.text.empty() ? "" : " (" + r.text + ")") << ".\r\n";
        } else {
            ++failed;
            out << "Adapter " << a.name << ": not " << verb << " (" << clientName(o.client) << "): " << r.text
                << ".\r\n";
        }
    }
    if (matched == 0) {
        out << (pattern.empty() ? std::string("No adapter is up.")
                                : "No adapter matches the name " + pattern + ".")
            << "\r\n";
        return 1;
    }
    if (done == 0 && failed == 0) {
        out << "No adapter is configured by DHCP; nothing was " << verb << ".\r\n";
        return 1;
    }
    return failed == 0 ? 0 : 1;
}

}  // namespace standins
