#include <gtest/gtest.h>

#include "capture/ReportText.h"

using namespace capture;

TEST(ReportText, FindIgnoresCaseAndCountsFromOne) {
    EXPECT_EQ(findNoCase("Ethernet adapter Local", "ADAPTER"), 10u);
    EXPECT_EQ(findNoCase("abc", "abcd"), 0u);
    EXPECT_EQ(findNoCase("", "x"), 0u);
    EXPECT_TRUE(containsNoCase("An internal ERROR", "error"));
}

TEST(ReportText, CuttingKeepsTrailingBlanksAndNeverFails) {
    struct Case {
        const char* line;
        std::size_t cut;
        const char* value;
    } cases[] = {
        {"abc: def  ", 5, "def  "},
        {"abcde", 5, ""},   // exactly the cut length: empty
        {"abc", 9, ""},     // shorter than the cut position: empty
        {"", 0, ""},
        {"xyz", 0, "xyz"},
    };
    for (const auto& c : cases) EXPECT_EQ(cutAt(c.line, c.cut), c.value) << c.line;
}

TEST(ReportText, TakeValueDropsColonAndOneCharacter) {
    std::size_t cut = 0;
    EXPECT_EQ(takeValue("   Host Name . . : pc1 ", cut), "pc1 ");
    EXPECT_EQ(cut, 19u);
    EXPECT_EQ(takeValue("no colon here", cut), "o colon here");
    EXPECT_EQ(cut, 1u);
    EXPECT_EQ(takeValue("label:", cut), "");  // colon is the last character
}

TEST(ReportText, LetterTest) {
    struct Case {
        const char* value;
        bool fails;
    } cases[] = {
        {"192.168.1.1", false}, {"0.0.0.0", false}, {"[::]:%  ", false}, {"", false},
        {"192.168.1.l", true},  {"fe80::1", true},  {"z", true},          {"\xc3\xa9", false},
    };
    for (const auto& c : cases) EXPECT_EQ(failsLetterTest(c.value), c.fails) << c.value;
}

TEST(ReportText, Ipv6Recognition) {
    struct Case {
        const char* value;
        bool valid;
    } cases[] = {
        {"fe80::1", true},
        {"fe80::5efe:c0a8:102%10(Preferred) ", true},
        {"2001:0:4136:e37e:1c:2a3b:3f57:fe99(Preferred) ", true},
        {"fec0:0:0:ffff::1%1", true},
        {"::", true},
        {"::1", true},
        {"::ffff:192.168.1.1", true},
        {"1:2:3:4:5:6:7:8", true},
        {"fe80::1%eth0", true},
        {"1:2:3:4:5:6:7:8:9", false},
        {"1:2:3:4:5:6:7", false},
        {"1::2::3", false},
        {"12345::1", false},
        {"fe80::g", false},
        {"192.168.1.1", false},
        {"dns.example", false},
        {"fe80::1%", false},
        {"fe80::1 (Preferred)", false},
        {"::ffff:300.1.1.1", false},
        {"", false},
    };
    for (const auto& c : cases) EXPECT_EQ(isIpv6Address(c.value), c.valid) << c.value;
}

TEST(ReportText, LabelColumnIsEighteenWide) {
    EXPECT_EQ(labelColumn("Dhcp Enabled:"), "Dhcp Enabled:     ");
    EXPECT_EQ(labelColumn("Autocfg. Enabled:"), "Autocfg. Enabled: ");
}
