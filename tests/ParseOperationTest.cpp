#include <gtest/gtest.h>

#include "FormFixture.h"
#include "ReportBuilder.h"

using namespace testing_support;

TEST(ParseOperation, WritesScriptsIntoTheWorkingFolder) {
    FormFixture f;
    f.fake.files.unwritable.insert(f.folder + "1pinggateway.bat");
    f.parse({"Ethernet adapter Local Area Connection:", xp("Default Gateway", "10.0.0.1"),
             xp("DNS Servers", "10.0.0.53")});
    auto& files = f.fake.files.files;
    EXPECT_EQ(files.at(f.folder + "1release.bat"), std::vector<std::string>{"ipconfig /release *Local*"});
    EXPECT_EQ(files.at(f.folder + "1renew.bat"), std::vector<std::string>{"ipconfig /renew *Local*"});
    EXPECT_EQ(files.at(f.folder + "1pingdns1.bat").size(), 7u);
    // A script that cannot be written is skipped; the menu item still follows the report.
    EXPECT_EQ(files.count(f.folder + "1pinggateway.bat"), 0u);
    EXPECT_TRUE(f.form.pinggateway.visible());
    EXPECT_TRUE(f.form.pingdns1.visible());
    EXPECT_FALSE(f.form.pingdns2.visible());
    EXPECT_EQ(f.form.Label10.caption(), "No errors found");
}

TEST(ParseOperation, MenusHiddenAgainWhenTheNextReportLacksThem) {
    FormFixture f;
    f.parse({"Ethernet adapter A:", xp("Default Gateway", "10.0.0.1")});
    ASSERT_TRUE(f.form.pinggateway.visible());
    f.parse({"Ethernet adapter A:"});
    EXPECT_FALSE(f.form.pinggateway.visible());
}

TEST(ParseOperation, InternalErrorShowsItsLinesAndStops) {
    FormFixture f;
    f.form.lastSelectedAdapter = 1;
    f.parse({"Windows IP Configuration", "An internal error occurred: The request is not supported."});
    EXPECT_EQ(f.form.List1.items(),
              (std::vector<std::string>{"Windows IP Configuration - An internal error occurred.", "", "",
                                        "Run ipconfig from the Command Shell for more information."}));
    EXPECT_TRUE(f.form.List1.visible());
    EXPECT_EQ(f.form.errorlog.count(), 4);
    EXPECT_EQ(f.addressCollections, 0);
    EXPECT_EQ(f.form.adapters.count(), 0);
}

TEST(ParseOperation, HostNameAndLogTrim) {
    FormFixture f;
    for (int i = 0; i < 30; ++i) f.form.errorlog.add("old " + std::to_string(i));
    f.parse({xp("Host Name", "desk-12"), "Ethernet adapter A:"});
    EXPECT_EQ(f.form.host.text(), "DESK-12");
    EXPECT_EQ(f.form.errorlog.count(), 20);
    EXPECT_EQ(f.form.errorlog.items().back(), "12:34:56 No errors found");
}

TEST(ParseOperation, ClearTableEmptiesTheLastRowToo) {
    FormFixture f;
    std::vector<std::string> ten;
    for (int i = 1; i <= 10; ++i) {
        ten.push_back("Ethernet adapter eth" + std::to_string(i) + ":");
        ten.push_back(xp("Default Gateway", "10.0.0." + std::to_string(i)));
    }
    f.parse(ten);
    ASSERT_EQ(f.form.adapterTable[10][7], "Default Gateway:  10.0.0.10");
    ten.back() = xp("Subnet Mask", "255.0.0.0");
    f.parse(ten);
    // The tenth adapter no longer reports a gateway: none may be shown for it.
    EXPECT_EQ(f.form.adapterTable[10][7], "");
}

TEST(HostileParseOperation, WithheldPingScriptRemovesTheEarlierOne) {
    FormFixture f;
    f.parse({"Ethernet adapter A:", xp("Default Gateway", "10.0.0.1")});
    ASSERT_EQ(f.fake.files.files.count(f.folder + "1pinggateway.bat"), 1u);
    f.parse({"Ethernet adapter A:", xp("Default Gateway", "10.0.0.1 & evil"), "Ethernet adapter B:",
             xp("Default Gateway", "10.0.1.1")});
    EXPECT_EQ(f.fake.files.files.count(f.folder + "1pinggateway.bat"), 0u) << "no stale target for adapter 1";
    EXPECT_EQ(f.fake.files.files.count(f.folder + "2pinggateway.bat"), 1u);
    EXPECT_TRUE(f.form.pinggateway.visible()) << "adapter 2 still has its script";
}

TEST(ParseOperation, ReportInAnotherLanguageIsReadAsTheEnglishOne) {
    struct Case {
        std::vector<std::string> report;
        std::string adapter, status, releaseScript;
    } cases[] = {
        // An address that is not set is a fault in German as in English.
        {{"Windows-IP-Konfiguration", xp("Hostname", "buero"), "Ethernetadapter LAN-Verbindung 3:",
          xp("Beschreibung", "AMD PCNET"), xp("DHCP aktiviert", "Ja"), xp("IP-Adresse", "0.0.0.0"),
          xp("Subnetzmaske", "0.0.0.0")},
         "1) Ethernet adapter LAN-Verbindung 3", "Adapter 1 : An IP address is not set.  Click to see log.",
         "ipconfig /release *LAN-Verbindung*"},
        {{"Configuration IP de Windows", "Carte réseau sans fil Wi-Fi :", xp("Statut du média", "Média déconnecté")},
         "1) Wireless LAN adapter Wi-Fi", " Connection error. Click to see log.", "ipconfig /release *Wi-Fi*"},
        // Nothing read: never "No errors found".
        {{"Windows IP Configuration", "Ethernet adapter LAN:", xp("Etiqueta", "x")}, "1) Ethernet adapter LAN",
         " REPORT NOT READ: no field was recognised.  Click to see log.", "ipconfig /release *LAN*"},
    };
    for (const auto& c : cases) {
        FormFixture f;
        f.parse(c.report);
        EXPECT_EQ(f.form.adapters.items(), std::vector<std::string>{c.adapter}) << c.report[0];
        EXPECT_EQ(f.form.Label10.caption(), c.status) << c.report[0];
        EXPECT_EQ(f.fake.files.files.at(f.folder + "1release.bat"), std::vector<std::string>{c.releaseScript})
            << c.report[0];
    }
}
