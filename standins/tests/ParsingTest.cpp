// Lease files, adapter name patterns and script lines.
#include <gtest/gtest.h>

#include <net/if.h>
#include <sys/stat.h>
#include <unistd.h>

#include "standins/batrun/ScriptLine.h"
#include "standins/common/DhcpOwner.h"
#include "standins/common/Leases.h"
#include "standins/common/Pattern.h"
#include "standins/common/Resolver.h"
#include "standins/common/Routes.h"
#include "standins/common/Snapshot.h"
#include "standins/ipconfig/DnsCache.h"

using namespace standins;
using namespace standins::batrun;

TEST(DhclientLeases, LastLeaseOfTheInterfaceWins) {
    const char* text =
        "lease {\n  interface \"veth1\";\n  fixed-address 10.9.0.50;\n  option dhcp-lease-time 3600;\n"
        "  option dhcp-server-identifier 10.9.0.1;\n  option domain-name-servers 10.9.0.1,10.9.0.2;\n"
        "  option domain-name \"lab.test\";\n  expire 4 2024/05/02 10:00:00;\n}\n"
        "lease {\n  interface \"other\";\n  fixed-address 10.8.0.9;\n}\n"
        "lease {\n  interface \"veth1\";\n  fixed-address 10.9.0.51;\n  option dhcp-lease-time 600;\n"
        "  option dhcp-server-identifier 10.9.0.1;\n  expire epoch 1714644000; # Thu May  2 10:00:00 2024\n}\n";
    auto lease = parseDhclientLeases(text, "veth1");
    ASSERT_TRUE(lease);
    EXPECT_EQ(lease->address, "10.9.0.51");
    EXPECT_EQ(lease->server, "10.9.0.1");
    ASSERT_TRUE(lease->expires);
    EXPECT_EQ(*lease->expires, 1714644000);
    EXPECT_EQ(*lease->obtained, 1714644000 - 600);

    auto first = parseDhclientLeases(std::string(text).substr(0, std::string(text).find("lease {", 10)), "veth1");
    ASSERT_TRUE(first);
    EXPECT_EQ(*first->expires, 1714644000);  // the UTC date form
    EXPECT_EQ(first->dns, (std::vector<std::string>{"10.9.0.1", "10.9.0.2"}));
    EXPECT_EQ(first->domain, "lab.test");
    EXPECT_FALSE(parseDhclientLeases(text, "eth9"));
    EXPECT_FALSE(parseDhclientLeases("lease {\n interface \"veth1\";\n", "veth1")) << "unfinished lease";
}

