// The report text: label layout against the sample report, and the round
// trip through the program's own parser.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "capture/ReportParser.h"
#include "standins/common/Report.h"

using namespace standins;

namespace {

std::vector<std::string> fixtureLines() {
    std::ifstream in(std::string(STANDINS_DATA_DIR) + "/vista-ethernet-wifi-tunnels.txt", std::ios::binary);
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(in, line)) lines.push_back(line + "\n");
    return lines;
}

std::vector<std::string> splitCrLf(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find("\r\n", start);
        EXPECT_NE(end, std::string::npos) << "every line ends in CR LF";
        if (end == std::string::npos) break;
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

}  // namespace

TEST(ReportLayout, LabelLinesMatchTheSampleReport) {
    auto lines = fixtureLines();
    ASSERT_GT(lines.size(), 30u);
    struct Case {
        std::size_t line;  // 0-based line of the sample
        const char* label;
        const char* value;
    } cases[] = {
        {3, "Host Name", "vista-laptop"},
        {4, "Primary Dns Suffix ", ""},
        {6, "IP Routing Enabled", "No"},
        {11, "Media State", "Media disconnected"},
        {12, "Connection-specific DNS Suffix ", ""},
        {14, "Physical Address", "00-1D-D9-4A-5B-6C"},
        {16, "Autoconfiguration Enabled", "Yes"},
        {25, "Link-local IPv6 Address", "fe80::5efe:c0a8:102%10(Preferred) "},
        {26, "IPv4 Address", "192.168.1.102(Preferred) "},
        {33, "NetBIOS over Tcpip", "Enabled"},
    };
    for (const auto& c : cases) {
        std::string expected = lines[c.line];
        EXPECT_EQ(labelLine(c.label, c.value), expected) << "sample line " << c.line + 1;
    }
    EXPECT_EQ(continuationLine("4.2.2.2").find("4.2.2.2"), 39u);
}

TEST(ReportLayout, ValueHelpers) {
    EXPECT_EQ(subnetMask(24), "255.255.255.0");
    EXPECT_EQ(subnetMask(16), "255.255.0.0");
    EXPECT_EQ(subnetMask(0), "0.0.0.0");
    EXPECT_EQ(subnetMask(32), "255.255.255.255");
    EXPECT_EQ(subnetMask(27), "255.255.255.224");
    EXPECT_EQ(physicalAddress({0x00, 0x1d, 0xd9, 0x4a, 0x5b, 0x6c}), "00-1D-D9-4A-5B-6C");
    EXPECT_EQ(physicalAddress({}), "");
}

TEST(ReportRoundTrip, ParsesIntoTheExpectedAdapterTable) {
    HostInfo host{"testhost", "", false, {"example.test"}};
    std::vector<Adapter> adapters(5);
    Adapter& eth = adapters[0];
    eth.name = "veth-static";
    eth.index = 7;
    eth.carrier = true;
    eth.description = "Virtual veth link";
    eth.mac = {2, 0, 0, 0, 0, 1};
    eth.ipv4 = {{"10.1.0.2", 24}};
    eth.ipv6 = {{"fe80::1", 64}};
    eth.gateways4 = {"10.1.0.1"};
    eth.gateways6 = {"fe80::ff%7"};
    eth.dnsServers = {"10.1.0.53", "10.1.0.54"};
    Adapter& off = adapters[1];
    off.name = "wlan0";
    off.kind = AdapterKind::Wireless;
    off.description = "Wireless";
    Adapter& ll = adapters[2];
    ll.name = "dummy-ll";
    ll.carrier = true;
    ll.ipv4 = {{"169.254.10.20", 16}};
    Adapter& dh = adapters[3];
    dh.name = "veth-dhcp";
    dh.carrier = true;
    dh.dhcp = true;
    dh.ipv4 = {{"10.9.0.50", 24}};
    dh.dhcpServer = "10.9.0.1";
    dh.leaseObtained = 1700000000;
    dh.leaseExpires = 1700003600;
    dh.dnsServers = {"10.9.0.1"};
    Adapter& tun = adapters[4];
    tun.name = "sit1";
    tun.kind = AdapterKind::Tunnel;
    tun.carrier = true;

    std::string text = formatReport(host, adapters);
    auto lines = splitCrLf(text);
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[1], "Windows IP Configuration");

    app::AdapterTable table{};
    auto r = capture::parseReport(lines, "vista", "12:00:00", table);
    EXPECT_FALSE(r.internalError);
    EXPECT_EQ(r.hostName, "TESTHOST");
    ASSERT_EQ(r.adapterEntries,
              (std::vector<std::string>{"1) Ethernet adapter veth-static", "2) Wireless LAN adapter wlan0",
                                        "3) Ethernet adapter dummy-ll", "4) Ethernet adapter veth-dhcp"}));
    EXPECT_EQ(table[1][2], "IP Address:       10.1.0.2(Preferred) ");
    EXPECT_EQ(table[1][3], "Mac Address:      02-00-00-00-00-01");
    EXPECT_EQ(table[1][4], "Dhcp Enabled:     No");
    EXPECT_EQ(table[1][6], "Subnet Mask:      255.255.255.0");
    EXPECT_EQ(table[1][7], "Default Gateway:  10.1.0.1");
    EXPECT_EQ(table[1][11], "DNS Server 1:     10.1.0.53");
    EXPECT_EQ(table[1][12], "DNS Server 2:     10.1.0.54");
    EXPECT_EQ(table[2][13], "Media State:      Media disconnected");
    EXPECT_EQ(table[4][4], "Dhcp Enabled:     Yes");
    EXPECT_EQ(table[4][8], "DHCP Server:      10.9.0.1");
    EXPECT_EQ(table[4][9], "Lease Obtained:   " + leaseTime(1700000000));
    EXPECT_EQ(table[4][10], "Lease Expires:    " + leaseTime(1700003600));
    // The disconnected wireless adapter and the automatic address are the faults.
    EXPECT_EQ(r.faultCount, 2);
    bool releaseScript = false;
    for (const auto& s : r.scripts)
        for (const auto& l : s.lines) releaseScript |= l == "ipconfig /release *veth-dhcp*";
    EXPECT_TRUE(releaseScript);
}

