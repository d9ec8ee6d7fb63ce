#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "ReportBuilder.h"
#include "capture/ReportParser.h"

using namespace capture;
using namespace testing_support;

namespace {

constexpr const char* T = "12:00:00";

std::vector<std::string> fixture(const std::string& name) {
    std::ifstream in(std::string(TEST_DATA_DIR) + "/" + name, std::ios::binary);
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty()) lines.push_back(line);
    }
    return listed(lines);
}

struct Parsed {
    app::AdapterTable table{};
    ParseResult result;
};

Parsed run(const std::vector<std::string>& lines, const std::string& marker) {
    Parsed p;
    p.result = parseReport(lines, marker, T, p.table);
    return p;
}

const ScriptFile* script(const ParseResult& r, const std::string& name) {
    for (const auto& s : r.scripts)
        if (s.name == name) return &s;
    return nullptr;
}

std::string cell(const Parsed& p, int row, int field) { return p.table[row][field]; }

}  // namespace

TEST(ReportParser, XpReportWithTwoDnsServers) {
    auto p = run(fixture("xp-dhcp-two-dns.txt"), "xp");
    const auto& r = p.result;
    EXPECT_EQ(r.status, "No errors found");
    EXPECT_EQ(r.faultCount, 0);
    EXPECT_EQ(r.log, std::vector<std::string>{"12:00:00 No errors found"});
    EXPECT_EQ(r.hostName, "OFFICE-PC");
    ASSERT_EQ(r.adapterEntries, std::vector<std::string>{"1) Ethernet adapter Local Area Connection"});
    EXPECT_EQ(cell(p, 1, 0), "1) Ethernet adapter Local Area Connection");
    EXPECT_EQ(cell(p, 1, 1), "Name:             Intel(R) PRO/100 VE Network Connection");
    EXPECT_EQ(cell(p, 1, 2), "IP Address:       192.168.1.100");
    EXPECT_EQ(cell(p, 1, 3), "Mac Address:      00-0C-F1-5A-3B-7E");
    EXPECT_EQ(cell(p, 1, 4), "Dhcp Enabled:     Yes");
    EXPECT_EQ(cell(p, 1, 5), "Autocfg. Enabled: Yes");
    EXPECT_EQ(cell(p, 1, 6), "Subnet Mask:      255.255.255.0");
    EXPECT_EQ(cell(p, 1, 7), "Default Gateway:  192.168.1.1");
    EXPECT_EQ(cell(p, 1, 8), "DHCP Server:      192.168.1.1");
    EXPECT_EQ(cell(p, 1, 9), "Lease Obtained:   Monday, January 07, 2008 9:14:22 AM");
    EXPECT_EQ(cell(p, 1, 10), "Lease Expires:    Tuesday, January 08, 2008 9:14:22 AM");
    EXPECT_EQ(cell(p, 1, 11), "DNS Server 1:     192.168.1.1");
    EXPECT_EQ(cell(p, 1, 12), "DNS Server 2:     4.2.2.2");
    EXPECT_EQ(cell(p, 1, 13), "");
    EXPECT_TRUE(r.showPingGateway && r.showPingDns1 && r.showPingDns2);

    ASSERT_NE(script(r, "1release.bat"), nullptr);
    EXPECT_EQ(script(r, "1release.bat")->lines, std::vector<std::string>{"ipconfig /release *Local*"});
    EXPECT_EQ(script(r, "1renew.bat")->lines, std::vector<std::string>{"ipconfig /renew *Local*"});
    const std::string hyphens = "@echo ---------------------------------------------------------";
    EXPECT_EQ(script(r, "1pingdns2.bat")->lines,
              (std::vector<std::string>{"@echo off", hyphens, "@echo Ping DNS 2 for Adapter (1)", hyphens,
                                        "ping 4.2.2.2", hyphens, "@pause"}));
    EXPECT_EQ(script(r, "1pingdns1.bat")->lines[4], "ping 192.168.1.1");
}

