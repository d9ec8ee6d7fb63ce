#include "standins/common/DhcpOwner.h"

#include <dirent.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <sstream>

#include "standins/common/Exec.h"
#include "standins/common/Files.h"

namespace standins {

namespace {

// Options of dhclient and dhcpcd that take a value.
const std::vector<std::string> kValueOptions = {"-pf", "-lf", "-cf", "-sf", "-df", "-p", "-s", "-e", "-g",
                                                "-C", "-H", "-F", "-V", "-timeout", "--timeout", "-t", "-c",
                                                "-f", "-h", "-i", "-I", "-l", "-m", "-o", "-O", "-r", "-v",
                                                "-u", "-y", "-z", "-w"};

// Where the clients' programs are installed; PATH is not asked, since the
// caller's PATH may name anything.
const char* const kProgramFolders[] = {"/usr/sbin/", "/sbin/", "/usr/bin/", "/bin/", "/usr/lib/systemd/",
                                       "/lib/systemd/", "/usr/local/sbin/"};

std::string installedProgram(const std::string& name) {
    for (const char* folder : kProgramFolders) {
        std::string p = realPath(folder + name);
        if (!p.empty()) return p;
    }
    return {};
}

long userId(const char* name) {
    passwd* pw = getpwnam(name);
    return pw ? static_cast<long>(pw->pw_uid) : -1;
}

// The identity of the network namespace a process is in, readable for
// every process (its ns/net link is not, for other users' processes).
ino_t netNamespaceOf(const std::string& pid) {
    struct stat st {};
    return stat(("/proc/" + pid + "/net/dev").c_str(), &st) == 0 ? st.st_ino : 0;
}

std::string netNamespaceId() {
    char buf[64];
    ssize_t n = readlink("/proc/self/ns/net", buf, sizeof buf - 1);
    std::string id;
    for (ssize_t i = 0; i < n; ++i)
        if (buf[i] >= '0' && buf[i] <= '9') id += buf[i];
    return id;
}

std::string trimNewline(std::string s) {
    while (!s.empty() && (s.back() == '\n' || s.back() == '\r')) s.pop_back();
    return s;
}

// The effective uid from /proc/PID/status ("Uid: real effective saved fs");
// -1 when the real and effective uid differ.
long processUid(const std::string& status) {
    std::istringstream in(status);
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind("Uid:", 0) != 0) continue;
        std::istringstream w(line.substr(4));
        long real = -1, effective = -1;
        if (w >> real >> effective && real == effective) return effective;
        return -1;
    }
    return -1;
}

struct KnownClient {
    const char* comm;
    std::string program;
    long serviceUid;
};

