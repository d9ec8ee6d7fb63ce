// The report tool under the real network managers (lab/lab.sh): for each
// owner of the lab's adapter the report, as root and as an ordinary user,
// agrees with the manager's own view and with the server's lease; release
// and renew go through the owner (through pkexec for the ordinary user
// where the owner acts for root only); the DNS cache of systemd-resolved;
// a bridge with many ports. Then the attacks of another local user on the
// DHCP-client trust.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <map>
#include <sstream>

#include "Lab.h"
#include "Netns.h"
#include "capture/ReportParser.h"
#include "standins/common/Files.h"
#include "standins/common/Report.h"
#include "standins/ipconfig/DnsCache.h"

using namespace standins;
using namespace standins::testing;

namespace {

// The labelled values of one adapter's block ("DNS Servers" joined by
// blanks with its continuation lines).
std::map<std::string, std::string> adapterFields(const std::string& report, const std::string& adapter) {
    std::map<std::string, std::string> fields;
    bool in = false;
    std::string last;
    for (const auto& line : splitCrLf(report)) {
        if (!line.empty() && line[0] != ' ') {
            in = line.size() > adapter.size() && line.compare(line.size() - adapter.size() - 1, adapter.size() + 1, adapter + ":") == 0;
            continue;
        }
        auto colon = line.find(" : ");
        if (!in || line.size() < 40) continue;
        if (colon == std::string::npos || colon > 37) {
            if (!last.empty()) fields[last] += " " + line.substr(39);
            continue;
        }
        std::string label = line.substr(3, colon - 3);
        while (!label.empty() && (label.back() == '.' || label.back() == ' ')) label.pop_back();
        last = label;
        fields[label] = line.substr(colon + 3);
    }
    return fields;
}

// The report's text of a lease time, within two seconds of the server's.
bool sameLeaseTime(const std::string& shown, long long when) {
    for (long long d = -2; d <= 2; ++d)
        if (shown == leaseTime(static_cast<std::time_t>(when + d))) return true;
    return false;
}

std::string value(const std::string& text, const std::string& key) {
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line))
        if (line.rfind(key, 0) == 0) return line.substr(key.size());
    return {};
}

std::string trim(std::string s) {
    s.erase(0, s.find_first_not_of(" \t"));
    s.erase(s.find_last_not_of(" \t\r\n") + 1);
    return s;
}

struct Owner {
    const char* lab;     // lab.sh's owner
    const char* client;  // the report tool's name of it
    int bridgePorts;
};

void PrintTo(const Owner& o, std::ostream* os) { *os << o.lab; }

class ManagerLab : public ::testing::TestWithParam<Owner> {
protected:
    void SetUp() override {
        lab_ = std::make_unique<Lab>(GetParam().lab, GetParam().bridgePorts);
        if (lab_->skip()) GTEST_SKIP() << lab_->error();
        ASSERT_TRUE(lab_->ok()) << lab_->error();
    }
    void TearDown() override { lab_.reset(); }

    std::string report(const std::string& user) {
        std::vector<std::string> argv{kLabIpconfig, "/all"};
        ExecResult r = user.empty() ? lab_->run(argv) : lab_->runAs(user, argv);
        EXPECT_EQ(r.exitCode, 0) << r.output;
        return r.output;
    }
    ExecResult act(const std::string& user, const std::string& verb, const std::string& pattern = {}) {
        std::vector<std::string> argv{kLabIpconfig, verb};
        if (!pattern.empty()) argv.push_back(pattern);
        return user.empty() ? lab_->run(argv, 60000) : lab_->runAs(user, argv, 60000);
    }