TEST(OtherLeases, NetworkdAndNetworkManager) {
    auto nd = parseNetworkdLease("# comment\nADDRESS=192.168.5.20\nSERVER_ADDRESS=192.168.5.1\nLIFETIME=7200\nDNS=1.1.1.1 9.9.9.9\n", 1000);
    ASSERT_TRUE(nd);
    EXPECT_EQ(nd->server, "192.168.5.1");
    EXPECT_EQ(*nd->obtained, 1000);
    EXPECT_EQ(*nd->expires, 8200);
    EXPECT_EQ(nd->dns.size(), 2u);
    EXPECT_FALSE(parseNetworkdLease("LIFETIME=5\n", 0));

    auto nm = parseNetworkManagerDevice("[device]\nmanaged=true\n[dhcp4]\nip_address=10.0.0.7\n"
                                        "dhcp_server_identifier=10.0.0.1\ndhcp_lease_time=100\nexpiry=5000\n");
    ASSERT_TRUE(nm);
    EXPECT_EQ(nm->address, "10.0.0.7");
    EXPECT_EQ(*nm->obtained, 4900);
    EXPECT_FALSE(parseNetworkManagerDevice("[device]\nmanaged=true\n"));
    // NetworkManager 1.42 writes its keys with the "dhcp4." prefix.
    auto nm142 = parseNetworkManagerDevice(
        "[device]\nmanaged=true\n[dhcp4]\ndhcp4.dhcp_lease_time=3600\ndhcp4.dhcp_server_identifier=10.77.0.1\n"
        "dhcp4.domain_name=lab.test\ndhcp4.domain_name_servers=10.77.0.1 10.77.0.2\ndhcp4.expiry=1796653280\n"
        "dhcp4.ip_address=10.77.0.59\n");
    ASSERT_TRUE(nm142);
    EXPECT_EQ(nm142->address, "10.77.0.59");
    EXPECT_EQ(nm142->server, "10.77.0.1");
    EXPECT_EQ(nm142->domain, "lab.test");
    EXPECT_EQ(nm142->dns.size(), 2u);
    EXPECT_EQ(*nm142->obtained, 1796653280 - 3600);

    auto dc = parseDhcpcdDump("reason=BOUND\ninterface=vnm0\nip_address=10.77.0.51\nsubnet_mask=255.255.255.0\n"
                              "domain_name_servers='10.77.0.1 10.77.0.2'\ndomain_name=lab.test\n"
                              "dhcp_lease_time=3600\ndhcp_server_identifier=10.77.0.1\n",
                              1000);
    ASSERT_TRUE(dc);
    EXPECT_EQ(dc->address, "10.77.0.51");
    EXPECT_EQ(dc->server, "10.77.0.1");
    EXPECT_EQ(dc->dns, (std::vector<std::string>{"10.77.0.1", "10.77.0.2"}));
    EXPECT_EQ(*dc->expires, 4600);
    EXPECT_FALSE(parseDhcpcdDump("reason=BOUND\ninterface=vnm0\n", 1000));
    EXPECT_FALSE(parseDhcpcdDump("ip_address=10.0.0.2\ndhcp_lease_time=60\n", std::nullopt)->expires);
}

TEST(ClientCommandLines, InterfacesAndOptions) {
    std::vector<std::string> deb{"/sbin/dhclient", "-4", "-v", "-i", "-pf", "/run/dhclient.eth0.pid", "-lf",
                                 "/var/lib/dhcp/dhclient.eth0.leases", "-I", "-df", "/x", "eth0"};
    EXPECT_EQ(clientInterfaces(deb), std::vector<std::string>{"eth0"});
    EXPECT_TRUE(clientInterfaces({"dhclient", "-nw"}).empty());
    EXPECT_EQ(clientInterfaces({"dhcpcd", "-q", "-t", "30", "wlan0", "eth1"}),
              (std::vector<std::string>{"wlan0", "eth1"}));
    EXPECT_EQ(clientInterfaces({"dhcpcd", "-4", "--", "-x"}), std::vector<std::string>{"-x"});
    // dhcpcd's process titles.
    EXPECT_EQ(clientInterfaces({"dhcpcd: eth0 [ip4]"}), std::vector<std::string>{"eth0"});
    EXPECT_EQ(clientInterfaces({"dhcpcd: eth0 [ip4]", "", "", ""}), std::vector<std::string>{"eth0"})
        << "a title padded with NULs to the old command line's length";
    EXPECT_EQ(clientInterfaces({"dhcpcd: [privileged proxy] eth0 [ip4]"}), std::vector<std::string>{"eth0"});
    EXPECT_TRUE(clientInterfaces({"dhcpcd: [manager] [ip4] [ip6]"}).empty());
    EXPECT_EQ(dhcpcdFamily({"dhcpcd: eth0 [ip4]"}), "-4");
    EXPECT_EQ(dhcpcdFamily({"dhcpcd: eth0 [ip4] [ip6]"}), "");
    EXPECT_EQ(dhcpcdFamily({"dhcpcd", "-6", "eth0"}), "-6");
}

