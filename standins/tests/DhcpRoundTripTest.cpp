// A real DHCP round trip: dnsmasq serves one namespace, dhclient runs in
// another with its own lease, pid, hook script and resolv.conf. The report
// shows the lease; /release drops it and /renew brings it back.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "Netns.h"
#include "capture/ReportParser.h"
#include "standins/common/Files.h"

using namespace standins;
using namespace standins::testing;

namespace {

// Applies the lease inside the client's namespace only; DNS goes to the
// namespace's own resolv.conf.
std::string hookScript(const std::string& resolvConf) {
    return "#!/bin/sh\n"
           "case \"$reason\" in\n"
           "BOUND|RENEW|REBIND|REBOOT)\n"
           "  ip -4 addr flush dev \"$interface\"\n"
           "  ip addr add \"$new_ip_address/$new_subnet_mask\" dev \"$interface\"\n"
           "  [ -n \"$new_routers\" ] && ip route replace default via ${new_routers%% *} dev \"$interface\"\n"
           "  : > " + resolvConf + "\n"
           "  for s in $new_domain_name_servers; do echo \"nameserver $s\" >> " + resolvConf + "; done\n"
           "  ;;\n"
           "RELEASE|EXPIRE|STOP|FAIL)\n"
           "  ip -4 addr flush dev \"$interface\"\n"
           "  ;;\n"
           "esac\n"
           "exit 0\n";
}

class DhcpRoundTrip : public ::testing::Test {
protected:
    // What the DHCP server sends besides the address, gateway and DNS server.
    virtual std::vector<std::string> serverOptions() { return {}; }

    void SetUp() override {
        std::string why = namespaceSkipReason();
        if (!why.empty()) GTEST_SKIP() << why;
        for (const char* tool : {"dnsmasq", "dhclient"})
            if (findProgram(tool).empty()) GTEST_SKIP() << "skipped: " << tool << " is not installed";
        srv_ = std::make_unique<Netns>("srv");
        cli_ = std::make_unique<Netns>("cli");
        ASSERT_TRUE(srv_->ok() && cli_->ok());
        ASSERT_TRUE(srv_->ip({"link", "add", "vsrv", "type", "veth", "peer", "name", "vdhcp"}));
        ASSERT_TRUE(srv_->ip({"link", "set", "vdhcp", "netns", cli_->name()}));
        ASSERT_TRUE(srv_->ip({"addr", "add", "10.30.0.1/24", "dev", "vsrv"}));
        ASSERT_TRUE(srv_->ip({"link", "set", "vsrv", "up"}));
        ASSERT_TRUE(cli_->ip({"link", "set", "vdhcp", "up"}));
        // A static adapter beside it, for the "not DHCP" answer.
        ASSERT_TRUE(cli_->ip({"link", "add", "vfixed", "type", "veth", "peer", "name", "vfixedpeer"}));
        ASSERT_TRUE(cli_->ip({"addr", "add", "10.40.0.2/24", "dev", "vfixed"}));
        ASSERT_TRUE(cli_->ip({"link", "set", "vfixed", "up"}));
        ASSERT_TRUE(cli_->ip({"link", "set", "vfixedpeer", "up"}));

        const std::string s = srv_->folder();
        leases_ = s + "/dnsmasq.leases";
        std::vector<std::string> server{"dnsmasq", "--conf-file=/dev/null", "--port=0", "--user=root",
                                        "--interface=vsrv", "--bind-interfaces", "--dhcp-authoritative",
                                        "--dhcp-range=10.30.0.50,10.30.0.60,255.255.255.0,1h",
                                        "--dhcp-option=3,10.30.0.1", "--dhcp-option=6,10.30.0.1",
                                        "--dhcp-leasefile=" + leases_, "--pid-file=" + s + "/dnsmasq.pid",
                                        "--log-facility=" + s + "/dnsmasq.log"};
        for (auto& option : serverOptions()) server.push_back(std::move(option));
        ExecResult d = srv_->exec(server);
        ASSERT_EQ(d.exitCode, 0) << d.output;

        const std::string c = cli_->folder();
        ASSERT_TRUE(writeFile(c + "/hook.sh", hookScript("/etc/netns/" + cli_->name() + "/resolv.conf")));
        chmod((c + "/hook.sh").c_str(), 0755);
        ASSERT_TRUE(writeFile(c + "/dhclient.conf",
                              "timeout 20;\nrequest subnet-mask, routers, domain-name-servers, domain-name;\n"));
        ExecResult dh = cli_->exec({"dhclient", "-4", "-cf", c + "/dhclient.conf", "-lf", c + "/dhclient.leases",
                                    "-pf", c + "/dhclient.pid", "-sf", c + "/hook.sh", "vdhcp"},
                                   30000);
        ASSERT_EQ(dh.exitCode, 0) << "dhclient got no lease: " << dh.output;
    }
    void TearDown() override {
        cli_.reset();
        srv_.reset();
    }

    std::string clientAddress() {
        ExecResult r = cli_->exec({"ip", "-4", "-o", "addr", "show", "dev", "vdhcp"});
        auto at = r.output.find("inet ");
        if (at == std::string::npos) return {};
        return r.output.substr(at + 5, r.output.find('/', at) - at - 5);
    }

