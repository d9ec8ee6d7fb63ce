#include "standins/ipconfig/DhcpActions.h"

#include <signal.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <sstream>

#include "standins/common/Exec.h"
#include "standins/common/Files.h"
#include "standins/common/Pattern.h"
#include "standins/common/Snapshot.h"

namespace standins {

namespace {

// How long a client may take to get its lease; CFGSCOPE_DHCP_TIMEOUT
// (seconds) shortens or lengthens it.
int clientTimeoutMs() {
    const char* v = std::getenv("CFGSCOPE_DHCP_TIMEOUT");
    int s = v ? std::atoi(v) : 0;
    return (s >= 1 && s <= 300 ? s : 30) * 1000;
}

// The user has time to answer the elevation prompt.
constexpr int kElevationTimeoutMs = 300000;

struct Outcome {
    bool ok = false;
    std::string text;
    bool needsRoot = false;  // the owner would do it for root only
};

bool processGone(int pid, int waitMs) {
    for (int waited = 0; waited <= waitMs; waited += 20) {
        if (kill(pid, 0) != 0) return true;
        timespec pause{0, 20 * 1000000};
        nanosleep(&pause, nullptr);
    }
    return false;
}

// The last line of a program's output, without its full stop.
std::string lastLine(std::string text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == '.')) text.pop_back();
    if (auto nl = text.rfind('\n'); nl != std::string::npos) text = text.substr(nl + 1);
    return text;
}

Outcome fromRun(const ExecResult& r, const std::string& what) {
    if (!r.started) return {false, r.error};
    if (r.timedOut)
        return {false, what + " did not finish within " + std::to_string(clientTimeoutMs() / 1000) +
                           " s and was stopped"};
    if (r.exitCode != 0) {
        std::string detail = lastLine(r.output);
        return {false, what + " failed (exit " + std::to_string(r.exitCode) + ")" + (detail.empty() ? "" : ": " + detail)};
    }
    return {true, {}};
}

ExecResult runClient(const std::vector<std::string>& argv) { return runProgram(argv, clientTimeoutMs(), true); }

// The client programs are started with their own default files only: no
// script, configuration, lease or pid file is taken from the command line of
// the process that ran before (a local user may have started it).
Outcome dhclientRelease(const DhcpOwner& o, const std::string& ifname) {
    if (o.released) return {true, "already released"};
    if (!keepReleased(ifname, "dhclient"))
        return {false, std::string("cannot note the release for the renew in ") + kReleasedStateFolder};
    Outcome r = fromRun(runClient({"dhclient", "-4", "-r", ifname}), "dhclient -r");
    if (o.pid > 0 && !processGone(o.pid, 2000)) kill(o.pid, SIGTERM);
    return r;
}

Outcome dhclientRenew(const DhcpOwner& o, const std::string& ifname) {
    if (o.pid > 0) {
        // A running client is restarted: it asks for its lease again at once.
        kill(o.pid, SIGTERM);
        if (!processGone(o.pid, 3000)) return {false, "the running dhclient (pid " + std::to_string(o.pid) + ") does not stop"};
    }
    // -1: one try, then it ends instead of going on in the background.
    ExecResult run = runClient({"dhclient", "-4", "-1", ifname});
    Outcome r = fromRun(run, "dhclient");
    if (r.ok) {
        forgetReleased(ifname);
    } else {
        if (run.timedOut || run.exitCode == 2)
            r.text = "no DHCP server answered within " + std::to_string(clientTimeoutMs() / 1000) + " s";
        // A later renew can try again.
        keepReleased(ifname, "dhclient");
    }
    return r;
}

Outcome dhcpcdAct(bool release, const DhcpOwner& o, const std::string& ifname) {
    std::vector<std::string> argv{"dhcpcd"};
    if (!o.family.empty()) argv.push_back(o.family);
    argv.insert(argv.end(), {release ? "-k" : "-n", "--", ifname});
    if (release && o.released) return {true, "already released"};
    if (release && !keepReleased(ifname, o.family.empty() ? "dhcpcd" : "dhcpcd " + o.family))
        return {false, std::string("cannot note the release for the renew in ") + kReleasedStateFolder};
    Outcome r = fromRun(runClient(argv), "dhcpcd");
    if (!release && r.ok) forgetReleased(ifname);
    return r;
}

bool linkIsUp(const std::string& ifname) {
    // IFF_UP in the flags ("0x1003"); a file that went with the link reads as down.
    const std::string flags = readFile("/sys/class/net/" + ifname + "/flags").value_or("0");
    return readFile("/sys/class/net/" + ifname + "/operstate").value_or("").rfind("down", 0) != 0 &&
           (std::strtoul(flags.c_str(), nullptr, 16) & 1u);
}

Outcome networkdAct(bool release, const DhcpOwner& o, const std::string& ifname) {
    // systemd-networkd has no release of its own: the link goes down and
    // gives up its lease; the renew brings it up again.
    std::string verb = release ? "down" : (o.released && !linkIsUp(ifname) ? "up" : "renew");
    if (release && o.released) return {true, "already released"};
    ExecResult run = runClient({"networkctl", verb, "--", ifname});
    Outcome r = fromRun(run, "networkctl " + verb);
    // An ordinary user whom networkd (through polkit) does not let act.
    if (!r.ok && geteuid() != 0 && run.started && !run.timedOut) r.needsRoot = true;
    return r;
}