// A process counts as a client only when it runs the installed program for
// root, the client's service account or the user running the tool.
TEST(ClientTrust, OwnerAndProgram) {
    const std::string prog = "/usr/sbin/dhclient";
    struct Case {
        long uid;
        const char* exe;
        long self;
        long service;
        bool trusted;
        const char* why;
    } cases[] = {
        {0, "/usr/sbin/dhclient", 0, -1, true, "root's client, seen by root"},
        {0, "/usr/sbin/dhclient (deleted)", 0, -1, true, "upgraded under it"},
        {1001, "/usr/sbin/dhclient", 0, -1, false, "another user's real dhclient"},
        {1001, "/home/evil/dhclient", 0, -1, false, "another user's fake"},
        {0, "/home/evil/dhclient", 0, -1, false, "not the installed program"},
        {0, "", 0, -1, false, "root reads every exe: gone"},
        {0, "", 1000, -1, true, "root's client, seen by a user who cannot read its exe"},
        {1001, "", 1000, -1, false, "another user's process"},
        {1000, "/usr/sbin/dhclient", 1000, -1, true, "the user's own client"},
        {1000, "/tmp/dhclient", 1000, -1, false, "the user's own fake"},
        {102, "", 1000, 102, true, "the client's service account"},
        {102, "/bin/sh", 0, 102, false, "the service account running something else"},
        {-1, "/usr/sbin/dhclient", 0, -1, false, "real and effective uid differ"},
    };
    for (const auto& c : cases) {
        DhcpProcess p;
        p.uid = c.uid;
        p.exe = c.exe;
        EXPECT_EQ(trustedClient(p, c.self, prog, c.service), c.trusted) << c.why;
    }
    DhcpProcess root;
    root.uid = 0;
    root.exe = prog;
    EXPECT_FALSE(trustedClient(root, 0, "", -1)) << "no installed program";
}

TEST(Networkd, DhcpFromTheNetworkFile) {
    const std::string state = "ADMIN_STATE=configured\nNETWORK_FILE=/etc/systemd/network/50.network\n";
    EXPECT_TRUE(networkdWantsDhcp(state, "[Match]\nName=eth0\n[Network]\nDHCP = ipv4\n"));
    EXPECT_TRUE(networkdWantsDhcp(state, "[Network]\nDHCP=yes\n"));
    EXPECT_FALSE(networkdWantsDhcp(state, "[Network]\nDHCP=ipv6\n"));
    EXPECT_FALSE(networkdWantsDhcp(state, "[Network]\nAddress=10.0.0.2/24\n"));
    EXPECT_FALSE(networkdWantsDhcp("ADMIN_STATE=unmanaged\n", "[Network]\nDHCP=yes\n"));
}

TEST(Resolver, ResolvConfAndServerOrder) {
    auto rc = parseResolvConf("# x\nnameserver 10.0.0.1\nnameserver fd00::53\nsearch a.test b.test\ndomain d.test\n");
    EXPECT_EQ(rc.servers.size(), 2u);
    EXPECT_EQ(rc.search, (std::vector<std::string>{"a.test", "b.test"}));
    EXPECT_EQ(rc.domain, "d.test");
    EXPECT_EQ(orderServers({"fd00::53", "127.0.0.53", "10.0.0.1", "10.0.0.1", "10.0.0.2#dns.test"}),
              (std::vector<std::string>{"10.0.0.1", "10.0.0.2", "fd00::53"}));
}

TEST(Pattern, WildcardsAgainstInterfaceNames) {
    struct Case {
        const char* pattern;
        const char* name;
        bool match;
    } cases[] = {
        {"*eth0*", "eth0", true},       {"*eth*", "veth-dhcp", true}, {"*Local*", "eth0", false},
        {"*ETH0*", "eth0", true},       {"eth?", "eth1", true},       {"eth?", "eth10", false},
        {"*", "anything", true},        {"**a**", "xay", true},       {"*dhcp", "veth-dhcp", true},
        {"*dhcp", "veth-dhcp2", false}, {"", "", true},               {"", "x", false},
        {"wl*0", "wlp2s0", true},       {"*a*b*c", "aXbYc", true},    {"*a*b*c", "aXcYb", false},
    };
    for (const auto& c : cases) EXPECT_EQ(matchesPattern(c.pattern, c.name), c.match) << c.pattern << " " << c.name;
}

