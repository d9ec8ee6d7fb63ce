#include "standins/common/DhcpOwner.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>

#include "standins/common/Files.h"

namespace standins {

namespace {

// Options of dhclient and dhcpcd that take a value.
const std::vector<std::string> kValueOptions = {"-pf", "-lf", "-cf", "-sf", "-df", "-p", "-s", "-e", "-g",
                                                "-C", "-H", "-F", "-V", "-timeout", "--timeout", "-t", "-c",
                                                "-f", "-h", "-i", "-I", "-l", "-m", "-o", "-O", "-r", "-v",
                                                "-u", "-y", "-z", "-w"};

std::string netNamespace(const std::string& pid) {
    char buf[64];
    ssize_t n = readlink(("/proc/" + pid + "/ns/net").c_str(), buf, sizeof buf - 1);
    return n > 0 ? std::string(buf, static_cast<std::size_t>(n)) : std::string{};
}

std::string trimNewline(std::string s) {
    while (!s.empty() && (s.back() == '\n' || s.back() == '\r')) s.pop_back();
    return s;
}

bool namesInterface(const DhcpProcess& p, const std::string& ifname) {
    auto ifs = clientInterfaces(p.argv);
    return ifs.empty() || std::find(ifs.begin(), ifs.end(), ifname) != ifs.end();
}

std::optional<Lease> dhclientLease(const std::vector<std::string>& argv, const std::string& ifname) {
    std::vector<std::string> files;
    std::string lf = optionValue(argv, "-lf");
    if (!lf.empty()) files.push_back(lf);
    files.push_back("/var/lib/dhcp/dhclient." + ifname + ".leases");
    files.push_back("/var/lib/dhcp/dhclient.leases");
    for (const auto& f : files)
        if (auto text = readFile(f))
            if (auto lease = parseDhclientLeases(*text, ifname)) return lease;
    return std::nullopt;
}

}  // namespace

const char* clientName(DhcpClient c) {
    switch (c) {
        case DhcpClient::Dhclient: return "dhclient";
        case DhcpClient::Dhcpcd: return "dhcpcd";
        case DhcpClient::NetworkManager: return "NetworkManager";
        case DhcpClient::Networkd: return "systemd-networkd";
        case DhcpClient::None: break;
    }
    return "none";
}

std::vector<std::string> clientInterfaces(const std::vector<std::string>& argv) {
    std::vector<std::string> out;
    bool isDhclient = !argv.empty() && argv[0].find("dhclient") != std::string::npos;
    for (std::size_t i = 1; i < argv.size(); ++i) {
        const std::string& a = argv[i];
        if (!a.empty() && a[0] == '-') {
            bool takes = std::find(kValueOptions.begin(), kValueOptions.end(), a) != kValueOptions.end();
            // dhclient's -v, -i, -I, -w and friends are plain flags.
            if (isDhclient && (a == "-v" || a == "-i" || a == "-I" || a == "-w" || a == "-r" || a == "-x" ||
                               a == "-d" || a == "-q" || a == "-4" || a == "-6" || a == "-1" || a == "-nw"))
                takes = false;
            if (takes) ++i;
            continue;
        }
        out.push_back(a);
    }
    return out;
}

std::string optionValue(const std::vector<std::string>& argv, const std::string& opt) {
    for (std::size_t i = 1; i + 1 < argv.size(); ++i)
        if (argv[i] == opt) return argv[i + 1];
    return {};
}

std::string releasedStatePath(const std::string& ifname) {
    std::string ns = netNamespace("self");
    std::string id;
    for (char c : ns)
        if (c >= '0' && c <= '9') id += c;
    return std::string(kReleasedStateFolder) + "/released-" + id + "-" + ifname;
}

bool keepReleased(const std::string& ifname, const std::vector<std::string>& argv) {
    mkdir(kReleasedStateFolder, 0700);
    std::string saved;
    for (const auto& a : argv) saved += a + '\0';
    return writeFile(releasedStatePath(ifname), saved);
}

void forgetReleased(const std::string& ifname) { unlink(releasedStatePath(ifname).c_str()); }

std::vector<DhcpProcess> dhcpProcesses() {
    std::vector<DhcpProcess> out;
    std::string self = netNamespace("self");
    DIR* d = opendir("/proc");
    if (!d) return out;
    while (dirent* e = readdir(d)) {
        std::string pid = e->d_name;
        if (pid.empty() || !std::all_of(pid.begin(), pid.end(), [](char c) { return c >= '0' && c <= '9'; }))
            continue;
        auto comm = readFile("/proc/" + pid + "/comm");
        if (!comm) continue;
        std::string name = trimNewline(*comm);
        if (name != "dhclient" && name != "dhcpcd" && name != "NetworkManager" && name != "systemd-network")
            continue;
        // A process whose namespace cannot be read (another user's) counts
        // only when this process is in the first namespace too.
        std::string ns = netNamespace(pid);
        if (ns.empty() ? self != netNamespace("1") : ns != self) continue;
        DhcpProcess p;
        p.pid = std::atoi(pid.c_str());
        p.comm = name;
        p.argv = splitNul(readFile("/proc/" + pid + "/cmdline").value_or(""));
        out.push_back(std::move(p));
    }
    closedir(d);
    std::sort(out.begin(), out.end(), [](const DhcpProcess& a, const DhcpProcess& b) { return a.pid < b.pid; });
    return out;
}

DhcpOwner findOwner(const std::string& ifname, int ifindex, const std::vector<DhcpProcess>& processes) {
    DhcpOwner owner;
    const std::string idx = std::to_string(ifindex);
    for (const auto& p : processes) {
        if (p.comm == "dhclient" && namesInterface(p, ifname)) {
            owner.client = DhcpClient::Dhclient;
            owner.pid = p.pid;
            owner.argv = p.argv;
            owner.lease = dhclientLease(p.argv, ifname);
            return owner;
        }
        if (p.comm == "dhcpcd" && namesInterface(p, ifname)) {
            owner.client = DhcpClient::Dhcpcd;
            owner.pid = p.pid;
            return owner;
        }
    }
    for (const auto& p : processes) {
        if (p.comm == "NetworkManager") {
            auto text = readFile("/run/NetworkManager/devices/" + idx);
            if (text && text->find("[dhcp4]") != std::string::npos) {
                owner.client = DhcpClient::NetworkManager;
                owner.pid = p.pid;
                owner.lease = parseNetworkManagerDevice(*text);
                return owner;
            }
        }
        if (p.comm == "systemd-network") {
            std::string leaseFile = "/run/systemd/netif/leases/" + idx;
            if (auto text = readFile(leaseFile)) {
                owner.client = DhcpClient::Networkd;
                owner.pid = p.pid;
                owner.lease = parseNetworkdLease(*text, modifiedTime(leaseFile).value_or(0));
                return owner;
            }
        }
    }
    // A dhclient we released: kept so that a renew can start it again.
    if (auto saved = readFile(releasedStatePath(ifname))) {
        owner.client = DhcpClient::Dhclient;
        owner.argv = splitNul(*saved);
        owner.released = !owner.argv.empty();
        if (!owner.released) owner.client = DhcpClient::None;
    }
    return owner;
}

}  // namespace standins