Outcome act(DhcpAction action, const DhcpOwner& o, const std::string& ifname) {
    bool release = action == DhcpAction::Release;
    switch (o.client) {
        case DhcpClient::Dhclient:
            if (geteuid() != 0) return {false, "only root can drive dhclient", true};
            return release ? dhclientRelease(o, ifname) : dhclientRenew(o, ifname);
        case DhcpClient::Dhcpcd:
            if (geteuid() != 0) return {false, "only root can drive dhcpcd", true};
            return dhcpcdAct(release, o, ifname);
        case DhcpClient::NetworkManager:
            // nmcli takes no "--": a name that looks like an option never comes here.
            return fromRun(runClient({"nmcli", "device", release ? "disconnect" : "connect", ifname}), "nmcli");
        case DhcpClient::Networkd: return networkdAct(release, o, ifname);
        case DhcpClient::None: break;
    }
    return {false, "not configured by DHCP"};
}

// The same action for one adapter, run as root through pkexec and the
// polkit action the package installs. Its adapter lines are the outcome.
Outcome elevated(DhcpAction action, const std::string& ifname, const std::string& reason) {
    std::string pkexec = findProgram("pkexec");
    if (pkexec.empty())
        return {false, reason + "; pkexec is not installed to ask for root (" + std::string(kElevationAction) + ")"};
    // Root runs the small helper beside this tool, never the tool itself:
    // one verb for one adapter named in full.
    std::string self = realPath("/proc/self/exe");
    const std::string helper = self.substr(0, self.rfind('/') + 1) + kElevationHelper;
    ExecResult r = runProgram({pkexec, helper, action == DhcpAction::Release ? "release" : "renew", ifname},
                              kElevationTimeoutMs, true, true);
    // Its line for the adapter: "Adapter NAME: renewed through ..." or
    // "Adapter NAME: not renewed (client): why."
    std::string said;
    std::istringstream in(r.output);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.rfind("Adapter " + ifname + ": ", 0) == 0) said = line.substr(9 + ifname.size());
    }
    if (!said.empty() && said.back() == '.') said.pop_back();
    if (r.started && !r.timedOut && !said.empty()) {
        if (said.rfind("not ", 0) != 0) return {true, "as root through pkexec"};
        auto why = said.find("): ");
        return {false, (why == std::string::npos ? said : said.substr(why + 3)) + " (as root through pkexec)"};
    }
    if (!r.started) return {false, reason + "; pkexec did not start: " + r.error};
    if (r.timedOut) return {false, reason + "; the request for root through pkexec got no answer"};
    std::string why = lastLine(r.output);
    if (r.output.find("Not authorized") != std::string::npos) why = "not authorized";
    else if (r.exitCode == 126) why = "the request was dismissed";
    return {false, reason + "; pkexec refused root for it (" + std::string(kElevationAction) + ")" +
                       (why.empty() ? "" : ": " + why)};
}

// The owner's action on one adapter, asking for root when it needs it and
// `mayElevate`; its line is written; true when done.
bool actOnAdapter(DhcpAction action, const Adapter& a, const DhcpOwner& o, bool mayElevate, std::ostream& out) {
    const char* verb = action == DhcpAction::Release ? "released" : "renewed";
    Outcome r;
    if (!a.name.empty() && a.name[0] == '-')
        r = {false, "its name begins with \"-\", which " + std::string(clientName(o.client)) +
                        " would read as an option; refused"};
    else
        r = act(action, o, a.name);
    if (r.needsRoot && mayElevate) r = elevated(action, a.name, r.text);
    if (r.ok) {
        out << "Adapter " << a.name << ": " << verb << " through " << clientName(o.client)
            << (r.text.empty() ? "" : " (" + r.text + ")") << ".\r\n";
    } else {
        out << "Adapter " << a.name << ": not " << verb << " (" << clientName(o.client) << "): " << r.text
            << ".\r\n";
    }
    return r.ok;
}

}  // namespace

int runDhcpActionOn(DhcpAction action, const std::string& name, std::ostream& out) {
    Snapshot snap = takeSnapshot();
    if (!snap.error.empty()) {
        out << kInternalError << snap.error << "\r\n";
        return 1;
    }
    for (std::size_t i = 0; i < snap.adapters.size(); ++i) {
        const Adapter& a = snap.adapters[i];
        if (a.name != name) continue;
        if (snap.owners[i].client == DhcpClient::None) {
            out << "Adapter " << a.name << ": not configured by DHCP; nothing to do.\r\n";
            return 1;
        }
        return actOnAdapter(action, a, snap.owners[i], false, out) ? 0 : 1;
    }
    out << "No adapter is named " << name << ".\r\n";
    return 1;
}

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
        (actOnAdapter(action, a, o, true, out) ? done : failed) += 1;
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