TEST(ReportParser, XpReportWithCableAutomaticAndUnsetAddress) {
    auto p = run(fixture("xp-cable-apipa-unset.txt"), "xp");
    const auto& r = p.result;
    EXPECT_EQ(r.faultCount, 3);
    EXPECT_EQ(r.status, "Adapter 3 : An IP address is not set.  Click to see log.");
    EXPECT_EQ(r.log, (std::vector<std::string>{
                         "12:00:00 Adapter 1 Media not connected: Cable Error",
                         "12:00:00 Adapter 2",
                         "No DHCP address assigned.",
                         "169.254.23.5",
                         "12:00:00 Adapter 3 : IP address is not set. (0.0.0.0)",
                     }));
    // An automatic address is still the adapter's address.
    EXPECT_EQ(cell(p, 2, 2), "IP Address:       169.254.23.5");
    EXPECT_EQ(cell(p, 3, 2), "IP Address:       0.0.0.0");
    EXPECT_EQ(cell(p, 1, 13), "Media State:      Media disconnected");
    // Empty gateway and DNS values store nothing and write no script.
    EXPECT_EQ(cell(p, 2, 7), "");
    EXPECT_EQ(script(r, "2pinggateway.bat"), nullptr);
    EXPECT_FALSE(r.showPingGateway || r.showPingDns1 || r.showPingDns2);
    // "Ethernet adapter 1394 Connection" names its scripts by the connection's first word.
    EXPECT_EQ(script(r, "3release.bat")->lines[0], "ipconfig /release *1394*");
}

TEST(ReportParser, VistaReportSkipsTunnelsWithoutFaults) {
    auto p = run(fixture("vista-ethernet-wifi-tunnels.txt"), "vista");
    const auto& r = p.result;
    EXPECT_EQ(r.adapterEntries, (std::vector<std::string>{"1) Wireless LAN adapter Wireless Network Connection",
                                                          "2) Ethernet adapter Local Area Connection"}));
    // The disconnected tunnel is no cable fault: only the wireless adapter counts.
    EXPECT_EQ(r.faultCount, 1);
    EXPECT_EQ(r.log, std::vector<std::string>{"12:00:00 Adapter 1 Media not connected: Wireless Network Disconnected"});
    EXPECT_EQ(r.status, " Connection error. Click to see log.");
    EXPECT_EQ(cell(p, 2, 2), "IP Address:       192.168.1.102(Preferred) ");
    EXPECT_EQ(cell(p, 1, 2), "");
    // Tunnel rows stay empty and the tunnel's "::" gateway writes no script.
    for (int row : {3, 4})
        for (int field = 0; field < app::kAdapterFields; ++field) EXPECT_EQ(cell(p, row, field), "") << row;
    EXPECT_EQ(script(r, "4pinggateway.bat"), nullptr);
    EXPECT_EQ(script(r, "3release.bat"), nullptr);
    EXPECT_EQ(script(r, "1release.bat")->lines[0], "ipconfig /release *Wireless*");
    EXPECT_EQ(script(r, "2renew.bat")->lines[0], "ipconfig /renew *Local*");
    EXPECT_EQ(r.hostName, "VISTA-LAPTOP");
}

TEST(ReportParser, InternalErrorEndsTheParse) {
    auto p = run(fixture("xp-internal-error.txt"), "xp");
    const auto& r = p.result;
    EXPECT_TRUE(r.internalError);
    EXPECT_EQ(r.faultCount, 1);
    EXPECT_EQ(r.status, "Windows IP Configuration - An internal error occurred. Click to see log.");
    EXPECT_EQ(r.reportList, (std::vector<std::string>{"Windows IP Configuration - An internal error occurred.", "",
                                                       "", "Run ipconfig from the Command Shell for more information."}));
    EXPECT_EQ(r.log, (std::vector<std::string>{"Windows IP Configuration - An internal error occurred.",
                                               "Run ipconfig from the Command Shell for more information.",
                                               "Detail:",
                                               "An internal error occurred: The request is not supported."}));
    EXPECT_TRUE(r.adapterEntries.empty());
}