TEST(ScriptLines, PrefixRedirectionAndWords) {
    struct Case {
        const char* raw;
        bool quiet;
        const char* command;
        const char* redirect;
        bool append;
    } cases[] = {
        {"ipconfig /all > C:\\Temp\\cfgscope\\data.txt", false, "ipconfig /all", "C:\\Temp\\cfgscope\\data.txt", false},
        {"ipconfig /all >/tmp/x y/data.txt", false, "ipconfig /all", "/tmp/x y/data.txt", false},
        {"@echo off", true, "echo off", "", false},
        {"  @ pause", true, "pause", "", false},
        {"echo hi >> log.txt", false, "echo hi", "log.txt", true},
        {"echo \"a > b\"", false, "echo \"a > b\"", "", false},
        {"ipconfig /release *Local*", false, "ipconfig /release *Local*", "", false},
        {"ping fe80::1%%11", false, "ping fe80::1%11", "", false},
        {"echo 100%%%% > p.txt", false, "echo 100%%", "p.txt", false},
    };
    for (const auto& c : cases) {
        ScriptLine l = parseLine(c.raw);
        EXPECT_EQ(l.quiet, c.quiet) << c.raw;
        EXPECT_EQ(l.command, c.command) << c.raw;
        EXPECT_EQ(l.redirect, c.redirect) << c.raw;
        EXPECT_EQ(l.append, c.append) << c.raw;
    }
    EXPECT_EQ(scriptLines("a\r\nb\n\r\nc"), (std::vector<std::string>{"a", "b", "", "c"}));
    EXPECT_EQ(splitWords("ping  \"my host\" -n 2"), (std::vector<std::string>{"ping", "my host", "-n", "2"}));
}

TEST(ScriptLines, Echo) {
    EXPECT_EQ(echoCommand("echo ---", true).text, "---");
    EXPECT_EQ(echoCommand("echo Ping DNS 1 for Adapter (1)", false).text, "Ping DNS 1 for Adapter (1)");
    EXPECT_EQ(echoCommand("echo.", true).text, "");
    EXPECT_EQ(echoCommand("echo", false).text, "ECHO is off.");
    auto off = echoCommand("echo OFF", true);
    EXPECT_TRUE(off.changesState);
    EXPECT_FALSE(off.newState);
    EXPECT_TRUE(echoCommand("echo on", false).newState);
}

TEST(ScriptLines, NetworkToolArguments) {
    using V = std::vector<std::string>;
    EXPECT_EQ(pingArgs({"192.168.1.1"}), (V{"ping", "-c", "4", "192.168.1.1"}));
    EXPECT_EQ(pingArgs({"host", "-n", "10"}), (V{"ping", "host", "-c", "10"}));
    EXPECT_EQ(pingArgs({"-t", "host"}), (V{"ping", "host"}));
    EXPECT_EQ(pingArgs({"host", "-w", "1500", "-l", "64"}), (V{"ping", "-c", "4", "host", "-W", "2", "-s", "64"}));
    EXPECT_EQ(tracertArgs({"-d", "host"}, true), (V{"traceroute", "-n", "host"}));
    EXPECT_EQ(tracertArgs({"-h", "5", "host"}, false), (V{"tracepath", "-m", "5", "host"}));
    EXPECT_EQ(tracertArgs({"-w", "500", "host"}, false), (V{"tracepath", "host"}));
}

