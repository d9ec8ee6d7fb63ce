#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <regex>
#include <sstream>

#include "cfgscope/DiagnoseCommand.h"

namespace {

struct Run {
    int code;
    std::string out, err;
};

Run run(std::vector<std::string> args) {
    std::ostringstream out, err;
    int code = cfgscope::runCommandLine(args, out, err);
    return {code, out.str(), err.str()};
}

std::string data(const std::string& name) { return std::string(TEST_DATA_DIR) + "/" + name; }

// The output with the time stamps replaced, so it can be compared whole.
std::string withoutTimes(const std::string& text) {
    static const std::regex stamp("(^|\n)[0-9]{1,2}:[0-9]{2}:[0-9]{2}( [AP]M)?");
    return std::regex_replace(text, stamp, "$1T");
}

std::string tempFile(const std::string& content) {
    char name[] = "/tmp/cfgscope-test-XXXXXX";
    int fd = mkstemp(name);
    std::FILE* f = fdopen(fd, "wb");
    std::fwrite(content.data(), 1, content.size(), f);
    std::fclose(f);
    return name;
}

}  // namespace

// The diagnosis proper, after the host facts.
std::string fromStatus(const std::string& text) {
    auto at = text.find("Status: ");
    return at == std::string::npos ? text : text.substr(at);
}

TEST(DiagnoseCommand, SavedXpReport) {
    auto r = run({"--diagnose", data("xp-cable-apipa-unset.txt")});
    EXPECT_EQ(r.code, 1);
    // Host facts come first, the computer name taken from the report.
    EXPECT_EQ(r.out.rfind("Computer name: LAB-07\n", 0), 0u) << r.out;
    for (const char* fact : {"\nDomain/Workgroup: ", "\nUsername: ", "\nOperating System: ", "\nMemory: ",
                             "\nPrivate IP: "})
        EXPECT_LT(r.out.find(fact), r.out.find("Status: ")) << fact;
    EXPECT_EQ(withoutTimes(fromStatus(r.out)),
              "Status: Adapter 3 : An IP address is not set.  Click to see log.\n"
              "Adapters:\n"
              "1) Ethernet adapter Local Area Connection\n"
              "  Name:             Realtek RTL8139 Family PCI Fast Ethernet NIC\n"
              "  Mac Address:      00-11-2F-AA-01-02\n"
              "  Media State:      Media disconnected\n"
              "2) Ethernet adapter Wireless Network Connection\n"
              "  Name:             Intel(R) PRO/Wireless 2200BG Network Connection\n"
              "  IP Address:       169.254.23.5\n"
              "  Mac Address:      00-13-CE-11-22-33\n"
              "  Dhcp Enabled:     Yes\n"
              "  Autocfg. Enabled: Yes\n"
              "  Subnet Mask:      255.255.0.0\n"
              "3) Ethernet adapter 1394 Connection\n"
              "  Name:             1394 Net Adapter\n"
              "  IP Address:       0.0.0.0\n"
              "  Mac Address:      52-E5-3B-9F-00-01-02-03\n"
              "  Dhcp Enabled:     No\n"
              "  Subnet Mask:      0.0.0.0\n"
              "Log:\n"
              "T Refreshing ...\n"
              "T Adapter 1 Media not connected: Cable Error\n"
              "T Adapter 2\n"
              "No DHCP address assigned.\n"
              "169.254.23.5\n"
              "T Adapter 3 : IP address is not set. (0.0.0.0)\n");
}

TEST(DiagnoseCommand, ExitStatusAndDialect) {
    struct Case {
        std::vector<std::string> args;
        int code;
        const char* inOutput;
    } cases[] = {
        {{"--diagnose", data("xp-dhcp-two-dns.txt")}, 0, "\nStatus: No errors found\n"},
        {{"--diagnose", data("xp-internal-error.txt")}, 1, "Detail:\n"},
        // Detected as the newer layout from its "IPv4 Address" line.
        {{"--diagnose", data("vista-ethernet-wifi-tunnels.txt")}, 1, "IP Address:       192.168.1.102(Preferred) \n"},
        // Read as the older layout, "IPv4 Address" is no address label and tunnels are adapters.
        {{"--diagnose", data("vista-ethernet-wifi-tunnels.txt"), "--dialect", "xp"}, 1, "3) Tunnel adapter"},
    };
    for (const auto& c : cases) {
        auto r = run(c.args);
        EXPECT_EQ(r.code, c.code) << c.args[1];
        EXPECT_NE(r.out.find(c.inOutput), std::string::npos) << r.out;
    }
}

TEST(DiagnoseCommand, LfAndCrLfGiveTheSameResult) {
    std::ifstream in(data("xp-dhcp-two-dns.txt"), std::ios::binary);
    std::string crlf((std::istreambuf_iterator<char>(in)), {});
    std::string lf;
    for (char c : crlf)
        if (c != '\r') lf += c;
    auto a = tempFile(crlf), b = tempFile(lf);
    auto ra = run({"--diagnose", a}), rb = run({"--diagnose", b});
    EXPECT_EQ(withoutTimes(fromStatus(ra.out)), withoutTimes(fromStatus(rb.out)));
    std::remove(a.c_str());
    std::remove(b.c_str());
}

TEST(DiagnoseCommand, BadInputIsReportedClearly) {
    struct Case {
        std::vector<std::string> args;
        const char* inError;
    } cases[] = {
        {{"--diagnose", "/nonexistent/report.txt"}, "cannot read the report '/nonexistent/report.txt'"},
        {{"--diagnose", "/"}, "cannot read the report"},
        {{"--diagnose", data("xp-dhcp-two-dns.txt"), "--dialect", "win7"}, "unknown dialect 'win7'"},
        {{"--diagnose", data("xp-dhcp-two-dns.txt"), "--dialect"}, "--dialect needs a value"},
        {{"--frobnicate"}, "unknown option '--frobnicate'"},
        {{"--diagnose", "a", "b"}, "only one report file"},
    };
    for (const auto& c : cases) {
        auto r = run(c.args);
        EXPECT_EQ(r.code, 2) << c.inError;
        EXPECT_NE(r.err.find(c.inError), std::string::npos) << r.err;
        EXPECT_EQ(r.out, "");
    }
}

TEST(DiagnoseCommand, HelpAndVersion) {
    auto h = run({"--help"});
    EXPECT_EQ(h.code, 0);
    EXPECT_NE(h.out.find("--diagnose FILE"), std::string::npos);
    auto v = run({"--version"});
    EXPECT_EQ(v.code, 0);
    EXPECT_EQ(v.out, "cfgscope 1.3.0\n");
}