TEST(ReportParser, ErrorAnywhereStopsAtThatLine) {
    auto lines = listed({"Windows IP Configuration", "Ethernet adapter Local Area Connection:",
                         xp("Description", "ACME ERRORLESS NIC"), xp("IP Address", "10.0.0.1"),
                         "Ethernet adapter Second:"});
    auto p = run(lines, "xp");
    EXPECT_TRUE(p.result.internalError);
    EXPECT_EQ(p.result.adapterEntries.size(), 1u);  // lines before it stay parsed
    EXPECT_EQ(cell(p, 1, 2), "");                   // lines after it are never read
    EXPECT_EQ(p.result.log.back(), xp("Description", "ACME ERRORLESS NIC"));
}

TEST(ReportParser, HeaderKeywordColumnLimit) {
    struct Case {
        std::size_t prefix;
        bool header;
    } cases[] = {{0, true}, {40, true}, {41, false}, {60, false}};
    for (const auto& c : cases) {
        auto p = run(listed({std::string(c.prefix, '-') + "adapter Box:"}), "xp");
        EXPECT_EQ(p.result.adapterEntries.size(), c.header ? 1u : 0u) << c.prefix;
    }
}

TEST(ReportParser, TunnelNumberingOnVistaButNotOnXp) {
    std::vector<std::string> lines = listed({
        "Ethernet adapter eth0:",
        vista("IPv4 Address", "10.0.0.2(Preferred) "),
        "Tunnel adapter sit0:",
        vista("Media State", "Media disconnected"),
        vista("IPv4 Address", "abc"),
        vista("DNS Servers", "zz.bad"),
        "Ethernet adapter eth1:",
        vista("IPv4 Address", "10.0.1.2(Preferred) "),
    });
    auto v = run(lines, "vista");
    EXPECT_EQ(v.result.adapterEntries, (std::vector<std::string>{"1) Ethernet adapter eth0", "3) Ethernet adapter eth1"}));
    EXPECT_EQ(cell(v, 3, 2), "IP Address:       10.0.1.2(Preferred) ");
    EXPECT_EQ(v.result.faultCount, 0);

    auto x = run(lines, "xp");
    EXPECT_EQ(x.result.adapterEntries.size(), 3u);
    EXPECT_EQ(x.result.adapterEntries[1], "2) Tunnel adapter sit0");
    EXPECT_GT(x.result.faultCount, 0);  // media fault and a bad DNS entry
}

TEST(ReportParser, ShortNames) {
    struct Case {
        const char* header;
        const char* shortName;
    } cases[] = {
        {"Ethernet adapter Local Area Connection:", "Local"},
        {"Wireless LAN adapter Wi-Fi:", "Wi-Fi"},
        {"Ethernet adapter eth0:", "eth0"},
        {"PPP adapter ppp0:", "ppp0"},
        {"Ethernet adapter:", ""},
    };
    for (const auto& c : cases) {
        auto p = run(listed({c.header}), "xp");
        ASSERT_FALSE(p.result.scripts.empty()) << c.header;
        EXPECT_EQ(p.result.scripts[0].lines[0], std::string("ipconfig /release *") + c.shortName + "*") << c.header;
    }
}

