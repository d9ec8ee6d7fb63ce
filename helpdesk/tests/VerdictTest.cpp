// Reports as people paste them, and the help desk's verdict on them:
// composed reports, one table row per layout, status word and finding.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "ReportBuilder.h"
#include "helpdesk/PastedReport.h"
#include "helpdesk/ReportOutput.h"
#include "helpdesk/SavedReport.h"

using namespace helpdesk;
using testing_support::vista;
using testing_support::vistaMore;

namespace {

std::string joined(const std::vector<std::string>& lines, const char* end = "\n") {
    std::string out;
    for (const auto& l : lines) out += l + end;
    return out;
}

// The rows an 80-column console shows for one line.
std::vector<std::string> wrapped(const std::string& line) {
    std::vector<std::string> rows;
    for (std::size_t at = 0; at < line.size(); at += kConsoleColumns) rows.push_back(line.substr(at, kConsoleColumns));
    return rows;
}

const std::string kLongDescription = vista("Description", "Realtek PCIe GbE Family Controller with a long name #2");

std::vector<std::string> cleanReport() {
    return {"Windows IP Configuration",
            vista("Host Name", "desk"),
            "Ethernet adapter Ethernet:",
            kLongDescription,
            vista("IPv4 Address", "192.168.178.23(Preferred)"),
            vista("Default Gateway", "192.168.178.1"),
            vista("DNS Servers", "192.168.178.1"),
            vistaMore("8.8.8.8")};
}

}  // namespace

TEST(PastedReport, EveryLayoutGivesTheConsoleLines) {
    auto clean = cleanReport();
    auto rows = [&](bool doubled, std::size_t pad) {
        std::vector<std::string> out;
        for (const auto& line : clean) {
            // A remote shell pads to its own width and wraps nothing.
            for (auto& row : pad ? std::vector<std::string>{line} : wrapped(line)) {
                out.push_back(row.size() < pad ? row + std::string(pad - row.size(), ' ') : row);
                if (doubled) out.emplace_back();
            }
        }
        return out;
    };
    // A value that ends exactly at the edge leaves an empty row behind.
    std::string exact = vista("Description", "") + std::string(kConsoleColumns - vista("Description", "").size(), 'n');
    std::string address = vista("IPv4 Address", "192.168.178.23(Preferred)");
    std::string pre = address.substr(0, address.size() - 7), ferred = address.substr(address.size() - 7);
    pre = std::string(kConsoleColumns - pre.size(), ' ') + pre;  // "(Pre" ends at the edge
    std::string cjk = "   Description . . . . . : " + std::string(51, 'a');  // 78 columns, then a wide character
    struct Case {
        const char* name;
        std::string text;
        std::vector<std::string> expected;
    } cases[] = {
        {"wrapped at 80 columns", joined(rows(false, 0)), clean},
        {"wrapped and CR LF", joined(rows(false, 0), "\r\n"), clean},
        {"padded to 128 columns", joined(rows(false, 128)), clean},
        {"a blank line after every line", joined(rows(true, 0)), clean},
        {"(Pre|ferred) split by the console",
         joined({"Ethernet adapter X:", pre, ferred}),
         {"Ethernet adapter X:", pre + ferred}},
        {"exactly 80 wide, then the console's empty line",
         joined({"Ethernet adapter X:", exact, "", vista("Subnet Mask", "255.0.0.0")}),
         {"Ethernet adapter X:", exact, vista("Subnet Mask", "255.0.0.0")}},
        {"a double-width character that did not fit", joined({cjk, "\xE5\x8D\xA1"}), {cjk + "\xE5\x8D\xA1"}},
        {"a header or a server after a full row stays a line",
         joined({exact, "", "Tunnel adapter isatap.{1}:", exact, vistaMore("8.8.4.4")}),
         {exact, "Tunnel adapter isatap.{1}:", exact, vistaMore("8.8.4.4")}},
        {"a value's own trailing blank stays",
         joined({"Ethernet adapter X:", vista("IPv4 Address", "10.1.1.1(Preferred) ")}),
         {"Ethernet adapter X:", vista("IPv4 Address", "10.1.1.1(Preferred) ")}},
        {"a line cut at the copy's edge keeps what it has",
         joined({"Ethernet adapter X:", vista("IPv4 Address", "10.1.1.1(Pre")}),
         {"Ethernet adapter X:", vista("IPv4 Address", "10.1.1.1(Pre")}},
    };
    for (const auto& c : cases) EXPECT_EQ(unwrapPastedLines(c.text), c.expected) << c.name;
    EXPECT_EQ(consoleWidth("a\xE5\x8D\xA1" "b"), 4u);
}