    // What the manager itself says of vnm0: address/prefix, gateway, DNS
    // servers, DHCP server and domain.
    struct View {
        std::string address, gateway, dns, server, domain;
    };
    View managerView() {
        View v;
        std::string owner = GetParam().lab;
        if (owner.rfind("nm", 0) == 0) {
            std::string t = lab_->run({"nmcli", "-t", "-f", "IP4,DHCP4", "device", "show", "vnm0"}).output;
            v.address = value(t, "IP4.ADDRESS[1]:");
            v.gateway = value(t, "IP4.GATEWAY:");
            v.dns = trim(value(t, "IP4.DNS[1]:") + " " + value(t, "IP4.DNS[2]:"));
            // DHCP4.OPTION[N]:NAME = VALUE
            auto option = [&](const std::string& name) {
                auto at = t.find(":" + name + " = ");
                return at == std::string::npos ? std::string{} : value(t.substr(at + 1), name + " = ");
            };
            v.server = option("dhcp_server_identifier");
            v.domain = option("domain_name");
        } else if (owner == "networkd") {
            std::string t = lab_->run({"networkctl", "status", "--no-pager", "vnm0"}).output;
            std::istringstream in(t);
            std::string line;
            while (std::getline(in, line)) {
                line = trim(line);
                if (line.rfind("Address: ", 0) == 0) v.address = line.substr(9, line.find(' ', 9) - 9);
                if (line.rfind("Gateway: ", 0) == 0) v.gateway = line.substr(9, line.find(' ', 9) - 9);
                if (auto via = line.find("(DHCP4 via "); via != std::string::npos && v.server.empty())
                    v.server = line.substr(via + 11, line.find(')', via) - via - 11);
            }
            std::string dns = lab_->run({"resolvectl", "dns", "vnm0"}).output;
            v.dns = trim(dns.substr(dns.find(':') + 1));
            int prefix = 0;
            lab_->address(&prefix);
            v.address += "/" + std::to_string(prefix);
            v.domain = "lab.test";  // the server's
        } else {
            // dhclient and dhcpcd: the kernel and the lab's resolv.conf, which their scripts wrote.
            int prefix = 0;
            v.address = lab_->address(&prefix);
            v.address += "/" + std::to_string(prefix);
            std::string route = lab_->run({"ip", "-4", "route", "show", "default"}).output;
            if (route.rfind("default via ", 0) == 0) v.gateway = route.substr(12, route.find(' ', 12) - 12);
            std::string rc = lab_->run({"cat", "/etc/resolv.conf"}).output;
            std::istringstream in(rc);
            std::string line;
            while (std::getline(in, line)) {
                if (line.rfind("nameserver ", 0) == 0) v.dns += (v.dns.empty() ? "" : " ") + trim(line.substr(11));
                if (line.rfind("domain ", 0) == 0) v.domain = trim(line.substr(7));
            }
            v.server = "10.77.0.1";  // the only server of the lab
        }
        return v;
    }

    void expectAgrees(const std::string& text, const std::string& who) {
        View v = managerView();
        auto f = adapterFields(text, "vnm0");
        std::string address = v.address.substr(0, v.address.find('/'));
        int prefix = std::atoi(v.address.c_str() + v.address.find('/') + 1);
        EXPECT_EQ(f["DHCP Enabled"], "Yes") << who << text;
        EXPECT_EQ(f["IPv4 Address"], address + "(Preferred) ") << who << text;
        EXPECT_EQ(f["Subnet Mask"], subnetMask(prefix)) << who;
        EXPECT_EQ(f["Default Gateway"], v.gateway) << who;
        EXPECT_EQ(f["DHCP Server"], v.server) << who;
        EXPECT_EQ(f["DNS Servers"], v.dns) << who << " (never the resolver's stub)";
        EXPECT_EQ(f["Connection-specific DNS Suffix"], v.domain) << who;
        long long expiry = lab_->serverLeaseExpiry(address);
        EXPECT_TRUE(sameLeaseTime(f["Lease Expires"], expiry)) << who << ": " << f["Lease Expires"] << " vs " << expiry;
        EXPECT_TRUE(sameLeaseTime(f["Lease Obtained"], expiry - 3600)) << who << ": " << f["Lease Obtained"];
    }

