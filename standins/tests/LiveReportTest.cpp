// The report tool and the script runner on real links in a namespace:
// static address with gateway and DNS, a link without carrier, a
// link-local 169.254 address; the report read back by the program's parser.
// Then one namespace per kind of machine (Docker host, VPN client, IPv6
// only, policy routing, ...) against the sections, gateways and status.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/if_tun.h>
#include <net/if.h>
#include <sched.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <fstream>

#include "Netns.h"
#include "capture/DiagnosisReport.h"
#include "capture/ReportParser.h"
#include "standins/common/Files.h"

using namespace standins;
using namespace standins::testing;

namespace {

class LiveReport : public ::testing::Test {
protected:
    void SetUp() override {
        std::string why = namespaceSkipReason();
        if (!why.empty()) GTEST_SKIP() << why;
        ns_ = std::make_unique<Netns>("rep");
        ASSERT_TRUE(ns_->ok()) << "cannot create namespace " << ns_->name();
        Netns& n = *ns_;
        ASSERT_TRUE(n.ip({"link", "add", "vstatic", "type", "veth", "peer", "name", "vpeer"}));
        ASSERT_TRUE(n.ip({"addr", "add", "10.20.0.2/24", "dev", "vstatic"}));
        ASSERT_TRUE(n.ip({"link", "set", "vstatic", "up"}));
        ASSERT_TRUE(n.ip({"link", "set", "vpeer", "up"}));
        ASSERT_TRUE(n.ip({"route", "add", "default", "via", "10.20.0.1", "dev", "vstatic"}));
        ASSERT_TRUE(n.writeResolvConf("nameserver 10.20.0.53\nnameserver 10.20.0.54\n"));
        // Peer left down: no carrier.
        ASSERT_TRUE(n.ip({"link", "add", "vnocarrier", "type", "veth", "peer", "name", "vnocpeer"}));
        ASSERT_TRUE(n.ip({"link", "set", "vnocarrier", "up"}));
        // Dummy links are not in every kernel: veth pairs serve throughout.
        ASSERT_TRUE(n.ip({"link", "add", "dll0", "type", "veth", "peer", "name", "dllpeer"}));
        ASSERT_TRUE(n.ip({"link", "set", "dllpeer", "up"}));
        ASSERT_TRUE(n.ip({"addr", "add", "169.254.7.8/16", "dev", "dll0"}));
        ASSERT_TRUE(n.ip({"link", "set", "dll0", "up"}));
        ASSERT_TRUE(n.ip({"link", "add", "ddown", "type", "veth", "peer", "name", "ddownpeer"}));  // left down
    }
    void TearDown() override { ns_.reset(); }

    std::string macOf(const std::string& link) {
        auto r = ns_->exec({"cat", "/sys/class/net/" + link + "/address"});
        std::string mac = r.output.substr(0, 17);
        std::transform(mac.begin(), mac.end(), mac.begin(), [](char c) { return c == ':' ? '-' : (char)toupper(c); });
        return mac;
    }

    std::unique_ptr<Netns> ns_;
};

std::size_t rowOf(const capture::ParseResult& r, const std::string& adapter) {
    for (std::size_t i = 0; i < r.adapterEntries.size(); ++i)
        if (r.adapterEntries[i].find("adapter " + adapter) != std::string::npos) return i + 1;
    return 0;
}

}  // namespace

TEST_F(LiveReport, ReportShowsTheKernelsLinksAndParses) {
    ExecResult run = ns_->exec({binPath("ipconfig"), "/all"});
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_NE(run.output.find("\r\nWindows IP Configuration\r\n"), std::string::npos);
    EXPECT_NE(run.output.find("Autoconfiguration IPv4 Address. . : 169.254.7.8(Preferred) \r\n"), std::string::npos)
        << run.output;

    app::AdapterTable table{};
    auto r = capture::parseReport(splitCrLf(run.output), "vista", "12:00:00", table);
    ASSERT_FALSE(r.internalError) << run.output;
    EXPECT_EQ(r.adapterEntries.size(), 4u) << run.output;  // vstatic, vpeer, dll0, dllpeer
    // A veth whose peer is down is no cable to plug in: left out.
    for (const char* absent : {"adapter lo:", "ddown", "vnocpeer", "vnocarrier"})
        EXPECT_EQ(run.output.find(absent), std::string::npos) << absent;

    std::size_t s = rowOf(r, "vstatic");
    ASSERT_NE(s, 0u);
    EXPECT_EQ(table[s][2], "IP Address:       10.20.0.2(Preferred) ");
    EXPECT_EQ(table[s][3], "Mac Address:      " + macOf("vstatic"));
    EXPECT_EQ(table[s][4], "Dhcp Enabled:     No");
    EXPECT_EQ(table[s][6], "Subnet Mask:      255.255.255.0");
    EXPECT_EQ(table[s][7], "Default Gateway:  10.20.0.1");
    EXPECT_EQ(table[s][11], "DNS Server 1:     10.20.0.53");
    EXPECT_EQ(table[s][12], "DNS Server 2:     10.20.0.54");

    // The one fault: the automatic address.
    EXPECT_EQ(r.faultCount, 1);
}