// The adapters that carry the default traffic lead, the one used first on
// top; then physical ones, then those with a gateway, then the rest (a
// container's bridge and links), each group by index.
TEST(ReportOrder, OwnAdaptersFirstThenByIndex) {
    std::vector<Adapter> a(8);
    a[6].name = "tun1", a[6].index = 12, a[6].routeRank = 7;  // carries the default traffic
    a[7].name = "eth2", a[7].index = 11, a[7].routeRank = 9, a[7].physical = true;
    a[0].name = "docker0", a[0].index = 3;
    a[1].name = "veth0", a[1].index = 2;
    a[2].name = "eth1", a[2].index = 9, a[2].physical = true;
    a[3].name = "tun0", a[3].index = 7, a[3].gateways4 = {"10.0.0.1"};
    a[4].name = "eth0", a[4].index = 6, a[4].physical = true;
    a[5].name = "wg0", a[5].index = 5, a[5].gateways6 = {"fe80::1"};
    std::stable_sort(a.begin(), a.end(), shownBefore);
    std::vector<std::string> names;
    for (const auto& x : a) names.push_back(x.name);
    EXPECT_EQ(names, (std::vector<std::string>{"tun1", "eth2", "eth0", "eth1", "wg0", "tun0", "veth0", "docker0"}));
}

// Names and options from interfaces, leases and DHCP servers: no control
// character reaches the report, so none can end a line early or drive the
// terminal the report is shown in.
TEST(HostileReportTool, ControlCharactersNeverReachTheReport) {
    HostInfo host{"host\a", "corp\x1b]0;title\a", false, {"evil\x1b[2J", "line\r\nbreak"}};
    std::vector<Adapter> adapters(1);
    Adapter& a = adapters[0];
    a.name = "e\x1b[31m";
    a.carrier = true;
    a.description = "NIC \xC2\x9B" "2J";  // U+009B, the one-byte CSI
    a.dnsSuffix = "x\r\n   Default Gateway . . . . . . . . . : 6.6.6.6";
    a.ipv4 = {{"10.1.0.2", 24}};
    a.dnsServers = {"10.1.0.53", "10.1.0.54\n"};

    const std::string text = formatReport(host, adapters);
    auto lines = splitCrLf(text);
    for (const auto& line : lines)
        for (std::size_t i = 0; i < line.size(); ++i) {
            const auto c = static_cast<unsigned char>(line[i]);
            const auto next = i + 1 < line.size() ? static_cast<unsigned char>(line[i + 1]) : 0;
            EXPECT_TRUE(c >= 0x20 && c != 0x7F) << "control character " << int(c) << " in: " << line;
            EXPECT_FALSE(c == 0xC2 && next >= 0x80 && next <= 0x9F) << line;
        }
    app::AdapterTable table{};
    auto r = capture::parseReport(lines, "vista", "12:00:00", table);
    EXPECT_EQ(r.adapterEntries, std::vector<std::string>{"1) Ethernet adapter e?[31m"});
    EXPECT_EQ(table[1][7], "") << "no gateway line slipped in";
    EXPECT_EQ(printable("a\tb\r\nc\x7f", true), "a\tb\r\nc?");
}

// An interface name that is not UTF-8 has its bad bytes written as "?", so
// the report stays UTF-8 and the other names keep their letters.
TEST(HostileReportTool, InvalidUtf8BytesBecomeQuestionMarks) {
    const struct {
        std::string in, out;
    } cases[] = {
        {"eth\xFF" "0", "eth?0"},
        {"br-\xC3", "br-?"},                            // cut short at the end
        {"x\xC3(y", "x?(y"},                            // a lead byte without its follower
        {"\xC0\xAF", "??"},                            // overlong "/"
        {"\xED\xA0\x80", "???"},                      // a surrogate
        {"\xF4\x90\x80\x80", "????"},                 // above U+10FFFF
        {"caf\xC3\xA9-\xE2\x82\xAC-\xF0\x9F\x98\x80", "caf\xC3\xA9-\xE2\x82\xAC-\xF0\x9F\x98\x80"},
    };
    for (const auto& c : cases) EXPECT_EQ(printable(c.in), c.out) << c.out;
}
