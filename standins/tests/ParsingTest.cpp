// Lease files, adapter name patterns and script lines.
#include <gtest/gtest.h>

#include "standins/batrun/ScriptLine.h"
#include "standins/common/DhcpOwner.h"
#include "standins/common/Leases.h"
#include "standins/common/Pattern.h"
#include "standins/common/Resolver.h"

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
}

TEST(ClientCommandLines, InterfacesAndOptions) {
    std::vector<std::string> deb{"/sbin/dhclient", "-4", "-v", "-i", "-pf", "/run/dhclient.eth0.pid", "-lf",
                                 "/var/lib/dhcp/dhclient.eth0.leases", "-I", "-df", "/x", "eth0"};
    EXPECT_EQ(clientInterfaces(deb), std::vector<std::string>{"eth0"});
    EXPECT_EQ(optionValue(deb, "-lf"), "/var/lib/dhcp/dhclient.eth0.leases");
    EXPECT_TRUE(clientInterfaces({"dhclient", "-nw"}).empty());
    EXPECT_EQ(clientInterfaces({"dhcpcd", "-q", "-t", "30", "wlan0", "eth1"}),
              (std::vector<std::string>{"wlan0", "eth1"}));
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