TEST_F(LiveReport, RunnerWritesTheReportFileOfGetdata) {
    const std::string folder = ns_->folder();
    std::string winFolder = folder;
    std::replace(winFolder.begin(), winFolder.end(), '/', '\\');
    ASSERT_TRUE(writeFile(folder + "/getdata.bat", "ipconfig /all > " + winFolder + "\\data.txt\r\n"));
    ExecResult run = ns_->exec({binPath("batrun"), folder + "/getdata.bat"});
    EXPECT_EQ(run.exitCode, 0) << run.output;
    auto data = readFile(folder + "/data.txt");
    ASSERT_TRUE(data);
    auto lines = splitCrLf(*data);
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[1], "Windows IP Configuration");
    EXPECT_NE(data->find("Ethernet adapter vstatic:\r\n"), std::string::npos);
}

TEST_F(LiveReport, DiagnoseShowsTheNamespacesAdapters) {
    ExecResult run = ns_->exec({"env", "TEMP=" + ns_->folder(), binPath("cfgscope"), "--diagnose"}, 60000);
    EXPECT_EQ(run.exitCode, 1) << run.output;  // faults found
    EXPECT_NE(run.output.find("Ethernet adapter vstatic"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("10.20.0.2"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("169.254.7.8"), std::string::npos) << run.output;
    // The verdict on the same report: online through the static link, the
    // link-local address of a link with a carrier a fault of its own.
    EXPECT_NE(run.output.find("\nVerdict: Connected through vstatic (10.20.0.2, gateway 10.20.0.1)\n"),
              std::string::npos)
        << run.output;
    EXPECT_NE(run.output.find("\n  automatic-address on dll0: "), std::string::npos) << run.output;
}

namespace {

// Opens the tun or tap device `name` of namespace `ns` as a VPN client
// does: it has carrier while the descriptor stays open. -1 on failure.
int holdTun(const std::string& ns, const std::string& name) {
    int self = open("/proc/self/ns/net", O_RDONLY | O_CLOEXEC);
    int target = open(("/run/netns/" + ns).c_str(), O_RDONLY | O_CLOEXEC);
    int fd = -1;
    if (self >= 0 && target >= 0 && setns(target, CLONE_NEWNET) == 0) {
        fd = open("/dev/net/tun", O_RDWR | O_CLOEXEC);
        ifreq ifr{};
        ifr.ifr_flags = static_cast<short>((name.rfind("tap", 0) == 0 ? IFF_TAP : IFF_TUN) | IFF_NO_PI);
        std::strncpy(ifr.ifr_name, name.c_str(), IFNAMSIZ - 1);
        if (fd >= 0 && ioctl(fd, TUNSETIFF, &ifr) != 0) close(fd), fd = -1;
        if (setns(self, CLONE_NEWNET) != 0) std::abort();  // never go on in the wrong namespace
    }
    if (self >= 0) close(self);
    if (target >= 0) close(target);
    return fd;
}

using Commands = std::vector<std::vector<std::string>>;

// A link plugged into the wire: a veth whose peer is up in the test's wire
// namespace, with an address.
Commands wired(const std::string& link, const std::string& address) {
    Commands c{{"link", "add", link, "type", "veth", "peer", "name", "@" + link, "netns", "{wire}"}};
    if (!address.empty()) c.push_back({address.find(':') == std::string::npos ? "-4" : "-6", "addr", "add", address,
                                       "dev", link, "nodad"});
    c.push_back({"link", "set", link, "up"});
    return c;
}

Commands operator+(Commands a, const Commands& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

Commands tunnel(const std::string& link, const std::string& address) {
    return {{"tuntap", "add", "dev", link, "mode", link.rfind("tap", 0) == 0 ? "tap" : "tun"},
            {"addr", "add", address, "dev", link},
            {"link", "set", link, "up"}};
}

const Commands kLan = wired("eth0", "10.1.0.2/24") + Commands{{"route", "add", "default", "via", "10.1.0.1"}};

struct Machine {
    const char* what;
    Commands setup;                 // `ip -n NS ...`; "@x" is a wire link, "{wire}" its namespace
    std::vector<std::string> held;  // tun and tap devices a program holds
    std::vector<std::string> sections;  // the adapters, in the report's order
    std::vector<std::pair<std::string, std::string>> gateways;  // adapter, its first gateway
    std::vector<std::string> once;      // texts the report holds exactly once
    std::vector<std::string> absent;    // texts it does not hold
    std::string status;
};

const Machine kMachines[] = {
    {"Docker and libvirt host: stopped containers, a running VM, a veth whose peer is down",
     kLan + Commands{{"link", "add", "docker0", "type", "bridge"},
                     {"addr", "add", "172.17.0.1/16", "dev", "docker0"},
                     {"link", "set", "docker0", "up"},
                     {"link", "add", "vethc1", "type", "veth", "peer", "name", "@vethc1", "netns", "{wire}"},
                     {"link", "set", "vethc1", "master", "docker0"},
                     {"link", "del", "vethc1"},  // the container stopped: NO-CARRIER
                     {"link", "add", "lxcbr0", "type", "bridge"},  // never had a port
                     {"addr", "add", "10.0.3.1/24", "dev", "lxcbr0"},
                     {"link", "set", "lxcbr0", "up"},
                     {"link", "add", "virbr0", "type", "bridge"},
                     {"addr", "add", "192.168.122.1/24", "dev", "virbr0"},
                     {"link", "add", "vnet0", "type", "veth", "peer", "name", "@vnet0", "netns", "{wire}"},
                     {"link", "set", "vnet0", "master", "virbr0"},
                     {"link", "set", "vnet0", "up"},
                     {"link", "set", "virbr0", "up"},
                     {"link", "add", "vdown", "type", "veth", "peer", "name", "vdownp"},
                     {"addr", "add", "10.3.0.1/24", "dev", "vdown"},
                     {"link", "set", "vdown", "up"}},
     {},
     {"eth0", "virbr0"},
     {{"eth0", "10.1.0.1"}},
     {},
     {"docker0", "lxcbr0", "vnet0", "vdown", "Media disconnected"},
     "No errors found"},
    {"VPN client between reconnects: tun and tap held by no program",
     kLan + tunnel("tun0", "10.8.0.2/24") + tunnel("tap0", "10.9.0.2/24"),
     {},
     {"eth0"},
     {{"eth0", "10.1.0.1"}},
     {},
     {"tun0", "tap0"},
     "No errors found"},
    {"OpenVPN connected: half routes through the held tun, a held tap beside",
     kLan + tunnel("tun0", "10.8.0.2/24") + tunnel("tap1", "10.9.0.2/24") +
         Commands{{"route", "add", "0.0.0.0/1", "via", "10.8.0.1", "dev", "tun0"},
                  {"route", "add", "128.0.0.0/1", "via", "10.8.0.1", "dev", "tun0"}},
     {"tun0", "tap1"},
     {"tun0", "eth0", "tap1"},
     {{"tun0", "10.8.0.1"}, {"eth0", "10.1.0.1"}},
     {"10.8.0.1"},
     {},
     "No errors found"},
    {"wg-quick: everything unmarked to its own table",
     kLan + tunnel("tun0", "10.66.0.2/32") +
         Commands{{"route", "add", "default", "dev", "tun0", "table", "51820"},
                  {"rule", "add", "not", "fwmark", "51820", "table", "51820"},
                  {"rule", "add", "table", "main", "suppress_prefixlength", "0"}},
     {"tun0"},
     {"tun0", "eth0"},
     {{"tun0", "10.66.0.2"}, {"eth0", "10.1.0.1"}},
     {},
     {},
     "No errors found"},
    {"default dev: a point-to-point link without a gateway",
     wired("eth0", "10.1.0.2/24") + tunnel("tun0", "10.7.0.2/24") +
         Commands{{"route", "add", "default", "dev", "tun0"}},
     {"tun0"},
     {"tun0", "eth0"},
     {{"tun0", "10.7.0.2"}},
     {},
     {},
     "No errors found"},
    {"two defaults with metrics; a gateway reached through two tables",
     wired("eth0", "10.1.0.2/24") + wired("eth1", "10.2.0.2/24") +
         Commands{{"route", "add", "default", "via", "10.1.0.1", "metric", "600"},
                  {"route", "add", "default", "via", "10.2.0.1", "metric", "100"},
                  {"route", "add", "default", "via", "10.1.0.1", "table", "100"},
                  {"rule", "add", "from", "10.1.0.2", "table", "100"}},
     {},
     {"eth1", "eth0"},
     {{"eth1", "10.2.0.1"}, {"eth0", "10.1.0.1"}},
     {"10.1.0.1", "10.2.0.1"},
     {},
     "No errors found"},
    {"a link-local alias beside the working address; macvlan and vxlan",
     kLan + Commands{{"addr", "add", "169.254.9.9/16", "dev", "eth0"},
                     {"link", "add", "mac0", "link", "eth0", "type", "macvlan", "mode", "bridge"},
                     {"addr", "add", "10.1.0.3/24", "dev", "mac0"},
                     {"link", "set", "mac0", "up"},
                     {"link", "add", "vx0", "type", "vxlan", "id", "42", "dstport", "4789", "dev", "eth0"},
                     {"addr", "add", "10.42.0.1/24", "dev", "vx0"},
                     {"link", "set", "vx0", "up"}},
     {},
     {"eth0", "mac0", "vx0"},
     {{"eth0", "10.1.0.1"}},
     {},
     {"169.254", "Autoconfiguration IPv4"},
     "No errors found"},
    {"IPv6 only",
     wired("eth0", "2001:db8:1::2/64") + Commands{{"-6", "route", "add", "default", "via", "2001:db8:1::1"}},
     {},
     {"eth0"},
     {{"eth0", "2001:db8:1::1"}},
     {"IPv6 Address. . . . . . . . . . . : 2001:db8:1::2(Preferred) "},
     {"0.0.0.0"},
     "No errors found"},
};

class Machines : public ::testing::Test {
protected:
    void SetUp() override {
        std::string why = namespaceSkipReason();
        if (!why.empty()) GTEST_SKIP() << why;
        wire_ = std::make_unique<Netns>("wire");
        ASSERT_TRUE(wire_->ok());
    }
    std::unique_ptr<Netns> wire_;
};

std::string sectionName(const std::string& entry) {
    auto at = entry.find("adapter ");
    return at == std::string::npos ? entry : entry.substr(at + 8);
}

// The report with the link-local addresses' duplicate check over.
std::string settled(std::string report) {
    for (auto at = report.find("(Tentative)"); at != std::string::npos; at = report.find("(Tentative)"))
        report.replace(at, 11, "(Preferred)");
    return report;
}

std::size_t count(const std::string& text, const std::string& what) {
    std::size_t n = 0;
    for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

}  // namespace

TEST_F(Machines, SectionsGatewaysAndStatus) {
    int row = 0;
    for (const Machine& m : kMachines) {
        SCOPED_TRACE(m.what);
        Netns ns("mach");
        ASSERT_TRUE(ns.ok());
        ++row;
        for (auto args : m.setup) {
            for (auto& a : args) {
                if (a == "{wire}") a = wire_->name();
                else if (a[0] == '@') a = "w" + std::to_string(row) + a.substr(1);
            }
            ASSERT_TRUE(ns.ip(args)) << "ip " << args[0] << " " << args[1] << " " << args[2];
        }
        ASSERT_EQ(wire_->exec({"sh", "-c", "for l in $(ls /sys/class/net); do ip link set $l up; done"}).exitCode, 0);
        std::vector<int> held;
        for (const auto& link : m.held) {
            held.push_back(holdTun(ns.name(), link));
            ASSERT_GE(held.back(), 0) << "cannot hold " << link;
        }

        ExecResult run = ns.exec({binPath("ipconfig"), "/all"});
        ASSERT_EQ(run.exitCode, 0) << run.output;
        app::AdapterTable table{};
        auto r = capture::parseReport(splitCrLf(run.output), "vista", "12:00:00", table, false);
        std::vector<std::string> sections;
        for (const auto& e : r.adapterEntries) sections.push_back(sectionName(e));
        EXPECT_EQ(sections, m.sections) << run.output;
        for (const auto& [adapter, gateway] : m.gateways) {
            auto at = std::find(m.sections.begin(), m.sections.end(), adapter) - m.sections.begin() + 1;
            EXPECT_EQ(table[at][7], "Default Gateway:  " + gateway) << adapter << "\n" << run.output;
        }
        for (const auto& text : m.once) EXPECT_EQ(count(run.output, text), 1u) << text << "\n" << run.output;
        for (const auto& text : m.absent) EXPECT_EQ(count(run.output, text), 0u) << text << "\n" << run.output;
        EXPECT_EQ(r.status, m.status) << run.output;
        EXPECT_EQ(capture::detectDialect(splitCrLf(run.output)), "vista") << "a saved report's layout";

        if (row == 1) {
            // An ordinary user gets the same report.
            ExecResult user = ns.exec({"setpriv", "--reuid=65534", "--regid=65534", "--clear-groups",
                                       binPath("ipconfig"), "/all"});
            EXPECT_EQ(user.exitCode, 0) << user.output;
            EXPECT_EQ(settled(user.output), settled(run.output));
        }
        for (int fd : held) close(fd);
    }
}
