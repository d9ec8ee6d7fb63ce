// The summary, the copy text, the status and the countdown as plain texts.
#include <gtest/gtest.h>

#include "addrpeek/MonitorTexts.h"
#include "addrpeek/ServerSetting.h"
#include "fakes/FakePlatform.h"

namespace addrpeek {
namespace {

Facts workgroupFacts() {
    Facts f;
    f.privateAddresses = {"192.168.1.20", "10.0.0.5"};
    f.computerCaption = "Computer Name";
    f.computerName = "DESK7";
    f.groupKind = "Workgroup";
    f.lanGroup = "WORKGROUP";
    f.partOfDomain = false;
    f.logonCaption = "Logon Server";
    f.logonServer = "DESK7";
    f.userCaption = "User Name";
    f.userName = "anna";
    f.memory = "512.0 MB";
    f.publicAddress = "203.0.113.9";
    return f;
}

Facts domainFacts() {
    Facts f = workgroupFacts();
    f.groupKind = "Domain";
    f.lanGroup = "CORP";
    f.partOfDomain = true;
    f.logonServer = "DC1";
    return f;
}

TEST(LabelColumn, PadsToFifteenAndNeverCuts) {
    struct Case {
        const char* label;
        const char* expected;
    } cases[] = {
        {"", "               "},
        {"Memory", "Memory         "},
        {"Computer Name", "Computer Name  "},
        {"Part Of Domain ", "Part Of Domain "},
        {"A label of twenty ch", "A label of twenty ch"},
    };
    for (const auto& c : cases) EXPECT_EQ(labelColumn(c.label), c.expected) << c.label;
}

TEST(Summary, WorkgroupAndDomain) {
    struct Case {
        const char* name;
        Facts facts;
        std::vector<std::string> expected;
    } cases[] = {
        {"workgroup", workgroupFacts(),
         {"Private IP     192.168.1.20", "               10.0.0.5", "Computer Name  DESK7", "Workgroup      WORKGROUP",
          "Part Of Domain No", "User Name      anna", "Memory         512.0 MB", "Public IP      203.0.113.9"}},
        {"domain", domainFacts(),
         {"Private IP     192.168.1.20", "               10.0.0.5", "Computer Name  DESK7", "Domain         CORP",
          "Part Of Domain Yes", "Logon Server   DC1", "User Name      anna", "Memory         512.0 MB",
          "Public IP      203.0.113.9"}},
    };
    for (const auto& c : cases) EXPECT_EQ(summaryLines(c.facts), c.expected) << c.name;
}

TEST(Summary, EdgeCases) {
    Facts none = workgroupFacts();
    none.privateAddresses.clear();
    none.partOfDomain.reset();
    none.publicAddress = "203.0.113.9\r\n";
    auto lines = summaryLines(none);
    // No private-address line; membership without an instance; the line end kept.
    EXPECT_EQ(lines.front(), "Computer Name  DESK7");
    EXPECT_EQ(lines[2], "Part Of Domain ");
    EXPECT_EQ(lines.back(), "Public IP      203.0.113.9\r\n");
    // Every label but the membership line's stands in the 15-character column.
    for (const auto& line : summaryLines(domainFacts())) {
        ASSERT_GE(line.size(), 15u) << line;
        EXPECT_NE(line[15], ' ') << line;
    }
}

TEST(CopyText, WorkgroupDomainAndEmptyList) {
    const std::string os = "Microsoft Windows XP Professional\nService Pack 2 (v5.1 Build 2600)";
    Facts empty = workgroupFacts();
    empty.privateAddresses.clear();
    empty.publicAddress = "Cannot Acquire";
    struct Case {
        const char* name;
        Facts facts;
        std::string expected;
    } cases[] = {
        {"workgroup", workgroupFacts(),
         os + "\r\nComputer Name: DESK7 Workgroup: WORKGROUP\r\nUser Name: anna\r\nMemory: 512.0 MB\r\n"
              "Private IP: 192.168.1.20 / 10.0.0.5\r\nPublic IP: 203.0.113.9\r\n\r\n17.05.2024 12:34:56\r\n"},
        {"domain", domainFacts(),
         os + "\r\nComputer Name: DESK7 Domain: CORP\r\nUser Name: anna\r\nMemory: 512.0 MB\r\n"
              "Logon Server: DC1\r\nPrivate IP: 192.168.1.20 / 10.0.0.5\r\nPublic IP: 203.0.113.9\r\n\r\n"
              "17.05.2024 12:34:56\r\n"},
        {"no addresses", empty,
         os + "\r\nComputer Name: DESK7 Workgroup: WORKGROUP\r\nUser Name: anna\r\nMemory: 512.0 MB\r\n"
              "\r\nPublic IP: Cannot Acquire\r\n\r\n17.05.2024 12:34:56\r\n"},
    };
    for (const auto& c : cases) EXPECT_EQ(copyText(os, c.facts, "17.05.2024", "12:34:56"), c.expected) << c.name;
}

TEST(ConnectionStatus, TextsAndColours) {
    struct Case {
        const char* text;
        const char* caption;
        ui::Color colour;
    } cases[] = {
        {"", "Checking Internet Connection ...", {255, 128, 0}},
        {"Acquiring ...", "Checking Internet Connection ...", {255, 128, 0}},
        {"Cannot Acquire", "No Internet Connection", {255, 0, 0}},
        {"203.0.113.9", "Connected to Internet", {0, 192, 0}},
        {"203.0.113.9\r\n", "Connected to Internet", {0, 192, 0}},
        {"cannot acquire", "Connected to Internet", {0, 192, 0}},
    };
    for (const auto& c : cases) {
        Status s = connectionStatus(c.text);
        EXPECT_EQ(s.caption, c.caption) << c.text;
        EXPECT_EQ(s.colour, c.colour) << c.text;
    }
}

TEST(SmallValues, CountdownMembershipAndCounters) {
    EXPECT_EQ(countdownCaption(0), "Refresh in 300 sec");
    EXPECT_EQ(countdownCaption(299), "Refresh in 1 sec");

    struct Membership {
        std::optional<std::vector<std::string>> instances;
        std::optional<bool> expected;
    } memberships[] = {
        {std::nullopt, std::nullopt},
        {std::vector<std::string>{}, std::nullopt},
        {std::vector<std::string>{"True"}, true},
        {std::vector<std::string>{"False"}, false},
        {std::vector<std::string>{"FALSE"}, false},
        {std::vector<std::string>{"0"}, false},
    };
    for (const auto& m : memberships) EXPECT_EQ(partOfDomain(m.instances), m.expected);

    struct Counter {
        const char* text;
        int value;
    } counters[] = {{"0", 0}, {"1", 1}, {"299", 299}, {"", 0}, {"x", 0}, {"12a", 0}, {"-1", -1}};
    for (const auto& c : counters) EXPECT_EQ(counterValue(c.text), c.value) << c.text;
}

TEST(ServerSetting, BuiltInOrFromTheEnvironment) {
    struct Case {
        const char* variable;  // nullptr: unset
        const char* page;
    } cases[] = {
        {nullptr, BUILT_IN_SERVER "/ip.shtml"},
        {"", BUILT_IN_SERVER "/ip.shtml"},
        {"http://127.0.0.1:8080", "http://127.0.0.1:8080/ip.shtml"},
        {"http://127.0.0.1:8080//", "http://127.0.0.1:8080/ip.shtml"},
    };
    for (const auto& c : cases) {
        fakes::FakeEnvironment env;
        if (c.variable) env.vars["CFGSCOPE_PRODUCT_SERVER"] = c.variable;
        EXPECT_EQ(ipPageAddress(productServerBase(env)), c.page) << (c.variable ? c.variable : "unset");
    }
}

}  // namespace
}  // namespace addrpeek
