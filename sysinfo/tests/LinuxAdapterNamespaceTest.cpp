// The adapter list inside a network namespace of the test's own, with links
// and addresses it chose.
#include <gtest/gtest.h>
#include <net/if.h>

#include <map>
#include <string>
#include <vector>

#include "FreshNetns.h"
#include "platform/linux/LinuxSystemQueries.h"

namespace {

std::string joined(const std::optional<std::vector<std::string>>& list) {
    if (!list) return "(nothing)";
    std::string text;
    for (const auto& a : *list) text += a + "\n";
    return text;
}

TEST(LinuxAdapterList, InterfaceOrderFirstAddressNoLoopback) {
    if (!netns::canMakeNamespaces()) GTEST_SKIP() << "needs root and the ip tool to make a network namespace";
    // Veth pairs (dummy links need a module this kernel may lack). The
    // kernel picks the indices, so the expected order is taken from them.
    // bb3 stays switched off, cc5 has no address, nc6's peer bb3 is down
    // (no carrier): all three are left out. aa1's 169.254 alias stands
    // beside a real address; mid2 has IPv6 only.
    std::string result = netns::inFreshNamespace(
        {{"link", "set", "lo", "up"},
         {"link", "add", "zz0", "type", "veth", "peer", "name", "mid2"},
         {"link", "add", "aa1", "type", "veth", "peer", "name", "cc5"},
         {"link", "add", "nc6", "type", "veth", "peer", "name", "bb3"},
         {"addr", "add", "10.20.30.40/24", "dev", "zz0"},
         {"addr", "add", "10.20.30.41/24", "dev", "zz0"},
         {"addr", "add", "10.99.0.1/16", "dev", "zz0", "label", "zz0:extra"},
         {"link", "set", "zz0", "up"},
         {"addr", "add", "169.254.3.4/16", "dev", "aa1"},
         {"addr", "add", "192.168.77.5/24", "dev", "aa1"},
         {"link", "set", "aa1", "up"},
         {"link", "set", "cc5", "up"},
         {"addr", "add", "172.16.5.5/16", "dev", "bb3"},
         {"-", "-6", "addr", "add", "fd00::1/64", "dev", "mid2", "nodad"},
         {"link", "set", "mid2", "up"},
         {"addr", "add", "10.6.0.1/24", "dev", "nc6"},
         {"link", "set", "nc6", "up"}},
        [] {
            std::map<unsigned, std::string> expected{{if_nametoindex("zz0"), "10.20.30.40"},
                                                     {if_nametoindex("aa1"), "192.168.77.5"},
                                                     {if_nametoindex("mid2"), "fd00::1"}};
            std::string text = "expected:\n";
            for (const auto& [index, address] : expected) text += address + "\n";
            return text + "got:\n" + joined(platform::linux_backend::LinuxSystemQueries().adapterAddresses());
        });
    auto got = result.find("got:\n");
    ASSERT_NE(got, std::string::npos) << result;
    EXPECT_EQ(result.substr(got + 5), result.substr(10, got - 10));
    EXPECT_EQ(result.substr(got + 5).size(), std::string("10.20.30.40\n192.168.77.5\nfd00::1\n").size());
}

TEST(LinuxAdapterList, OnlyLoopbackGivesAnEmptyList) {
    if (!netns::canMakeNamespaces()) GTEST_SKIP() << "needs root and the ip tool to make a network namespace";
    std::string result = netns::inFreshNamespace({{"link", "set", "lo", "up"}}, [] {
        auto list = platform::linux_backend::LinuxSystemQueries().adapterAddresses();
        return list ? "list of " + std::to_string(list->size()) : std::string("(nothing)");
    });
    EXPECT_EQ(result, "list of 0");
}

}  // namespace