namespace {

struct Adapter {
    std::string header;
    std::vector<std::string> lines;
};

std::string report(const std::vector<Adapter>& adapters, std::vector<std::string> global = {}) {
    std::string text = "Windows IP Configuration\n\n" + joined(global) + "\n";
    for (const auto& a : adapters) text += a.header + "\n\n" + joined(a.lines) + "\n";
    return text;
}

Adapter wifi(const std::string& address = "10.0.0.27(Preferred)", const std::string& gateway = "10.0.0.1",
             std::vector<std::string> dns = {"10.0.0.1"}) {
    Adapter a{"Wireless LAN adapter Wi-Fi:",
              {vista("Description", "Intel(R) Wi-Fi 6 AX201 160MHz"), vista("DHCP Enabled", "Yes"),
               vista("IPv4 Address", address), vista("Subnet Mask", "255.255.255.0"),
               vista("Default Gateway", gateway)}};
    for (std::size_t i = 0; i < dns.size(); ++i) a.lines.push_back(i ? vistaMore(dns[i]) : vista("DNS Servers", dns[i]));
    return a;
}
Adapter unplugged(const std::string& header, const std::string& description) {
    return {header, {vista("Media State", "Media disconnected"), vista("Description", description)}};
}
Adapter ethernet(std::vector<std::string> lines, const std::string& description = "Realtek PCIe GbE") {
    lines.insert(lines.begin(), vista("Description", description));
    return {"Ethernet adapter Ethernet:", std::move(lines)};
}

std::string kinds(const Verdict& v) {
    std::string out;
    for (const auto& f : v.findings) out += (out.empty() ? "" : " ") + f.kind + "@" + f.adapter;
    return out;
}

DiagnosedReport read(std::string text) {
    auto r = diagnoseSavedReport(std::move(text), {CodePage::Automatic, std::nullopt, "T"});
    EXPECT_TRUE(r.report) << r.refusal;
    return r.report ? *r.report : DiagnosedReport{};
}

}  // namespace

TEST(Verdict, EveryKindOnComposedReports) {
    const Adapter bluetooth =
        unplugged("Ethernet adapter Bluetooth Network Connection:", "Bluetooth Device (Personal Area Network)");
    const Adapter direct = unplugged("Wireless LAN adapter Local Area Connection* 1:", "Microsoft Wi-Fi Direct Virtual Adapter");
    const Adapter cable = unplugged("Ethernet adapter Ethernet:", "Realtek PCIe GbE");
    const Adapter ppp{"PPP adapter Broadband:",
                      {vista("Description", "Broadband"), vista("IPv4 Address", "117.198.165.195(Preferred)"),
                       vista("Subnet Mask", "255.255.255.255"), vista("Default Gateway", "0.0.0.0"),
                       vista("DNS Servers", "218.248.255.212")}};
    const std::vector<std::string> apipa{vista("DHCP Enabled", "Yes"), vista("Autoconfiguration IPv4 Address", "169.254.4.153(Preferred)"),
                                         vista("Subnet Mask", "255.255.0.0"), vista("Default Gateway", "")};
    struct Case {
        const char* name;
        std::string text;
        std::optional<bool> connected;
        std::vector<std::string> via;
        const char* findings;
        int exit;
    } cases[] = {
        {"idle Bluetooth, Wi-Fi Direct and cable while Wi-Fi carries", report({cable, wifi(), bluetooth, direct}), true,
         {"Wi-Fi"}, "idle-adapter@Ethernet idle-adapter@Bluetooth Network Connection idle-adapter@Local Area Connection* 1", 0},
        {"nothing connected: the unplugged cable is the cause", report({cable, bluetooth}), false, {},
         "media-disconnected@Ethernet idle-adapter@Bluetooth Network Connection", 1},
        {"no DHCP answer", report({ethernet(apipa)}), false, {}, "automatic-address@Ethernet", 1},
        {"the LAN side of a working PPPoE link", report({ppp, ethernet(apipa)}), true, {"Broadband"}, "", 0},
        {"a host-only adapter meant to have none",
         report({wifi(), ethernet(apipa, "VirtualBox Host-Only Ethernet Adapter")}), true, {"Wi-Fi"}, "", 0},
        {"point-to-point gateway equal to its own address",
         report({{"PPP adapter VPN:", {vista("IPv4 Address", "10.8.0.6"), vista("Subnet Mask", "255.255.255.255"),
                                       vista("Default Gateway", "10.8.0.6"), vista("DNS Servers", "10.8.0.1")}}}),
         true, {"VPN"}, "", 0},
        {"an address another device uses",
         report({ethernet({vista("IPv4 Address", "192.168.1.1(Duplicate)"), vista("Subnet Mask", "255.255.255.0"),
                           vista("Default Gateway", "192.168.1.254")})}),
         false, {}, "duplicate-address@Ethernet", 1},
        {"a tentative address carries nothing", report({wifi("10.0.0.27(Tentative)")}), false, {}, "", 1},
        {"an unset address", report({ethernet({vista("DHCP Enabled", "No"), vista("IP Address", "0.0.0.0"),
                                               vista("Subnet Mask", "0.0.0.0")})}),
         false, {}, "unset-address@Ethernet", 1},
        {"a link and DHCP but no IPv4 address",
         report({wifi(), ethernet({vista("DHCP Enabled", "Yes"), vista("Link-local IPv6 Address", "fe80::1%4(Preferred)")})}),
         true, {"Wi-Fi"}, "no-address@Ethernet", 1},
        {"an address without a gateway", report({wifi("10.0.0.27(Preferred)", "")}), false, {}, "no-gateway@Wi-Fi", 1},
        {"a gateway outside the subnet", report({wifi("10.0.0.27(Preferred)", "10.0.1.1")}), true, {"Wi-Fi"},
         "gateway-outside-subnet@Wi-Fi", 1},
        {"no DNS server", report({wifi("10.0.0.27(Preferred)", "10.0.0.1", {"fec0:0:0:ffff::1%1"})}), true, {"Wi-Fi"},
         "no-dns@Wi-Fi", 1},
        {"letters that form no status word", report({wifi("10.0.0.2l(Preferred)")}), false, {}, "damaged-stack@Wi-Fi", 1},
        {"a status word the vocabulary lacks", report({wifi("10.0.0.27(Ismeretlen)")}), true, {"Wi-Fi"}, "", 0},
        {"an ordinary address that holds 169.254", report({wifi("10.169.254.5(Preferred)", "10.169.254.1", {"10.169.254.1"})}), true,
         {"Wi-Fi"}, "", 0},
        {"masked by the sender", report({wifi("192.168.x.x(Preferred)", "x.x.x.x")}), std::nullopt, {}, "", 1},
        {"informational findings only",
         report({wifi("10.0.0.27(Preferred)", "10.0.0.1", {"10.0.0.1", "10.0.0.1"}),
                 ethernet({vista("DHCP Enabled", "Yes"), vista("DHCP Server", "0.0.0.0"),
                           vista("IPv4 Address", "10.0.0.30"), vista("Subnet Mask", "255.255.255.0"),
                           vista("Default Gateway", "")})},
                {vista("IP Routing Enabled", "Yes")}),
         true, {"Wi-Fi"},
         "dns-duplicate@Wi-Fi dhcp-server-unusual@Ethernet routing-enabled@* same-subnet-twice@Ethernet", 0},
        {"a domain member that asks public servers",
         report({wifi("10.0.0.27(Preferred)", "10.0.0.1", {"8.8.8.8"}),
                 ethernet({vista("IPv4 Address", "192.168.5.9"), vista("Subnet Mask", "255.255.255.0"),
                           vista("Default Gateway", "192.168.5.1"), vista("DNS Servers", "192.168.7.1")})},
                {vista("Primary Dns Suffix", "CORP.LOCAL")}),
         true, {"Wi-Fi", "Ethernet"}, "dns-unusual@Wi-Fi dns-unusual@Ethernet", 0},
    };
    for (const auto& c : cases) {
        DiagnosedReport r = read(c.text);
        std::vector<std::string> via;
        for (const auto& route : r.verdict.via) via.push_back(route.adapter);
        EXPECT_EQ(r.verdict.connected, c.connected) << c.name;
        EXPECT_EQ(via, c.via) << c.name;
        EXPECT_EQ(kinds(r.verdict), c.findings) << c.name;
        EXPECT_EQ(exitStatusOf(r), c.exit) << c.name;
    }
}

