// The report tool and the script runner on real links in a namespace:
// static address with gateway and DNS, a link without carrier, a
// link-local 169.254 address; the report read back by the program's parser.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "Netns.h"
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
    EXPECT_EQ(r.adapterEntries.size(), 5u) << run.output;  // vstatic, vpeer, vnocarrier, dll0, dllpeer
    for (const char* absent : {"adapter lo:", "ddown", "vnocpeer"})
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

    std::size_t m = rowOf(r, "vnocarrier");
    ASSERT_NE(m, 0u);
    EXPECT_EQ(table[m][13], "Media State:      Media disconnected");
    EXPECT_EQ(table[m][2], "");

    // The two faults: no carrier and the automatic address.
    EXPECT_EQ(r.faultCount, 2);
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
    EXPECT_NE(run.output.find("Media disconnected"), std::string::npos) << run.output;
    // The verdict on the same report: online through the static link, the
    // link-local address of a link with a carrier a fault of its own.
    EXPECT_NE(run.output.find("\nVerdict: Connected through vstatic (10.20.0.2, gateway 10.20.0.1)\n"),
              std::string::npos)
        << run.output;
    EXPECT_NE(run.output.find("\n  automatic-address on dll0: "), std::string::npos) << run.output;
}
