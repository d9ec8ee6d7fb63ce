#include <gtest/gtest.h>

#include "FormFixture.h"
#include "ReportBuilder.h"
#include "capture/AdapterView.h"

using namespace testing_support;

namespace {

std::vector<std::string> threeAdapters() {
    return {"Windows IP Configuration",
            "Ethernet adapter Local Area Connection:",
            xp("Description", "First NIC"),
            xp("Dhcp Enabled", "Yes"),
            xp("IP Address", "192.168.1.5"),
            xp("Default Gateway", "192.168.1.1"),
            xp("DNS Servers", "192.168.1.1"),
            xpMore("4.2.2.2"),
            "Ethernet adapter Second:",
            xp("Description", "Second NIC"),
            xp("Dhcp Enabled", "No"),
            xp("IP Address", "10.0.0.5"),
            "Ethernet adapter Third:",
            xp("Dhcp Enabled", "YES"),
            xp("DNS Servers", "10.9.9.9")};
}

}  // namespace

TEST(AdapterView, ParseShowsTheFirstAdapterAndItsControls) {
    FormFixture f;
    f.parse(threeAdapters());
    auto& form = f.form;
    EXPECT_EQ(form.adapters.selected(), 0);
    EXPECT_EQ(form.selectedAdapter, 1);
    EXPECT_EQ(form.List1.items(), (std::vector<std::string>{
                                      "Name:             First NIC",
                                      "IP Address:       192.168.1.5",
                                      "Dhcp Enabled:     Yes",
                                      "Default Gateway:  192.168.1.1",
                                      "DNS Server 1:     192.168.1.1",
                                      "DNS Server 2:     4.2.2.2",
                                  }));
    EXPECT_EQ(f.visibleSelMenu(),
              (std::vector<std::string>{"Select Adapter &1 (off)", "Select Adapter &2", "Select Adapter &3"}));
    EXPECT_EQ(form.pinggateway.caption(), "Ping &Gateway/Router ");
    EXPECT_TRUE(form.pinggateway.enabled() && form.pinggateway.visible());
    EXPECT_TRUE(form.mnurouter.enabled());
    EXPECT_TRUE(form.pingdns1.enabled() && form.pingdns2.enabled());
    EXPECT_TRUE(form.Command7.enabled() && form.Command8.enabled() && form.mnurelease.enabled() &&
                form.mnurenew.enabled());
    EXPECT_EQ(form.Command7.caption(), "Release Adapter 1");
    EXPECT_EQ(form.Command8.caption(), "Renew Adapter 1");
    EXPECT_EQ(f.addressCollections, 1);
}

TEST(AdapterView, SelectingByMenuUpdatesControls) {
    FormFixture f;
    f.parse(threeAdapters());
    auto& form = f.form;

    capture::selectAdapterByMenu(form, 1);
    EXPECT_EQ(form.selectedAdapter, 2);
    EXPECT_EQ(form.lastSelectedAdapter, 2);
    EXPECT_EQ(f.visibleSelMenu(),
              (std::vector<std::string>{"Select Adapter &1", "Select Adapter &2 (off)", "Select Adapter &3"}));
    EXPECT_FALSE(form.pinggateway.enabled());
    EXPECT_FALSE(form.mnurouter.enabled());
    EXPECT_FALSE(form.pingdns1.enabled());
    EXPECT_FALSE(form.Command7.enabled());  // "No": not DHCP
    EXPECT_EQ(form.Command7.caption(), "Release Adapter 2");
    EXPECT_EQ(form.Command8.caption(), "Renew Adapter 2");
    EXPECT_EQ(form.mnurelease.caption(), "Release Adapter 2");
    EXPECT_EQ(form.mnurenew.caption(), "Renew Adapter 2");
    // The menus stay visible: a parse decides that, the view only enables.
    EXPECT_TRUE(form.pinggateway.visible());

    capture::selectAdapterByMenu(form, 2);
    EXPECT_EQ(form.selectedAdapter, 3);
    EXPECT_TRUE(form.Command8.enabled());  // "YES" in any case
    EXPECT_TRUE(form.pingdns1.enabled());
    EXPECT_FALSE(form.pingdns2.enabled());
}

TEST(AdapterView, DhcpTestNeedsYesAndNothingAfterIt) {
    struct Case {
        const char* value;
        bool dhcp;
    } cases[] = {{"Yes", true}, {"yes", true}, {"YES", true}, {"No", false}, {"Yes ", false}, {"Yess", false}, {"", false}};
    for (const auto& c : cases) {
        app::AdapterTable table{};
        if (*c.value) table[1][4] = "Dhcp Enabled:     " + std::string(c.value);
        EXPECT_EQ(capture::adapterDetails(table, 1).dhcp, c.dhcp) << c.value;
    }
}

TEST(AdapterView, ReselectionAfterRefresh) {
    FormFixture f;
    f.parse(threeAdapters());
    capture::selectAdapterByMenu(f.form, 1);
    f.parse(threeAdapters());
    EXPECT_EQ(f.form.adapters.selected(), 1);
    EXPECT_EQ(f.form.List1.items().front(), "Name:             Second NIC");

    // Fewer adapters than the last selection: nothing selected, empty details.
    capture::selectAdapterByMenu(f.form, 2);
    f.parse({"Ethernet adapter A:", xp("Description", "a"), "Ethernet adapter B:"});
    EXPECT_EQ(f.form.adapters.selected(), -1);
    EXPECT_TRUE(f.form.List1.items().empty());
}