bool allDigits(const std::string& s) {
    return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::vector<std::string> entriesOf(const std::string& folder) {
    std::vector<std::string> names;
    if (DIR* d = opendir(folder.c_str())) {
        while (dirent* e = readdir(d)) names.emplace_back(e->d_name);
        closedir(d);
    }
    return names;
}

std::vector<std::string> allPids() {
    std::vector<std::string> pids;
    for (auto& name : entriesOf("/proc"))
        if (allDigits(name)) pids.push_back(std::move(name));
    return pids;
}

bool endsWith(const std::string& s, const std::string& tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

// The processes that may be a client here, found without asking every
// process: those holding a netlink socket in this namespace (its port id
// is the process id, or holds it in its low 22 bits for libnl's further
// sockets), which NetworkManager, systemd-networkd and dhcpcd all do, the
// pid files dhclient and dhcpcd write, and the processes of the network
// services.
std::vector<std::string> candidatePids() {
    std::vector<std::string> pids;
    auto add = [&](unsigned long pid) {
        if (pid == 0 || pid > 0x3FFFFF) return;
        std::string text = std::to_string(pid);
        if (std::find(pids.begin(), pids.end(), text) == pids.end()) pids.push_back(text);
    };
    std::istringstream netlink(readFile("/proc/net/netlink").value_or(""));
    std::string line;
    std::getline(netlink, line);  // the heading
    while (std::getline(netlink, line)) {
        std::istringstream words(line);
        std::string sk, protocol;
        unsigned long port = 0;
        if (!(words >> sk >> protocol >> port)) continue;
        add(port <= 0x3FFFFF ? port : port & 0x3FFFFF);
    }
    std::vector<std::string> files;
    for (const auto& name : entriesOf("/run"))
        if ((name.rfind("dhclient", 0) == 0 || name.rfind("dhcpcd", 0) == 0) && endsWith(name, ".pid"))
            files.push_back("/run/" + name);
    for (const auto& name : entriesOf("/run/dhcpcd"))
        if (name == "pid" || endsWith(name, ".pid")) files.push_back("/run/dhcpcd/" + name);
    for (const auto& f : files) {
        std::string text = trimNewline(readFile(f).value_or(""));
        if (allDigits(text) && text.size() < 8) add(std::stoul(text));
    }
    // The services' own process lists (cgroup v2, then v1): a manager whose
    // netlink socket the service manager opened for it is found there.
    std::vector<std::string> groups;
    for (const char* root : {"/sys/fs/cgroup/system.slice/", "/sys/fs/cgroup/systemd/system.slice/"}) {
        for (const char* unit : {"systemd-networkd.service", "NetworkManager.service", "dhcpcd.service",
                                 "networking.service"})
            groups.push_back(std::string(root) + unit);
        for (const auto& name : entriesOf(std::string(root) + "system-ifup.slice"))
            if (name != "." && name != "..") groups.push_back(std::string(root) + "system-ifup.slice/" + name);
    }
    for (const auto& g : groups) {
        std::istringstream in(readFile(g + "/cgroup.procs").value_or(""));
        std::string pid;
        while (std::getline(in, pid))
            if (allDigits(pid) && pid.size() < 8) add(std::stoul(pid));
    }
    return pids;
}

// A packet socket that takes every protocol (dhclient's) open on some link
// of this namespace.
bool rawSocketOpen() {
    std::istringstream in(readFile("/proc/net/packet").value_or(""));
    std::string line;
    std::getline(in, line);
    while (std::getline(in, line)) {
        std::istringstream words(line);
        std::string sk, refs, type, protocol;
        if (words >> sk >> refs >> type >> protocol && protocol == "0003") return true;
    }
    return false;
}

// The process `pid` when it is one of the known clients, in this network
// namespace, and trusted as that client.
std::optional<DhcpProcess> trustedProcess(const std::string& pid, const std::vector<KnownClient>& known, ino_t self,
                                          long selfUid) {
    auto comm = readFile("/proc/" + pid + "/comm");
    if (!comm) return std::nullopt;
    std::string name = trimNewline(*comm);
    auto k = std::find_if(known.begin(), known.end(), [&](const KnownClient& x) { return name == x.comm; });
    if (k == known.end() || netNamespaceOf(pid) != self) return std::nullopt;
    DhcpProcess p;
    p.pid = std::atoi(pid.c_str());
    p.comm = name;
    p.uid = processUid(readFile("/proc/" + pid + "/status").value_or(""));
    p.exe = realPath("/proc/" + pid + "/exe");
    if (p.exe.empty()) {
        // realpath fails on " (deleted)"; the link's text still tells.
        char buf[PATH_MAX];
        ssize_t n = readlink(("/proc/" + pid + "/exe").c_str(), buf, sizeof buf - 1);
        if (n > 0) p.exe.assign(buf, static_cast<std::size_t>(n));
    }
    if (!trustedClient(p, selfUid, k->program, k->serviceUid)) return std::nullopt;
    p.argv = splitNul(readFile("/proc/" + pid + "/cmdline").value_or(""));
    return p;
}

bool namesInterface(const DhcpProcess& p, const std::string& ifname) {
    auto ifs = clientInterfaces(p.argv);
    return ifs.empty() || std::find(ifs.begin(), ifs.end(), ifname) != ifs.end();
}

// The lease in dhclient's own default files; a lease file named on a
// command line is not read.
std::optional<Lease> dhclientLease(const std::string& ifname) {
    for (const auto& f : {"/var/lib/dhcp/dhclient." + ifname + ".leases", std::string("/var/lib/dhcp/dhclient.leases")})
        if (auto text = readFile(f))
            if (auto lease = parseDhclientLeases(*text, ifname)) return lease;
    return std::nullopt;
}

std::optional<Lease> dhcpcdLease(const std::string& ifname, const std::string& family) {
    std::vector<std::string> argv{"dhcpcd"};
    if (!family.empty()) argv.push_back(family);
    argv.insert(argv.end(), {"-U", "--", ifname});
    ExecResult r = runProgram(argv, 5000, true);
    if (!r.started || r.exitCode != 0) return std::nullopt;
    return parseDhcpcdDump(r.output, modifiedTime("/var/lib/dhcpcd/" + ifname + ".lease"));
}

// A note is trusted only in a folder and file of root's that no one else
// can write.
bool ownedByRootOnly(const std::string& path, bool folder) {
    struct stat st {};
    if (lstat(path.c_str(), &st) != 0 || st.st_uid != 0 || (st.st_mode & 022)) return false;
    return folder ? S_ISDIR(st.st_mode) : S_ISREG(st.st_mode);
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

bool trustedClient(const DhcpProcess& p, long selfUid, const std::string& program, long serviceUid) {
    bool privileged = p.uid == 0 || (serviceUid >= 0 && p.uid == serviceUid);
    if (!privileged && (p.uid < 0 || p.uid != selfUid)) return false;
    if (program.empty()) return false;
    if (p.exe.empty()) return privileged && selfUid != 0;
    std::string exe = p.exe;
    const std::string deleted = " (deleted)";  // the package was upgraded under it
    if (exe.size() > deleted.size() && exe.compare(exe.size() - deleted.size(), deleted.size(), deleted) == 0)
        exe.erase(exe.size() - deleted.size());
    return exe == program;
}

std::vector<std::string> clientInterfaces(const std::vector<std::string>& argvIn) {
    std::vector<std::string> out;
    // A process title is padded with NULs to the length of the command line.
    std::vector<std::string> argv = argvIn;
    while (!argv.empty() && argv.back().empty()) argv.pop_back();
    if (argv.size() == 1 && argv[0].rfind("dhcpcd: ", 0) == 0) {
        // dhcpcd's title: its interfaces between bracketed roles.
        std::string title = argv[0].substr(8), plain;
        if (title.find("[manager]") != std::string::npos || title.find("[master]") != std::string::npos) return {};
        int depth = 0;
        for (char c : title) {
            depth += c == '[' ? 1 : c == ']' ? -1 : 0;
            plain += depth > 0 || c == ']' ? ' ' : c;
        }
        std::istringstream words(plain);
        std::string w;
        while (words >> w) out.push_back(w);
        return out;
    }
    bool isDhclient = !argv.empty() && argv[0].find("dhclient") != std::string::npos;
    for (std::size_t i = 1; i < argv.size(); ++i) {
        const std::string& a = argv[i];
        if (a == "--") {
            out.insert(out.end(), argv.begin() + static_cast<long>(i) + 1, argv.end());
            break;
        }
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

std::string dhcpcdFamily(const std::vector<std::string>& argv) {
    for (const auto& a : argv) {
        if (a == "-4" || a == "--ipv4only" || (a.rfind("dhcpcd: ", 0) == 0 && a.find("[ip4]") != std::string::npos &&
                                               a.find("[ip6]") == std::string::npos))
            return "-4";
        if (a == "-6" || a == "--ipv6only" || (a.rfind("dhcpcd: ", 0) == 0 && a.find("[ip6]") != std::string::npos &&
                                               a.find("[ip4]") == std::string::npos))
            return "-6";
    }
    return {};
}

bool networkdWantsDhcp(const std::string& linkState, const std::string& networkFile) {
    if (keyValue(linkState, "NETWORK_FILE").empty()) return false;
    std::istringstream in(networkFile);
    std::string line;
    bool wants = false;
    while (std::getline(in, line)) {
        line.erase(std::remove_if(line.begin(), line.end(), [](char c) { return c == ' ' || c == '\t' || c == '\r'; }),
                   line.end());
        if (line.rfind("DHCP=", 0) == 0) {
            std::string v = line.substr(5);
            wants = v == "yes" || v == "ipv4" || v == "true" || v == "1" || v == "on";
        }
    }
    return wants;
}

std::string releasedStatePath(const std::string& ifname) {
    return std::string(kReleasedStateFolder) + "/released-" + netNamespaceId() + "-" + ifname;
}

bool keepReleased(const std::string& ifname, const std::string& client) {
    if (geteuid() != 0) return false;
    mkdir(kReleasedStateFolder, 0755);
    if (!ownedByRootOnly(kReleasedStateFolder, true)) return false;
    std::string path = releasedStatePath(ifname);
    unlink(path.c_str());
    mode_t old = umask(022);
    bool ok = writeFile(path, client);
    umask(old);
    return ok;
}

void forgetReleased(const std::string& ifname) {
    if (geteuid() == 0) unlink(releasedStatePath(ifname).c_str());
}

std::vector<DhcpProcess> dhcpProcesses() {
    std::vector<DhcpProcess> out;
    const ino_t self = netNamespaceOf("self");
    if (self == 0) return out;
    const long selfUid = static_cast<long>(geteuid());
    const std::vector<KnownClient> known = {
        {"dhclient", installedProgram("dhclient"), -1},
        {"dhcpcd", installedProgram("dhcpcd"), userId("dhcpcd")},
        {"NetworkManager", installedProgram("NetworkManager"), -1},
        {"systemd-network", installedProgram("systemd-networkd"), userId("systemd-network")},
    };
    auto look = [&](const std::vector<std::string>& pids) {
        for (const auto& pid : pids)
            if (auto p = trustedProcess(pid, known, self, selfUid)) out.push_back(std::move(*p));
    };
    std::vector<std::string> candidates = candidatePids();
    look(candidates);
    // A dhclient still asking for its first lease has written no pid file
    // yet; its raw socket on a link tells that one may run, and only then
    // is every process asked.
    bool dhclientFound = std::any_of(out.begin(), out.end(), [](const DhcpProcess& p) { return p.comm == "dhclient"; });
    if (!dhclientFound && rawSocketOpen()) {
        std::vector<std::string> rest;
        for (auto& pid : allPids())
            if (std::find(candidates.begin(), candidates.end(), pid) == candidates.end()) rest.push_back(pid);
        look(rest);
    }
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
            owner.lease = dhclientLease(ifname);
            return owner;
        }
        if (p.comm == "dhcpcd" && namesInterface(p, ifname)) {
            owner.client = DhcpClient::Dhcpcd;
            owner.pid = p.pid;
            owner.family = dhcpcdFamily(p.argv);
            owner.lease = dhcpcdLease(ifname, owner.family);
            return owner;
        }
    }
    for (const auto& p : processes) {
        if (p.comm == "NetworkManager") {
            auto text = readFile("/run/NetworkManager/devices/" + idx);
            if (!text || text->find("managed=true") == std::string::npos) continue;
            owner.client = DhcpClient::NetworkManager;
            owner.pid = p.pid;
            if (text->find("[dhcp4]") != std::string::npos) {
                owner.lease = parseNetworkManagerDevice(*text);
                return owner;
            }
            // Connected without DHCP: a static profile. Disconnected: released.
            if (!keyValue(*text, "connection-uuid").empty()) owner.client = DhcpClient::None;
            else owner.released = true;
            return owner;
        }
        if (p.comm == "systemd-network") {
            std::string leaseFile = "/run/systemd/netif/leases/" + idx;
            if (auto text = readFile(leaseFile)) {
                owner.client = DhcpClient::Networkd;
                owner.pid = p.pid;
                owner.lease = parseNetworkdLease(*text, modifiedTime(leaseFile).value_or(0));
                return owner;
            }
            auto state = readFile("/run/systemd/netif/links/" + idx).value_or("");
            std::string file = keyValue(state, "NETWORK_FILE");
            if (!file.empty() && networkdWantsDhcp(state, readFile(file).value_or(""))) {
                owner.client = DhcpClient::Networkd;
                owner.pid = p.pid;
                owner.released = true;
                return owner;
            }
        }
    }
    // A client we released: noted so that a renew can start it again.
    std::string note = releasedStatePath(ifname);
    if (ownedByRootOnly(kReleasedStateFolder, true) && ownedByRootOnly(note, false)) {
        std::string saved = trimNewline(readFile(note).value_or(""));
        if (saved == "dhclient") owner.client = DhcpClient::Dhclient;
        else if (saved.rfind("dhcpcd", 0) == 0) {
            owner.client = DhcpClient::Dhcpcd;
            if (saved == "dhcpcd -4" || saved == "dhcpcd -6") owner.family = saved.substr(7);
        }
        owner.released = owner.client != DhcpClient::None;
    }
    return owner;
}

}  // namespace standins