    // What the tool will not do: a static adapter, a pattern that matches
    // nothing, an unknown option.
    void expectRefusals() {
        ASSERT_EQ(lab_->run({"sh", "-c",
                             "ip link add vfixed type veth peer name vfixedpeer && ip addr add 10.40.0.2/24 dev vfixed "
                             "&& ip link set vfixed up && ip link set vfixedpeer up"})
                      .exitCode,
                  0);
        struct Case {
            std::vector<std::string> args;
            int exitCode;
            const char* says;
        } cases[] = {
            {{"/release", "*nomatch*"}, 1, "No adapter matches the name *nomatch*."},
            {{"/release", "vfixed"}, 1, "vfixed: not configured by DHCP"},
            {{"/renew", "vfixed*"}, 1, "not configured by DHCP"},
            {{"/bogus"}, 1, "unrecognized"},
            {{"/?"}, 0, "USAGE"},
        };
        for (const auto& c : cases) {
            std::vector<std::string> argv{kLabIpconfig};
            argv.insert(argv.end(), c.args.begin(), c.args.end());
            ExecResult r = lab_->run(argv);
            EXPECT_EQ(r.exitCode, c.exitCode) << c.args[0] << r.output;
            EXPECT_NE(r.output.find(c.says), std::string::npos) << r.output;
        }
        EXPECT_NE(lab_->address(), "") << "nothing was released";
    }

    // Where root is refused, or pkexec is missing, the tool says why, changes
    // nothing and fails.
    void expectElevationRefusals() {
        ExecResult refused = act("cfgevil", "/renew", "vnm0");
        EXPECT_EQ(refused.exitCode, 1) << refused.output;
        EXPECT_NE(refused.output.find("pkexec refused root for it (Release or renew the network address): not authorized"),
                  std::string::npos)
            << refused.output;
        ASSERT_EQ(lab_->run({"mv", "/usr/bin/pkexec", "/usr/bin/pkexec.off"}).exitCode, 0);
        ExecResult missing = act("cfglab", "/release", "vnm0");
        EXPECT_EQ(missing.exitCode, 1) << missing.output;
        EXPECT_NE(missing.output.find("only root can drive dhcpcd; pkexec is not installed to ask for root"),
                  std::string::npos)
            << missing.output;
        EXPECT_NE(lab_->address(), "") << "nothing was released";
        ASSERT_EQ(lab_->run({"mv", "/usr/bin/pkexec.off", "/usr/bin/pkexec"}).exitCode, 0);
    }

    // /displaydns and /flushdns through systemd-resolved's cache.
    void expectDnsCache() {
        auto cacheSize = [&] {
            std::string s = lab_->run({"resolvectl", "statistics"}).output;
            return std::atoi(trim(value(s, "  Current Cache Size:")).c_str());
        };
        // resolved keeps the answer from the second query on, but empties its
        // cache whenever the manager hands it new link settings, which goes on
        // for a while after a renew on a busy machine: ask until one sticks.
        for (int i = 0; i < 50 && cacheSize() == 0; ++i) {
            ExecResult q = lab_->run({"resolvectl", "query", "www.lab.test"});
            ASSERT_EQ(q.exitCode, 0) << q.output;
            usleep(200000);
        }
        EXPECT_GE(cacheSize(), 1);

        ExecResult shown = lab_->runAs("cfglab", {kLabIpconfig, "/displaydns"});
        EXPECT_EQ(shown.exitCode, 0) << shown.output;
        bool lists = shown.output.find("Record Name") != std::string::npos;
        if (lists) {
            EXPECT_NE(shown.output.find("www.lab.test"), std::string::npos) << shown.output;
        } else {
            EXPECT_NE(shown.output.find(kCannotList), std::string::npos) << shown.output;
            EXPECT_NE(shown.output.find("Current Cache Size"), std::string::npos) << shown.output;
        }

        ExecResult flushed = lab_->run({kLabIpconfig, "/flushdns"});
        EXPECT_EQ(flushed.exitCode, 0) << flushed.output;
        EXPECT_NE(flushed.output.find("Successfully flushed the DNS Resolver Cache."), std::string::npos);
        EXPECT_EQ(cacheSize(), 0) << "resolved's statistics show the cache emptied";
    }

