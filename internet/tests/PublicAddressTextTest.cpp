#include <gtest/gtest.h>

#include "internet/PublicAddressText.h"
#include "platform/AddressText.h"

namespace {

using namespace internet;

TEST(EchoPage, TheAddressAfterTheMarkerUpToTheNextTag) {
    struct Case {
        const char* page;
        const char* result;
    } cases[] = {
        {"<html><body>Current IP Address: 192.0.2.7</body></html>", " 192.0.2.7"},
        {"Current IP Address:192.0.2.7<", "192.0.2.7"},
        {"Current IP Address: 192.0.2.7\r\n</body>", " 192.0.2.7\r\n"},
        // The search for "<" starts one past the character after the colon.
        {"Current IP Address:<b>192.0.2.7</b>", "<b>192.0.2.7"},
        {"Current IP Address: <x", " "},
        {"x Current IP Address: 1.1.1.1< Current IP Address: 2.2.2.2<", " 1.1.1.1"},
        {"", kErr1},
        {"<html>no address here</html>", kErr1},
        {"current ip address: 192.0.2.7</body>", kErr1},
        {"CURRENT IP ADDRESS: 192.0.2.7</body>", kErr1},
        {"Current IP Address 192.0.2.7</body>", kErr1},
        {"Current IP Address: 192.0.2.7", kErr1},  // no "<" after the marker
        {"<b>Current IP Address:", kErr1},
        {"Current IP Address:<", kErr1},
    };
    for (const auto& c : cases) EXPECT_EQ(echoPageResult(c.page), c.result) << c.page;
}

TEST(LookupResult, TildeCutAndFailure) {
    struct Case {
        const char* result;
        const char* cut;
        bool failure;
    } cases[] = {
        {"192.0.2.7~from Vorlan", "192.0.2.7", false},
        {"192.0.2.7from Vorlan", "192.0.2.7from Vorlan", false},
        {"~", "", false},
        {"a~b~c", "a", false},
        {"from Vorlan", "from Vorlan", false},
        {"Unable to Connect/err1", "Unable to Connect/err1", true},
        {"Unable to Connect/err2", "Unable to Connect/err2", true},
        {"Unable", "Unable", true},
        {"Unabl", "Unabl", false},
        {"unable to Connect/err2", "unable to Connect/err2", false},
        {" Unable", " Unable", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(cutAtTilde(c.result), c.cut) << c.result;
        EXPECT_EQ(isFailureResult(c.result), c.failure) << c.result;
    }
}

TEST(StatusLine, CaptionAndColourFollowTheAddressText) {
    const ui::Color grey{224, 224, 224}, yellow{255, 255, 128}, red{255, 0, 0}, green{0, 192, 0};
    struct Case {
        const char* text;
        const char* caption;
        ui::Color colour;
    } cases[] = {
        {"", " Internet Connection Status (Click 'Get Public IP' to Check)", grey},
        {"Acquiring ...", " Internet Connection Status: Checking ...", yellow},
        {"Unable to Connect/err0", " Internet Connection Status: None", red},
        {"Unable to Connect/err1", " Internet Connection Status: None", red},
        {"Unable to Connect/err2", " Internet Connection Status: None", red},
        {"192.0.2.7", " Internet: Connected ... Public IP Address: 192.0.2.7", green},
        {" 192.0.2.7", " Internet: Connected ... Public IP Address:  192.0.2.7", green},
        {"from Vorlan", " Internet: Connected ... Public IP Address: from Vorlan", green},
        {"Unable to Connect/err3", " Internet: Connected ... Public IP Address: Unable to Connect/err3", green},
        {"acquiring ...", " Internet: Connected ... Public IP Address: acquiring ...", green},
    };
    for (const auto& c : cases) {
        StatusLine line = statusLineFor(c.text);
        EXPECT_EQ(line.caption, c.caption) << c.text;
        EXPECT_EQ(line.background, c.colour) << c.text;
    }
}

}  // namespace

TEST(PublicAddressText, OnlyAnAddressCountsAsOne) {
    for (const char* text : {"192.0.2.7", "0.0.0.0", "255.255.255.255", "2001:db8::7", "::1", "::", "1::",
                             "1:2:3:4:5:6:7:8", "::ffff:192.0.2.7", "64:ff9b::192.0.2.7", "FE80::A:b"})
        EXPECT_TRUE(platform::isIpAddress(text)) << text;
    for (const char* text : {"", "6.6.6.6&bcc=x@evil.test", "192.0.2.7 ", " 192.0.2.7", "192.0.2", "192.0.2.7.1",
                             "256.0.0.1", "1234.0.0.1", "192.0.2.7\n", "1:2:3:4:5:6:7:8:9", "1::2::3", ":1", "1:",
                             "12345::", "::ffff:1.2.3", "1:2:3:4:5:6:7::8:9", "fe80::1%eth0", "example.org", "g::1",
                             "1:2:3:4:5:6:7:1.2.3.4"})
        EXPECT_FALSE(platform::isIpAddress(text)) << text;
    EXPECT_EQ(platform::trimmedText(" \t192.0.2.7\r\n"), "192.0.2.7");
    EXPECT_EQ(platform::trimmedText(" \r\n"), "");
}
