// What root runs for the report tool through pkexec: the polkit action names
// a helper that releases or renews one adapter named in full, and nothing
// else (no other verb, no pattern, no second adapter), whatever a user who
// has root for it once hands it. Run as root inside a namespace of its own,
// so nothing it might do reaches the machine's own adapters.
#include <gtest/gtest.h>

#include <regex>

#include "Netns.h"

using namespace standins;
using namespace standins::testing;

TEST(HostileElevation, TheActionLetsRootDoOneVerbOnOneNamedAdapterOnly) {
    const std::string policy = readFile(std::string(STANDINS_BUILD_DIR) + "/packaging/net.vorlan.cfgscope.policy").value_or("");
    ASSERT_FALSE(policy.empty());
    std::smatch path;
    ASSERT_TRUE(std::regex_search(policy, path, std::regex("exec\\.path\">([^<]*)<")));
    EXPECT_EQ(path[1].str(), "/usr/libexec/cfgscope/release-renew");
    EXPECT_NE(policy.find("<allow_active>auth_admin_keep</allow_active>"), std::string::npos);
    EXPECT_NE(policy.find("<message>Authentication is required to release or renew the address of one network "
                          "adapter: $(command_line)</message>"),
              std::string::npos)
        << policy;

    std::string why = namespaceSkipReason();
    if (!why.empty()) GTEST_SKIP() << why;
    Netns ns("elevate");
    ASSERT_TRUE(ns.ok());
    for (const char* name : {"s*t", "eth0", "eth01"}) {
        ASSERT_TRUE(ns.ip({"link", "add", "name", name, "type", "veth", "peer", "name", std::string("p") + name}));
        ASSERT_TRUE(ns.ip({"link", "set", "dev", name, "up"}));
        // Both ends up: a veth whose peer is down has no carrier and is no adapter.
        ASSERT_TRUE(ns.ip({"link", "set", "dev", std::string("p") + name, "up"}));
    }
    struct Case {
        std::vector<std::string> args;
        int exitCode;
        const char* said;
    } cases[] = {
        {{"/flushdns"}, 2, "refused: it takes a verb and one adapter name"},
        {{"flushdns", "eth0"}, 2, "refused: the verb \"flushdns\" is neither release nor renew"},
        {{"/release", "eth0"}, 2, "refused: the verb \"/release\""},
        {{"release", "eth0", "eth01"}, 2, "refused: it takes a verb and one adapter name"},
        {{"renew", "eth0 eth01"}, 2, "refused: an adapter name holds no blank"},
        {{"renew", "e\x1b[2J"}, 2, "refused: an adapter name holds no blank or control character"},
        {{"renew", "-eth0"}, 2, "refused: an adapter name does not begin with \"-\""},
        {{"release", "*"}, 1, "No adapter is named *."},
        {{"release", "eth*"}, 1, "No adapter is named eth*."},
        {{"renew", "eth"}, 1, "No adapter is named eth."},
        // Named in full: that adapter, and only it.
        {{"release", "s*t"}, 1, "Adapter s*t: not configured by DHCP; nothing to do."},
        {{"renew", "eth0"}, 1, "Adapter eth0: not configured by DHCP; nothing to do."},
    };
    for (const auto& c : cases) {
        std::vector<std::string> argv{binPath("release-renew")};
        argv.insert(argv.end(), c.args.begin(), c.args.end());
        ExecResult r = ns.exec(argv);
        EXPECT_EQ(r.exitCode, c.exitCode) << c.args[0] << "\n" << r.output;
        EXPECT_NE(r.output.find(c.said), std::string::npos) << r.output;
        EXPECT_EQ(r.output.find("Adapter eth01"), std::string::npos) << r.output;
        if (c.exitCode == 2) EXPECT_EQ(r.output.find("Adapter "), std::string::npos) << r.output;
    }
}