// Ports of a bridge, bond or team are left out, the ports of a VRF are
// not; a wireless device is told by its sysfs folder.
TEST(Adapters, EnslavedPortsAndWireless) {
    Link br, port, bond, bondPort, team, teamPort, vrf, vrfPort, flagged, plain;
    br.index = 3, br.kind = "bridge";
    port.index = 7, port.kind = "veth", port.master = 3;
    bond.index = 4, bond.kind = "bond";
    bondPort.index = 8, bondPort.master = 4;
    team.index = 5, team.kind = "team";
    teamPort.index = 10, teamPort.master = 5;
    vrf.index = 6, vrf.kind = "vrf";
    vrfPort.index = 11, vrfPort.master = 6;
    flagged.index = 12, flagged.flags = IFF_SLAVE;  // a bond's slave whose master is not listed
    plain.index = 9;
    std::vector<Link> links{br, bond, team, vrf, port, bondPort, teamPort, vrfPort, flagged, plain};
    for (const Link& l : {port, bondPort, teamPort, flagged}) EXPECT_TRUE(enslavedPort(l, links)) << l.index;
    for (const Link& l : {plain, br, bond, vrfPort}) EXPECT_FALSE(enslavedPort(l, links)) << l.index;

    char tmpl[] = "/tmp/cfsys-XXXXXX";
    ASSERT_TRUE(mkdtemp(tmpl));
    const std::string sys = tmpl;
    EXPECT_FALSE(wirelessDevice(sys));
    ASSERT_EQ(mkdir((sys + "/phy80211").c_str(), 0700), 0);
    EXPECT_TRUE(wirelessDevice(sys));
    rmdir((sys + "/phy80211").c_str());
    ASSERT_EQ(mkdir((sys + "/wireless").c_str(), 0700), 0);
    EXPECT_TRUE(wirelessDevice(sys));
    Link wl;
    wl.arpType = 1;
    EXPECT_EQ(kindOf(wl, wirelessDevice(sys)), AdapterKind::Wireless);
    Adapter a;
    a.name = "wlp2s0";
    a.kind = AdapterKind::Wireless;
    EXPECT_NE(formatReport({}, {a}).find("\r\nWireless LAN adapter wlp2s0:\r\n"), std::string::npos);
    rmdir((sys + "/wireless").c_str());
    rmdir(sys.c_str());
}

TEST(DnsCache, ResolvedRecordsInTheReportLayout) {
    auto records = parseResolvedCache(
        "Scope protocol=dns interface=vnm0\n"
        "www.lab.test IN A 10.77.0.80\n"
        "mail.lab.test. 287 IN AAAA fd00::81\n"
        "alias.lab.test IN CNAME www.lab.test.\n"
        "garbage\n");
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[1].name, "mail.lab.test");
    EXPECT_EQ(records[1].ttl, "287");
    EXPECT_EQ(records[2].data, "www.lab.test.");
    std::string text = formatCacheRecords({records[0]});
    EXPECT_EQ(text,
              "    www.lab.test\r\n    ----------------------------------------\r\n"
              "    Record Name . . . . . : www.lab.test\r\n"
              "    Record Type . . . . . : 1\r\n"
              "    Section . . . . . . . : Answer\r\n"
              "    A (Host) Record . . . : 10.77.0.80\r\n\r\n\r\n");
}

