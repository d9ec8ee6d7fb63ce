#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shortcuts/ManufacturerFile.h"
#include "shortcuts/RouterTexts.h"

namespace {

TEST(RouterTexts, HelpTextKeepsItsSpacing) {
    EXPECT_EQ(shortcuts::routerHelpText(),
              "    Default IP Addresses, Usernames & Passwords\r\n\r\n\r\n"
              "Linksys:  (http://192.168.1.1)\r\n"
              "        Username: admin / Password: admin\r\n\r\n"
              "Dlink:  (http://192.168.0.1)\r\n"
              "        Username: admin / Password: (blank)\r\n\r\n"
              "Netgear: (http://192.168.0.1)\r\n"
              "        Username: admin / Password: password or 1234\r\n\r\n"
              "Belkin:  (http://192.168.2.1)\r\n"
              "        Username: admin / Password: (blank)\r\n\r\n");
}

TEST(RouterTexts, LoginDefaultDropsTheLabelColumn) {
    struct Case {
        std::string field, expected;
    };
    for (const auto& c : std::vector<Case>{{"Default Gateway:  192.168.1.254", "http://192.168.1.254"},
                                           {"Default Gateway:  ", "http://"},
                                           {"", "http://"}})
        EXPECT_EQ(shortcuts::routerLoginDefault(c.field), c.expected) << c.field;
}

TEST(ManufacturerFile, LinesFeedTheFields) {
    struct Case {
        const char* name;
        std::vector<std::string> lines;
        shortcuts::ManufacturerInfo expected;
    };
    const std::vector<Case> cases{
        {"documented example",
         {"[General]", "Manufacturer=Acme", "Model=X1", "", "[Support Information]", "Line1=\"Call 555-0100\""},
         {"Acme", "X1", "", "", "  Call 555-0100\r\n"}},
        {"model containing online feeds the support box too",
         {"Model=X1 online edition"},
         {"", "X1 online edition", "", "", "  X1 online edition\r\n"}},
        {"value keeps everything after the first =",
         {"SupportURL=http://acme.example/?a=b"},
         {"", "", "Web Support", "http://acme.example/?a=b", ""}},
        {"keys ignore case, lines without = are their own value",
         {"MANUFACTURER", "line2=\"only a leading quote", "LINE3=a trailing one\""},
         {"MANUFACTURER", "", "", "", "  only a leading quote\r\n  a trailing one\r\n"}},
        {"one quote alone becomes empty", {"Line1=\""}, {"", "", "", "", "  \r\n"}},
        {"no support address: heading stays empty", {"Manufacturer=Acme"}, {"Acme", "", "", "", ""}},
        {"nothing", {}, {}},
    };
    for (const auto& c : cases) {
        auto got = shortcuts::readManufacturerLines(c.lines);
        EXPECT_EQ(got.manufacturer, c.expected.manufacturer) << c.name;
        EXPECT_EQ(got.model, c.expected.model) << c.name;
        EXPECT_EQ(got.supportHeading, c.expected.supportHeading) << c.name;
        EXPECT_EQ(got.supportUrl, c.expected.supportUrl) << c.name;
        EXPECT_EQ(got.supportLines, c.expected.supportLines) << c.name;
    }
}

}  // namespace
