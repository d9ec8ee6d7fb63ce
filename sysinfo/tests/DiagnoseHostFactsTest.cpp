// `cfgscope --diagnose` prints the host facts before its status line; for
// this machine the private addresses are those of the namespace it runs in.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>

#include "FreshNetns.h"
#include "platform/linux/LinuxEnvironment.h"

namespace {

const std::vector<std::vector<std::string>> kLinks{
    {"link", "set", "lo", "up"},
    {"link", "add", "zz0", "type", "veth", "peer", "name", "mid2"},
    {"addr", "add", "10.20.30.40/24", "dev", "zz0"},
    {"link", "set", "zz0", "up"},
    {"link", "set", "mid2", "up"},  // the cable's other end: without an address, not listed
    {"route", "add", "default", "via", "10.20.30.1"}};

// The lines before "Status:", or the whole output when there is none.
std::string headOf(const std::string& output) { return output.substr(0, output.find("Status: ")); }

const std::string kPrivateIp = "Private IP: 10.20.30.40\n";

// A saved report comes from another computer: its facts are the report's,
// never those of the help desk's machine (here the namespace's address).
TEST(DiagnoseHostFacts, SavedReportShowsOnlyItsOwnFacts) {
    if (!netns::canMakeNamespaces()) GTEST_SKIP() << "needs root and the ip tool to make a network namespace";
    std::string out = netns::inFreshNamespace(kLinks, [] {
        std::string text;
        netns::run({CFGSCOPE_BIN, "--diagnose", REPORT_FILE}, &text);
        return text;
    });
    EXPECT_EQ(headOf(out), "Computer name: OFFICE-PC\nPrivate IP: 192.168.1.100\nLanguage: en\n") << out;
    EXPECT_NE(out.find("Status: No errors found\n"), std::string::npos) << out;
}

TEST(DiagnoseHostFacts, LiveMachineNamesThisComputer) {
    if (!netns::canMakeNamespaces()) GTEST_SKIP() << "needs root and the ip tool to make a network namespace";
    std::string out = netns::inFreshNamespace(kLinks, [] {
        std::string text;
        netns::run({CFGSCOPE_BIN, "--diagnose"}, &text);
        return text;
    });
    if (out.empty()) GTEST_SKIP() << "the report stand-ins are not built beside cfgscope";
    std::string computer = platform::linux_backend::LinuxEnvironment().get("COMPUTERNAME");
    EXPECT_EQ(out.rfind("Computer name: " + computer + "\n", 0), 0u) << out;
    EXPECT_EQ(headOf(out).substr(headOf(out).find("Private IP: ")), kPrivateIp) << out;
    EXPECT_NE(out.find("1) Ethernet adapter zz0\n"), std::string::npos) << out;

    std::string json = netns::inFreshNamespace(kLinks, [] {
        std::string text;
        netns::run({CFGSCOPE_BIN, "--diagnose", "--json"}, &text);
        return text;
    });
    auto j = nlohmann::json::parse(json);
    EXPECT_TRUE(j["file"].is_null());
    EXPECT_EQ(j["kind"], "live");
    EXPECT_EQ(j["host"]["computerName"], computer);
    EXPECT_EQ(j["host"]["privateAddresses"], nlohmann::json({"10.20.30.40"}));
    EXPECT_EQ(j["adapters"][0]["name"], "Ethernet adapter zz0");
}

}  // namespace