TEST(Verdict, PastedReportWithoutGlobalSection) {
    std::string text = "\n" + wifi().header + "\n\n" + joined(wifi().lines);
    DiagnosedReport r = read(text);
    EXPECT_EQ(r.verdict.connected, true);
    EXPECT_EQ(r.summary.status, "No errors found");
}

TEST(Verdict, TextAndJsonCarryIt) {
    DiagnosedReport r = read(report({wifi(), unplugged("Ethernet adapter Ethernet:", "Realtek PCIe GbE")}));
    // The window's status line stays as its rules give it.
    EXPECT_EQ(r.summary.status, " Connection error. Click to see log.");
    std::string text = reportText(r);
    std::size_t status = text.find("Status: "), verdict = text.find("\nVerdict: Connected through Wi-Fi (10.0.0.27, gateway 10.0.0.1)\n"),
                findings = text.find("\nFindings:\n  idle-adapter on Ethernet: "), adapters = text.find("\nAdapters:\n");
    EXPECT_LT(status, verdict) << text;
    EXPECT_LT(verdict, findings) << text;
    EXPECT_LT(findings, adapters) << text;
    auto j = nlohmann::json::parse(reportJson(r, "r.txt"));
    EXPECT_EQ(j["verdict"]["connected"], true);
    EXPECT_EQ(j["verdict"]["via"], nlohmann::json::array({"Wi-Fi"}));
    EXPECT_EQ(j["verdict"]["findings"][0]["kind"], "idle-adapter");
    EXPECT_EQ(j["verdict"]["findings"][0]["adapter"], "Ethernet");
    EXPECT_EQ(j["exitStatus"], 0);
    EXPECT_EQ(j["status"], " Connection error. Click to see log.");
}