TEST(ReportParser, AddressRulesByDialect) {
    struct Case {
        const char* marker;
        const char* label;
        const char* value;
        int faults;
        const char* status;  // empty: "No errors found"
        const char* stored;  // field 2 value, empty when none
    } cases[] = {
        {"xp", "IP Address", "192.168.1.l", 1, " WINSOCK CORRUPTION ERROR detected.  Click to see log.", ""},
        {"xp", "IP Address", "0.0.0.0", 1, "Adapter 1 : An IP address is not set.  Click to see log.", "0.0.0.0"},
        {"xp", "IP Address", "0.0.0.0 ", 0, "", "0.0.0.0 "},
        {"xp", "Autoconfiguration IP Address", "169.254.1.9", 1, " ERRORS detected.  Click to see log.",
         "169.254.1.9"},
        {"xp", "IP Address", "fe80::1%4", 0, "", ""},
        {"xp", "IP Address", "2001:db8::5", 0, "", ""},
        {"vista", "IPv4 Address", "10.1.1.1(Preferred) ", 0, "", "10.1.1.1(Preferred) "},
        {"vista", "IPv4 Address", "169.254.3.3(Preferred) ", 1, " ERRORS detected.  Click to see log.",
         "169.254.3.3(Preferred) "},
        // Status words, their translations, one cut at the copy's edge.
        {"vista", "IPv4 Address", "10.1.1.1(Tentative) ", 0, "", "10.1.1.1(Tentative) "},
        {"vista", "IPv4 Address", "10.1.1.1(Deprecated)", 0, "", "10.1.1.1(Deprecated)"},
        {"vista", "IPv4 Address", "10.1.1.1(Bevorzugt)", 0, "", "10.1.1.1(Bevorzugt)"},
        {"vista", "IPv4 Address", "10.1.1.1(Pre", 0, "", "10.1.1.1(Pre"},
        {"vista", "IPv4 Address", "192.168.1.1(Duplicate)", 1, "Adapter 1 : IP address conflict.  Click to see log.",
         "192.168.1.1(Duplicate)"},
        // A word the vocabulary lacks after a whole address is a status word
        // all the same (a language without a table); other text is not.
        {"vista", "IPv4 Address", "10.1.1.1(Önskad)", 0, "", "10.1.1.1(Önskad)"},
        {"vista", "IPv4 Address", "10.1.1.1(Tercih Edilen)", 0, "", "10.1.1.1(Tercih Edilen)"},
        {"vista", "IPv4 Address", "10.1.1.1(x1)", 1, " WINSOCK CORRUPTION ERROR detected.  Click to see log.", ""},
        {"vista", "IPv4 Address", "10.1.1(Broken)", 1, " WINSOCK CORRUPTION ERROR detected.  Click to see log.", ""},
        {"vista", "IPv4 Address", "fe80::1%4(Deprecated)", 0, "", "fe80::1%4(Deprecated)"},
        // Only an address that begins with the link-local prefix is automatic.
        {"vista", "IPv4 Address", "10.169.254.5(Preferred)", 0, "", "10.169.254.5(Preferred)"},
        {"xp", "IP Address", "192.169.254.1", 0, "", "192.169.254.1"},
        {"vista", "IPv4 Address", "0.0.0.0", 1, "Adapter 1 : An IP address is not set.  Click to see log.", "0.0.0.0"},
        {"vista", "IP Address", "0.0.0.0", 0, "", ""},  // not the address label of this dialect
        {"other", "Ip Address", "0.0.0.0", 0, "", ""},
    };
    for (const auto& c : cases) {
        auto lines = listed({"Ethernet adapter Local Area Connection:", xp("Description", "NIC"), xp(c.label, c.value)});
        auto p = run(lines, c.marker);
        SCOPED_TRACE(std::string(c.marker) + " " + c.value);
        EXPECT_EQ(p.result.faultCount, c.faults);
        EXPECT_EQ(p.result.status, *c.status ? c.status : "No errors found");
        EXPECT_EQ(cell(p, 1, 2), *c.stored ? "IP Address:       " + std::string(c.stored) : "");
    }
}

TEST(ReportParser, AutomaticAndDamagedOnOneLineAreTwoFaults) {
    auto p = run(listed({"Ethernet adapter X:", xp("Description", "N"), xp("IP Address", "169.254.x.1")}), "xp");
    EXPECT_EQ(p.result.faultCount, 2);
    EXPECT_EQ(p.result.log.size(), 6u);
    EXPECT_EQ(p.result.log[4], "WINSOCK CORRUPTION ERROR detected. Run ipconfig from the Command Shell.");
}

TEST(ReportParser, AddressConflictNamesTheAdapterAndTheAddress) {
    auto p = run(listed({"Ethernet adapter X:", xp("Description", "N"), xp("IPv4 Address", "169.254.4.153(Preferred)"),
                         xp("IPv4 Address", "192.168.1.1(Duplicate)")}),
                 "vista");
    EXPECT_EQ(p.result.faultCount, 2);
    EXPECT_EQ(p.result.status, "Adapter 1 : IP address conflict.  Click to see log.");
    EXPECT_EQ(p.result.log.back(), std::string(T) + " Adapter 1 : IP address conflict. Another device also uses 192.168.1.1");
}