    std::unique_ptr<Lab> lab_;
};

}  // namespace

TEST_P(ManagerLab, ReportReleaseAndRenew) {
    const Owner& o = GetParam();
    if (std::string(o.lab) == "dhclient") expectRefusals();
    if (std::string(o.lab) == "dhcpcd") expectElevationRefusals();
    std::string rootView = report("");
    std::string userView = report("cfglab");
    expectAgrees(rootView, "root");
    // (Other links' IPv6 addresses may leave their tentative state between the two.)
    EXPECT_EQ(adapterFields(userView, "vnm0"), adapterFields(rootView, "vnm0")) << "the user sees what root sees";
    EXPECT_EQ(userView.substr(0, userView.find("adapter")), rootView.substr(0, rootView.find("adapter")));

    if (o.bridgePorts > 0) {
        // The bridge's ports are left out; the adapter with the route leads.
        app::AdapterTable table{};
        auto parsed = capture::parseReport(splitCrLf(rootView), "vista", "12:00:00", table);
        ASSERT_EQ(parsed.adapterEntries.size(), 2u) << rootView;
        EXPECT_EQ(parsed.adapterEntries[0], "1) Ethernet adapter vnm0");
        EXPECT_EQ(parsed.adapterEntries[1], "2) Ethernet adapter brlab");
        EXPECT_EQ(rootView.find("vethlab"), std::string::npos);
        EXPECT_EQ(parsed.faultCount, 0) << rootView;
    }

    // The ordinary user: NetworkManager lets local users act; the others
    // act for root only and the tool asks for it through pkexec.
    std::string through = std::string("through ") + o.client;
    ExecResult rel = act("cfglab", "/release", "*nm0*");
    EXPECT_EQ(rel.exitCode, 0) << rel.output;
    EXPECT_NE(rel.output.find("vnm0: released " + through), std::string::npos) << rel.output;
    EXPECT_TRUE(lab_->waitForAddress(false, 10000)) << "the address went";
    auto f = adapterFields(report("cfglab"), "vnm0");
    EXPECT_EQ(f["DHCP Enabled"], "Yes") << "still a DHCP adapter after the release";
    EXPECT_EQ(f["IPv4 Address"], "");
    EXPECT_EQ(f["DHCP Server"], "");

    ExecResult ren = act("cfglab", "/renew", "vnm?");
    EXPECT_EQ(ren.exitCode, 0) << ren.output;
    EXPECT_NE(ren.output.find("vnm0: renewed " + through), std::string::npos) << ren.output;
    ASSERT_TRUE(lab_->waitForAddress(true, 15000)) << "the address came back";

    // Root: all adapters at once.
    rel = act("", "/release");
    EXPECT_EQ(rel.exitCode, 0) << rel.output;
    EXPECT_TRUE(lab_->waitForAddress(false, 10000));
    ren = act("", "/renew");
    EXPECT_EQ(ren.exitCode, 0) << ren.output;
    ASSERT_TRUE(lab_->waitForAddress(true, 15000));
    // The manager's view settles just after the address.
    for (int i = 0; i < 50 && adapterFields(report(""), "vnm0")["DHCP Server"].empty(); ++i) usleep(100000);
    expectAgrees(report("cfglab"), "after the renew");

    if (std::string(o.lab) == "nm-resolved" || std::string(o.lab) == "networkd") expectDnsCache();
}

INSTANTIATE_TEST_SUITE_P(Owners, ManagerLab,
                         ::testing::Values(Owner{"dhclient", "dhclient", 0}, Owner{"dhcpcd", "dhcpcd", 0},
                                           Owner{"nm", "NetworkManager", 20},
                                           Owner{"nm-resolved", "NetworkManager", 0},
                                           Owner{"networkd", "systemd-networkd", 0}),
                         [](const auto& info) {
                             std::string n = info.param.lab;
                             n.erase(std::remove(n.begin(), n.end(), '-'), n.end());
                             return n;
                         });