    capture::ParseResult parse(app::AdapterTable& table, std::string* text = nullptr) {
        ExecResult run = cli_->exec({binPath("ipconfig"), "/all"});
        EXPECT_EQ(run.exitCode, 0) << run.output;
        if (text) *text = run.output;
        return capture::parseReport(splitCrLf(run.output), "vista", "12:00:00", table);
    }

    std::unique_ptr<Netns> srv_, cli_;
    std::string leases_;
};

}  // namespace

TEST_F(DhcpRoundTrip, LeaseShownReleasedAndRenewed) {
    std::string address = clientAddress();
    ASSERT_FALSE(address.empty());
    EXPECT_NE(readFile(leases_).value_or("").find(address), std::string::npos) << "the server's lease";

    app::AdapterTable table{};
    std::string text;
    auto r = parse(table, &text);
    ASSERT_GE(r.adapterEntries.size(), 1u);
    EXPECT_EQ(r.adapterEntries[0], "1) Ethernet adapter vdhcp") << text;
    EXPECT_EQ(table[1][2], "IP Address:       " + address + "(Preferred) ");
    EXPECT_EQ(table[1][4], "Dhcp Enabled:     Yes");
    EXPECT_EQ(table[1][7], "Default Gateway:  10.30.0.1");
    EXPECT_EQ(table[1][8], "DHCP Server:      10.30.0.1");
    EXPECT_EQ(table[1][11], "DNS Server 1:     10.30.0.1");
    EXPECT_EQ(table[1][9].rfind("Lease Obtained:   ", 0), 0u) << text;
    EXPECT_GT(table[1][9].size(), 30u);
    EXPECT_GT(table[1][10].size(), 30u);
    EXPECT_EQ(table[2][4], "Dhcp Enabled:     No");

    ExecResult rel = cli_->exec({binPath("ipconfig"), "/release", "*dhcp*"}, 40000);
    EXPECT_EQ(rel.exitCode, 0) << rel.output;
    EXPECT_NE(rel.output.find("vdhcp: released through dhclient"), std::string::npos) << rel.output;
    EXPECT_EQ(clientAddress(), "");
    EXPECT_EQ(readFile(leases_).value_or("").find(address), std::string::npos) << "the server saw the release";
    table = {};
    r = parse(table, &text);
    EXPECT_EQ(table[1][2], "") << text;
    EXPECT_EQ(table[1][4], "Dhcp Enabled:     Yes") << "still a DHCP adapter after the release";

    ExecResult ren = cli_->exec({binPath("ipconfig"), "/renew", "*DHCP*"}, 40000);
    EXPECT_EQ(ren.exitCode, 0) << ren.output;
    EXPECT_NE(clientAddress(), "");
    table = {};
    r = parse(table, &text);
    EXPECT_EQ(table[1][8], "DHCP Server:      10.30.0.1") << text;

    // A renew of a running client asks for the lease again.
    ExecResult again = cli_->exec({binPath("ipconfig"), "/renew", "vdhcp"}, 40000);
    EXPECT_EQ(again.exitCode, 0) << again.output;
    EXPECT_NE(clientAddress(), "");
}

TEST_F(DhcpRoundTrip, RefusesWhatItCannotDo) {
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
        std::vector<std::string> argv{binPath("ipconfig")};
        argv.insert(argv.end(), c.args.begin(), c.args.end());
        ExecResult r = cli_->exec(argv);
        EXPECT_EQ(r.exitCode, c.exitCode) << c.args[0] << r.output;
        EXPECT_NE(r.output.find(c.says), std::string::npos) << r.output;
    }
    EXPECT_NE(clientAddress(), "") << "nothing was released";
}

namespace {

// A rogue DHCP server: its domain name (option 15) reads as an adapter
// header with a redirection in it.
class HostileDhcp : public DhcpRoundTrip {
protected:
    std::vector<std::string> serverOptions() override { return {"--dhcp-option=15,adapter >pwn:"}; }
};

}  // namespace

TEST_F(HostileDhcp, DomainNameStaysAValueAndNeverACommand) {
    ASSERT_NE(readFile(cli_->folder() + "/dhclient.leases").value_or("").find("adapter >pwn:"), std::string::npos)
        << "dhclient kept the domain name";
    app::AdapterTable table{};
    std::string text;
    auto r = parse(table, &text);
    ASSERT_NE(text.find(": adapter >pwn:"), std::string::npos) << "the report shows it as the DNS suffix\n" << text;
    ASSERT_FALSE(r.adapterEntries.empty());
    EXPECT_EQ(r.adapterEntries[0], "1) Ethernet adapter vdhcp");
    for (const auto& entry : r.adapterEntries) EXPECT_EQ(entry.find("pwn"), std::string::npos) << entry;

    // Every release script the window wrote, run as the window runs it.
    const std::string work = cli_->folder() + "/work";
    ASSERT_EQ(mkdir(work.c_str(), 0700), 0);
    ASSERT_TRUE(writeScripts(work, r.scripts));
    const auto written = filesIn(work);
    for (const auto& s : r.scripts) {
        if (s.name.find("release") == std::string::npos) continue;
        ExecResult run = cli_->batrun(work, s.name);
        EXPECT_EQ(run.output.find("pwn"), std::string::npos) << s.name << ": " << run.output;
    }
    EXPECT_EQ(filesIn(work), written) << "no script made a file";
}