TEST(ReportParser, IPv6AddressLineKeepsTheIpv4Address) {
    auto p = run(listed({"Ethernet adapter X:", xp("Description", "N"), xp("IP Address", "192.168.0.7"),
                         xp("IP Address", "fe80::20c:29ff:fe12:3456%5")}),
                 "xp");
    EXPECT_EQ(p.result.faultCount, 0);
    EXPECT_EQ(cell(p, 1, 2), "IP Address:       192.168.0.7");
}

TEST(ReportParser, TestedAddressUsesTheKeptCutPosition) {
    // The short address line is tested at the column of the line before it,
    // which leaves nothing to test; its own value is still stored.
    auto p = run(listed({"Ethernet adapter X:", xp("Description", "N"), "IP Address: 0.0.0.0"}), "xp");
    EXPECT_EQ(p.result.faultCount, 0);
    EXPECT_EQ(cell(p, 1, 2), "IP Address:       0.0.0.0");
}

TEST(ReportParser, DnsRules) {
    struct Case {
        std::vector<std::string> lines;
        const char* dns1;
        const char* dns2;
        int faults;
        const char* status;
    } cases[] = {
        {{xp("DNS Servers", "10.0.0.1"), xpMore("10.0.0.2")}, "10.0.0.1", "10.0.0.2", 0, "No errors found"},
        // Column 9 not blank: not a continuation.
        {{xp("DNS Servers", "10.0.0.1"), xp("Lease Obtained", "today")}, "10.0.0.1", "", 0, "No errors found"},
        // An empty first server still takes the continuation.
        {{xp("DNS Servers", ""), xpMore("10.0.0.2")}, "", "10.0.0.2", 0, "No errors found"},
        // A third server line is not read.
        {{xp("DNS Servers", "1.1.1.1"), xpMore("2.2.2.2"), xpMore("3.3.3.3")}, "1.1.1.1", "2.2.2.2", 0,
         "No errors found"},
        // An IPv6 server is no damaged entry.
        {{xp("DNS Servers", "fec0:0:0:ffff::1%1"), xpMore("2001:4860:4860::8888")}, "fec0:0:0:ffff::1%1",
         "2001:4860:4860::8888", 0, "No errors found"},
        {{xp("DNS Servers", "dns.corrupt")}, "dns.corrupt", "", 1, " DNS 1 CORRUPTION ERROR detected.  Click to see log."},
        {{xp("DNS Servers", "1.1.1.1"), xpMore("1.1.1.x")}, "1.1.1.1", "1.1.1.x", 1,
         " DNS 2 CORRUPTION ERROR detected.  Click to see log."},
        // A following adapter header is never a second server, whatever its columns.
        {{xp("DNS Servers", "1.1.1.1"), "Ethernet adapter A very long connection name that passes the column:"},
         "1.1.1.1", "", 0, "No errors found"},
        // A continuation shorter than the cut position gives no value.
        {{xp("DNS Servers", "1.1.1.1"), "         short"}, "1.1.1.1", "", 0, "No errors found"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> lines{"Ethernet adapter X:"};
        lines.insert(lines.end(), c.lines.begin(), c.lines.end());
        auto p = run(listed(lines), "xp");
        SCOPED_TRACE(c.lines[0]);
        EXPECT_EQ(cell(p, 1, 11), *c.dns1 ? "DNS Server 1:     " + std::string(c.dns1) : "");
        EXPECT_EQ(cell(p, 1, 12), *c.dns2 ? "DNS Server 2:     " + std::string(c.dns2) : "");
        EXPECT_EQ(p.result.faultCount, c.faults);
        EXPECT_EQ(p.result.status, c.status);
        EXPECT_EQ(script(p.result, "1pingdns1.bat") != nullptr, *c.dns1 != 0 && pingTarget(c.dns1));
        EXPECT_EQ(script(p.result, "1pingdns2.bat") != nullptr, *c.dns2 != 0 && pingTarget(c.dns2));
        if (c.faults) {
            EXPECT_EQ(p.result.log[0].find("Adapter"), std::string::npos);  // DNS faults name no adapter
        }
    }
}

TEST(ReportParser, MediaFaultKindFollowsTheAdapterName) {
    struct Case {
        const char* header;
        const char* kind;
    } cases[] = {
        {"Ethernet adapter Wireless Network Connection:", "Wireless Network Disconnected"},
        {"Ethernet adapter wireless:", "Wireless Network Disconnected"},
        {"Ethernet adapter WIRELESS:", "Cable Error"},
        {"Ethernet adapter Local Area Connection:", "Cable Error"},
    };
    for (const auto& c : cases) {
        auto p = run(listed({c.header, xp("Media State", "Media disconnected")}), "xp");
        EXPECT_EQ(p.result.log.at(0), std::string("12:00:00 Adapter 1 Media not connected: ") + c.kind) << c.header;
    }
}

TEST(ReportParser, TwoFaultsLeaveTheLaterStatus) {
    auto p = run(listed({"Ethernet adapter A:", xp("Media State", "Media disconnected"), "Ethernet adapter B:",
                         xp("DNS Servers", "bad.server")}),
                 "xp");
    EXPECT_EQ(p.result.faultCount, 2);
    EXPECT_EQ(p.result.status, " DNS 1 CORRUPTION ERROR detected.  Click to see log.");
    EXPECT_EQ(p.result.log, (std::vector<std::string>{"12:00:00 Adapter 1 Media not connected: Cable Error",
                                                      "12:00:00 DNS 1 ERROR detected."}));
}

TEST(ReportParser, ElevenAdaptersAreListedButOnlyTenHaveRows) {
    std::vector<std::string> lines;
    for (int i = 1; i <= 11; ++i) {
        lines.push_back("Ethernet adapter eth" + std::to_string(i) + ":");
        lines.push_back(xp("Default Gateway", "10.0.0." + std::to_string(i)));
    }
    auto p = run(listed(lines), "xp");
    EXPECT_EQ(p.result.adapterEntries.size(), 11u);
    EXPECT_EQ(cell(p, 10, 7), "Default Gateway:  10.0.0.10");
    EXPECT_NE(script(p.result, "11pinggateway.bat"), nullptr);
    EXPECT_NE(script(p.result, "11release.bat"), nullptr);
}

TEST(ReportParser, GatewayScriptOfAdapterTwo) {
    auto p = run(listed({"Ethernet adapter A:", "Ethernet adapter B:", xp("Default Gateway", "192.168.2.1  ")}), "xp");
    const ScriptFile* s = script(p.result, "2pinggateway.bat");
    ASSERT_NE(s, nullptr);
    ASSERT_EQ(s->lines.size(), 7u);
    EXPECT_EQ(s->lines[2], "@echo Ping default Gateway / Router for Adapter (2)");
    EXPECT_EQ(s->lines[4], "ping 192.168.2.1  ");  // the value as cut, trailing blanks kept
}

TEST(ReportParser, LabelsBeforeTheFirstHeaderGoToRowZero) {
    auto p = run(listed({xp("Host Name", "lower-case-host"), xp("Subnet Mask", "255.0.0.0")}), "xp");
    EXPECT_EQ(p.result.hostName, "LOWER-CASE-HOST");
    EXPECT_EQ(cell(p, 0, 6), "Subnet Mask:      255.0.0.0");
}

TEST(ReportParser, ClearEmptiesEveryCell) {
    app::AdapterTable table{};
    table[10][20] = "old";
    table[3][5] = "old";
    clearAdapterTable(table);
    for (const auto& row : table)
        for (const auto& c : row) EXPECT_EQ(c, "");
}

// Values in a report come from DHCP servers and interface names: none may
// open an adapter or reach a script as a command.
TEST(HostileReport, RogueDnsSuffixIsOnlyAValue) {
    const char* suffixes[] = {"adapter >pwn:", "default gateway -n 99 -l 65000 192.0.2.66",
                              "dns servers 192.0.2.66", "x host name: EVIL"};
    for (const char* marker : {"vista", "xp"})
        for (const char* suffix : suffixes) {
            SCOPED_TRACE(std::string(marker) + ": " + suffix);
            const bool v = std::string(marker) == "vista";
            auto line = [&](const char* label, const char* value) { return v ? vista(label, value) : xp(label, value); };
            auto p = run(listed({line("Host Name", "desk"), "Ethernet adapter eth0:",
                                 line("Connection-specific DNS Suffix", suffix), line("Description", "NIC"),
                                 line("Dhcp Enabled", "Yes")}),
                         marker);
            EXPECT_EQ(p.result.adapterEntries, std::vector<std::string>{"1) Ethernet adapter eth0"});
            EXPECT_EQ(p.result.hostName, "DESK");
            EXPECT_EQ(cell(p, 1, 4), "Dhcp Enabled:     Yes");
            EXPECT_EQ(cell(p, 1, 7), "");
            EXPECT_EQ(cell(p, 1, 11), "");
            ASSERT_EQ(p.result.scripts.size(), 2u) << "release and renew only";
            EXPECT_EQ(p.result.scripts[0].lines[0], "ipconfig /release *eth0*");
        }
}

TEST(HostileReport, AdapterPatternsCarryNoInterpreterCharacter) {
    struct Case {
        std::string name;
        const char* pattern;
    } cases[] = {
        {"a>b", "*a?b*"},   {"a&b", "*a?b*"},   {"p|q", "*p?q*"},     {"c<d", "*c?d*"}, {"c^d", "*c?d*"},
        {"e%f%", "*e?f?*"}, {"q\"x", "*q?x*"},  {"e\x1b[2J", "*e?[2J*"}, {"s*t", "*s?t*"}, {"w?z", "*w?z*"},
        {"-lead", "*-lead*"}, {"eth0", "*eth0*"},
    };
    for (const auto& c : cases) {
        auto p = run(listed({"Ethernet adapter " + c.name + ":"}), "vista");
        ASSERT_EQ(p.result.scripts.size(), 2u) << c.name;
        EXPECT_EQ(p.result.scripts[0].lines, std::vector<std::string>{std::string("ipconfig /release ") + c.pattern});
        EXPECT_EQ(p.result.scripts[1].lines, std::vector<std::string>{std::string("ipconfig /renew ") + c.pattern});
    }
}

TEST(HostileReport, PingScriptWithAnInterpreterCharacterIsWithheld) {
    struct Case {
        std::string gateway, dns1, dns2;
        bool gatewayShown, dns1Shown, dns2Shown;
    } cases[] = {
        {"10.0.0.1 & calc", "10.0.0.53", "10.0.0.54", false, true, true},
        {"10.0.0.1", "x >c:\\boot.ini", "10.0.0.54", true, false, true},
        {"10.0.0.1", "10.0.0.53", "a|b", true, true, false},
        {"fe80::1%11 & x", "\"q", "^x\x07", false, false, false},
        {"fe80::1%11", "fec0:0:0:ffff::1%1  ", "10.0.0.54%x|y", true, true, false},
        {"10.0.0.1%11", "fe80::1%eth0;rm", "%11", false, false, false},
    };
    for (const auto& c : cases) {
        auto p = run(listed({"Ethernet adapter A:", xp("Default Gateway", c.gateway), xp("DNS Servers", c.dns1),
                             xpMore(c.dns2)}),
                     "xp");
        const auto& r = p.result;
        EXPECT_EQ(r.showPingGateway, c.gatewayShown) << c.gateway;
        EXPECT_EQ(r.showPingDns1, c.dns1Shown) << c.dns1;
        EXPECT_EQ(r.showPingDns2, c.dns2Shown) << c.dns2;
        EXPECT_EQ(script(r, "1pinggateway.bat") != nullptr, c.gatewayShown);
        EXPECT_EQ(script(r, "1pingdns1.bat") != nullptr, c.dns1Shown);
        EXPECT_EQ(script(r, "1pingdns2.bat") != nullptr, c.dns2Shown);
        EXPECT_EQ(r.withheldScripts.size(), 3u - c.gatewayShown - c.dns1Shown - c.dns2Shown);
        // The table still shows what the report said.
        EXPECT_EQ(cell(p, 1, 7), "Default Gateway:  " + c.gateway);
        // An IPv6 zone reaches the script as "%%", one "%" when it runs.
        if (c.gatewayShown && c.gateway.find('%') != std::string::npos) {
            EXPECT_EQ(script(r, "1pinggateway.bat")->lines[4], "ping fe80::1%%11");
        }
    }
}