// Which link carries the traffic and through which gateways: the kernel's
// choice (rules in order, then the longest prefix, then the lowest metric),
// each gateway once, a route straight onto a link as "".
TEST(Routes, LinkDefaultsFollowTheKernelsChoice) {
    auto route = [](int ifindex, std::string gw, int len = 0, std::string dst = "", std::uint32_t metric = 0,
                    std::uint32_t table = 254) {
        RouteEntry r;
        r.ifindex = ifindex, r.gateway = gw, r.dstLen = len, r.dst = dst, r.metric = metric, r.table = table;
        return r;
    };
    const RuleEntry local{false, 0, 255}, main{false, 32766, 254}, fallback{false, 32767, 253};
    const std::vector<RuleEntry> plainRules{local, main, fallback};
    struct Case {
        const char* what;
        std::vector<RouteEntry> routes;
        std::vector<RuleEntry> rules;
        std::vector<int> order;  // the links that carry plain traffic, first used first
        std::map<int, std::vector<std::string>> gateways;
    };
    RuleEntry wgTable{false, 32765, 51820}, wgSuppress{false, 32764, 254};
    wgTable.plainTraffic = true;  // "not fwmark 51820": unmarked traffic
    wgSuppress.suppressPrefix = 0;
    RuleEntry fromLan{false, 100, 100};
    fromLan.plainTraffic = false;
    RuleEntry blackhole{false, 50, 0};
    blackhole.lookup = false;
    const Case cases[] = {
        {"two defaults: the lower metric first",
         {route(2, "10.1.0.1", 0, "", 600), route(3, "10.2.0.1", 0, "", 100)},
         plainRules,
         {3, 2},
         {{2, {"10.1.0.1"}}, {3, {"10.2.0.1"}}}},
        {"OpenVPN's halves beat the LAN's default; their gateway once",
         {route(2, "10.1.0.1"), route(5, "10.8.0.1", 1, "0.0.0.0"), route(5, "10.8.0.1", 1, "128.0.0.0"),
          route(2, "10.1.0.9", 24, "10.1.0.0")},
         plainRules,
         {5, 2},
         {{2, {"10.1.0.1"}}, {5, {"10.8.0.1"}}}},
        {"wg-quick: its table first, main's default suppressed for plain traffic",
         {route(2, "10.1.0.1"), route(6, "", 0, "", 0, 51820)},
         {local, wgSuppress, wgTable, main, fallback},
         {6, 2},
         {{2, {"10.1.0.1"}}, {6, {""}}}},
        {"a rule for some sources: its table's gateway shown, no traffic carried",
         {route(2, "10.1.0.1", 0, "", 0, 100), route(3, "10.2.0.1")},
         {local, fromLan, main},
         {3},
         {{2, {"10.1.0.1"}}, {3, {"10.2.0.1"}}}},
        {"a gateway reached through two tables, listed once",
         {route(2, "10.1.0.1", 0, "", 0, 100), route(2, "10.1.0.1")},
         {local, fromLan, main},
         {2},
         {{2, {"10.1.0.1"}}}},
        {"a table no rule looks up, and a blackhole before main",
         {route(2, "10.1.0.1", 0, "", 0, 77), route(3, "10.2.0.1")},
         {local, blackhole, main},
         {},
         {{3, {"10.2.0.1"}}}},
        {"no rules at all: the main table",
         {route(4, "")},
         {},
         {4},
         {{4, {""}}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto got = linkDefaults(c.routes, c.rules, false);
        std::vector<std::pair<std::uint64_t, int>> carried;
        std::map<int, std::vector<std::string>> gateways;
        for (const auto& [index, d] : got) {
            if (d.carries) carried.emplace_back(d.rank, index);
            gateways[index] = d.gateways;
        }
        std::sort(carried.begin(), carried.end());
        std::vector<int> order;
        for (const auto& [rank, index] : carried) order.push_back(index);
        EXPECT_EQ(order, c.order);
        EXPECT_EQ(gateways, c.gateways);
        EXPECT_TRUE(linkDefaults(c.routes, c.rules, true).empty()) << "IPv4 routes carry no IPv6 traffic";
    }
    RouteEntry v6;
    v6.ipv6 = true;
    for (auto [dst, len, carries] : {std::tuple{"::", 1, true}, {"8000::", 1, true}, {"2000::", 3, true},
                                     {"3000::", 4, true}, {"fd00::", 8, false}, {"2001:db8::", 32, false}}) {
        v6.dst = dst, v6.dstLen = len;
        EXPECT_EQ(carriesDefault(v6), carries) << dst << "/" << len;
    }
}

// A 169.254 alias beside a real address is passed over; alone it stays.
TEST(Adapters, AutoconfAliasOnlyWhenAlone) {
    std::vector<Address> both{{"169.254.9.9", 16}, {"10.1.0.2", 24}}, alone{{"169.254.9.9", 16}};
    ASSERT_EQ(withoutAutoconfAlias(both).size(), 1u);
    EXPECT_EQ(withoutAutoconfAlias(both)[0].text, "10.1.0.2");
    EXPECT_EQ(withoutAutoconfAlias(alone).size(), 1u);
}