TEST(AdapterView, ReselectionFollowsTheAdapterNumberPastTunnels) {
    FormFixture f;
    std::vector<std::string> report{"Ethernet adapter eth0:", vista("Description", "zero"), "Tunnel adapter t1:",
                                    "Ethernet adapter eth1:", vista("Description", "one"), vista("Dhcp Enabled", "Yes")};
    f.parse(report, "vista");
    EXPECT_EQ(f.form.adapters.items(), (std::vector<std::string>{"1) Ethernet adapter eth0", "3) Ethernet adapter eth1"}));
    capture::selectAdapterByMenu(f.form, 1);
    // The second entry is adapter 3: its row, its scripts, its captions.
    EXPECT_EQ(f.form.selectedAdapter, 3);
    EXPECT_EQ(f.form.List1.items().front(), "Name:             one");
    EXPECT_EQ(f.form.Command7.caption(), "Release Adapter 3");
    EXPECT_TRUE(f.form.Command7.enabled());
    EXPECT_FALSE(f.form.sel1[1].enabled());
    EXPECT_TRUE(f.form.sel1[0].enabled());

    f.parse(report, "vista");
    EXPECT_EQ(f.form.adapters.selected(), 1);  // entry "3) ...", not position 2
    EXPECT_EQ(f.form.selectedAdapter, 3);
}

TEST(AdapterView, SelectionMenuOffersTheFirstSix) {
    FormFixture f;
    std::vector<std::string> report;
    for (int i = 1; i <= 8; ++i) report.push_back("Ethernet adapter eth" + std::to_string(i) + ":");
    f.parse(report);
    EXPECT_EQ(f.visibleSelMenu().size(), 6u);
    EXPECT_TRUE(f.form.adapters.select(7));  // the eighth stays selectable in the list
    EXPECT_EQ(f.form.selectedAdapter, 8);
    for (const auto& item : f.form.sel1) EXPECT_TRUE(item.enabled());
}

TEST(AdapterView, AdapterWithoutRowShowsNothing) {
    FormFixture f;
    std::vector<std::string> report;
    for (int i = 1; i <= 11; ++i) {
        report.push_back("Ethernet adapter eth" + std::to_string(i) + ":");
        report.push_back(xp("Description", "nic " + std::to_string(i)));
    }
    f.parse(report);
    f.form.adapters.select(10);
    EXPECT_EQ(f.form.selectedAdapter, 11);
    EXPECT_TRUE(f.form.List1.items().empty());
    f.form.adapters.select(9);
    EXPECT_EQ(f.form.List1.items(), std::vector<std::string>{"Name:             nic 10"});
}

TEST(AdapterView, CopyDetailLine) {
    struct Case {
        const char* line;
        const char* copied;
    } cases[] = {
        {"Mac Address:      00-1B-24-C1-D2-E3", "00-1B-24-C1-D2-E3"},
        {"IP Address:       192.168.1.102(Preferred) ", "192.168.1.102"},
        {"IP Address:       (Preferred)", ""},
        {"Detail:", "Detail:"},  // shorter than the label column: copied whole
        {"", ""},
    };
    for (const auto& c : cases) {
        FormFixture f;
        f.form.List1.add(c.line);
        f.form.List1.select(0);
        f.fake.clipboard.text = "previous";
        capture::copyDetailLine(f.form, f.p);
        EXPECT_EQ(f.fake.clipboard.text, c.copied) << c.line;
    }
    FormFixture none;
    none.form.List1.add("Name:             x");
    none.fake.clipboard.text = "kept";
    capture::copyDetailLine(none.form, none.p);
    EXPECT_EQ(none.fake.clipboard.text, "kept");
}

// An adapter whose gateway and name servers hold characters that would stop
// their ping scripts ("&", "|"), beside one whose values are addresses: the
// first has no ping scripts, so its ping items are not offered (the menu
// stays visible for the second), and no item can end in "does not exist".
TEST(HostileReports, APingItemWithoutItsScriptIsNotOffered) {
    FormFixture f;
    f.parse({"Windows IP Configuration", "Ethernet adapter Hostile:", xp("IP Address", "10.0.0.5"),
             xp("Default Gateway", "10.0.0.1 & calc"), xp("DNS Servers", "10.0.0.2 | calc"), xpMore("10.0.0.3>x"),
             "Ethernet adapter Plain:", xp("IP Address", "10.1.0.5"), xp("Default Gateway", "10.1.0.1"),
             xp("DNS Servers", "10.1.0.2"), xpMore("10.1.0.3")});
    auto& form = f.form;
    struct Case {
        int adapter;
        bool offered;
    } cases[] = {{1, false}, {2, true}, {1, false}};
    for (const auto& c : cases) {
        capture::selectAdapterByMenu(form, c.adapter - 1);
        ASSERT_EQ(form.selectedAdapter, c.adapter);
        for (auto* item : {&form.pinggateway, &form.pingdns1, &form.pingdns2}) {
            EXPECT_TRUE(item->visible()) << item->name();
            EXPECT_EQ(item->enabled(), c.offered) << item->name() << " of adapter " << c.adapter;
        }
        for (const char* script : {"pinggateway.bat", "pingdns1.bat", "pingdns2.bat"})
            EXPECT_EQ(f.fake.files.files.count(f.folder + std::to_string(c.adapter) + script), c.offered ? 1u : 0u)
                << script;
    }
}
