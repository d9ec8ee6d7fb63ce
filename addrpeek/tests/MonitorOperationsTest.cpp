// The monitor's start, refreshes, timers (driven by explicit ticks), fetch,
// summary and copy text over the in-memory platform.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "addrpeek/Monitor.h"
#include "fakes/FakePlatform.h"

namespace addrpeek {
namespace {

const char* kServer = "http://127.0.0.1:8080";
const char* kPage = "http://127.0.0.1:8080/ip.shtml";
const char* kLocal = "/tmp/u\\ip.txt";

struct Rig {
    MonitorForm form;
    fakes::FakePlatform fake;
    int closes = 0;
    int shows = 0;
    Monitor m{form, fake.platform, kServer, [this] { ++closes; }};

    Rig() {
        auto& env = fake.env.vars;
        env["TEMP"] = "/tmp/u";
        env["COMPUTERNAME"] = "desk7";
        env["username"] = "anna";
        env["userdomain"] = "desk7";
        env["logonserver"] = "\\\\DESK7";
        fake.system.workstation = platform::WorkstationInfo{2, "DESK7", std::string("WORKGROUP\0junk", 14), 5};
        fake.system.addresses = std::vector<std::string>{"192.168.1.20", "0.0.0.0"};
        fake.system.memory = 536870912;
        fake.system.extended = platform::VersionRecord{5, 1, 2600, 2, "Service Pack 2", 1};
        fake.system.management["Win32_OperatingSystem.Caption"] = {"Microsoft Windows XP Professional "};
        fake.system.management["Win32_ComputerSystem.PartOfDomain"] = {"False"};
        fake.download.pages[kPage] = {"203.0.113.9"};
        form.onShow = [this] { ++shows; };
        wireMonitor(m);
    }

    void useDomain() {
        fake.env.vars["userdomain"] = "corp";
        fake.env.vars["logonserver"] = "\\\\dc1";
        fake.system.workstation->lanGroup = "CORP";
        fake.system.management["Win32_ComputerSystem.PartOfDomain"] = {"True"};
    }

    void tickFetch() { form.Timer1.tick(); }
    void tickAuto(int times) {
        for (int i = 0; i < times; ++i) form.Timer2.tick();
    }
    std::string publicLine() const { return form.List2.items().back(); }
};

struct MonitorFixture : Rig, testing::Test {};

TEST_F(MonitorFixture, SecondCopySaysSoAndEnds) {
    fake.session.other = true;
    EXPECT_FALSE(startMonitor(m));
    ASSERT_EQ(fake.dialogs.messages.size(), 1u);
    EXPECT_EQ(fake.dialogs.messages[0].text, "Addrpeek is already running.");
    EXPECT_EQ(fake.dialogs.messages[0].title, "addrmon");
    EXPECT_EQ(shows, 0);
    EXPECT_TRUE(fake.download.fetched.empty());
}

TEST_F(MonitorFixture, StartShowsTheFactsAndAcquiresThePublicAddress) {
    ASSERT_TRUE(startMonitor(m));
    EXPECT_EQ(shows, 1);
    EXPECT_EQ(form.Label13.caption(), "Microsoft Windows XP Professional \nService Pack 2 (v5.1 Build 2600)");
    EXPECT_EQ(form.verser.caption(), "Service Pack 2 (v5.1 Build 2600)");
    EXPECT_EQ(form.Label16.caption(), "512.0 MB");
    EXPECT_EQ(form.Label1.caption(), "Workgroup");
    EXPECT_EQ(form.Label6.caption(), "WORKGROUP");
    EXPECT_EQ(form.Label7.caption(), "DESK7");
    EXPECT_EQ(form.Label9.caption(), "DESK7");
    EXPECT_EQ(form.Label10.caption(), "DESK7");
    EXPECT_EQ(form.List1.items(), (std::vector<std::string>{"192.168.1.20", "0.0.0.0"}));
    // Nothing fetched yet: the window first shows "Acquiring ...".
    EXPECT_TRUE(fake.download.fetched.empty());
    EXPECT_EQ(form.Text2.text(), "Acquiring ...");
    EXPECT_EQ(form.Label14.caption(), "Checking Internet Connection ...");
    EXPECT_EQ(*form.Label14.foreground, (ui::Color{255, 128, 0}));
    EXPECT_TRUE(form.Timer1.enabled());
    EXPECT_FALSE(form.Timer2.enabled());
    EXPECT_EQ(form.delay.text(), "1");
    EXPECT_EQ(publicLine(), "Public IP      Acquiring ...");

    tickFetch();
    EXPECT_EQ(fake.download.cacheRemoved, std::vector<std::string>{kPage});
    ASSERT_EQ(fake.download.fetched.size(), 1u);
    EXPECT_EQ(fake.download.fetched[0].second, kLocal);
    EXPECT_EQ(fake.files.deleted, std::vector<std::string>{kLocal});
    // The page whole, its line end included.
    EXPECT_EQ(form.Text2.text(), "203.0.113.9\r\n");
    EXPECT_EQ(publicLine(), "Public IP      203.0.113.9\r\n");
    EXPECT_EQ(form.Label14.caption(), "Connected to Internet");
    EXPECT_EQ(*form.Label14.foreground, (ui::Color{0, 192, 0}));
    EXPECT_FALSE(form.Timer1.enabled());
    EXPECT_EQ(form.delay.text(), "1");
    EXPECT_EQ(fake.dialogs.waitCursor.back(), false);

    // The timer stays stopped until the next request.
    tickFetch();
    EXPECT_EQ(fake.download.fetched.size(), 1u);
}

TEST_F(MonitorFixture, FailedFetchReadsCannotAcquire) {
    fake.download.pages.clear();
    ASSERT_TRUE(startMonitor(m));
    tickFetch();
    EXPECT_EQ(form.Text2.text(), "Cannot Acquire");
    EXPECT_EQ(form.Label14.caption(), "No Internet Connection");
    EXPECT_EQ(*form.Label14.foreground, (ui::Color{255, 0, 0}));
    EXPECT_EQ(fake.files.deleted, std::vector<std::string>{kLocal});
    EXPECT_TRUE(fake.dialogs.messages.empty());

    // F6 brings the server back in.
    fake.download.pages[kPage] = {"198.51.100.4"};
    form.mnupublic.click();
    EXPECT_EQ(form.Label14.caption(), "Checking Internet Connection ...");
    tickFetch();
    EXPECT_EQ(form.Label14.caption(), "Connected to Internet");
}

TEST_F(MonitorFixture, WorkgroupAndDomainSummariesAndCopyTexts) {
    struct Case {
        const char* name;
        bool domain;
        std::vector<std::string> summary;
        std::string copy;
    } cases[] = {
        {"workgroup", false,
         {"Private IP     192.168.1.20", "               0.0.0.0", "Computer Name  DESK7", "Workgroup      WORKGROUP",
          "Part Of Domain No", "User Name      anna", "Memory         512.0 MB", "Public IP      203.0.113.9\r\n"},
         "Microsoft Windows XP Professional \nService Pack 2 (v5.1 Build 2600)\r\n"
         "Computer Name: DESK7 Workgroup: WORKGROUP\r\nUser Name: anna\r\nMemory: 512.0 MB\r\n"
         "Private IP: 192.168.1.20 / 0.0.0.0\r\nPublic IP: 203.0.113.9\r\n\r\n\r\n2024-05-17 12:34:56\r\n"},
        {"domain", true,
         {"Private IP     192.168.1.20", "               0.0.0.0", "Computer Name  DESK7", "Domain         CORP",
          "Part Of Domain Yes", "Logon Server   DC1", "User Name      anna", "Memory         512.0 MB",
          "Public IP      203.0.113.9\r\n"},
         "Microsoft Windows XP Professional \nService Pack 2 (v5.1 Build 2600)\r\n"
         "Computer Name: DESK7 Domain: CORP\r\nUser Name: anna\r\nMemory: 512.0 MB\r\nLogon Server: DC1\r\n"
         "Private IP: 192.168.1.20 / 0.0.0.0\r\nPublic IP: 203.0.113.9\r\n\r\n\r\n2024-05-17 12:34:56\r\n"},
    };
    for (const auto& c : cases) {
        Rig f;
        if (c.domain) f.useDomain();
        ASSERT_TRUE(startMonitor(f.m));
        f.tickFetch();
        EXPECT_EQ(f.form.List2.items(), c.summary) << c.name;
        f.form.mnucopy.click();
        EXPECT_EQ(f.fake.clipboard.clears, 1) << c.name;
        EXPECT_EQ(f.fake.clipboard.text, c.copy) << c.name;
    }
}

// Without a Windows version record (Linux) the line under the system's
// caption is the platform's own: the kernel and the machine.
TEST_F(MonitorFixture, PlatformWithoutVersionRecordShowsItsOwnVersionLine) {
    fake.system.extended.reset();
    fake.system.shortRecord.reset();
    fake.system.management["Win32_OperatingSystem.Caption"] = {"Debian GNU/Linux 12 (bookworm)"};
    fake.system.versionLineWithoutRecord = "Linux 6.1.0-28-amd64 x86_64";
    ASSERT_TRUE(startMonitor(m));
    EXPECT_EQ(form.Label13.caption(), "Debian GNU/Linux 12 (bookworm)\nLinux 6.1.0-28-amd64 x86_64");
    form.mnucopy.click();
    EXPECT_EQ(fake.clipboard.text.rfind("Debian GNU/Linux 12 (bookworm)\nLinux 6.1.0-28-amd64 x86_64\r\nComputer Name: ", 0),
              0u)
        << fake.clipboard.text;
}

TEST_F(MonitorFixture, NoPrivateAddressesAndNoManagementInstance) {
    fake.system.addresses.reset();
    fake.system.management.clear();
    ASSERT_TRUE(startMonitor(m));
    // Without an operating-system instance the edition text stays.
    EXPECT_EQ(form.Label13.caption(), "Windows XP Home\r\nService Pack 2 (v5.1 Build 2600)");
    EXPECT_EQ(form.List2.items().front(), "Computer Name  DESK7");
    EXPECT_EQ(form.List2.items()[2], "Part Of Domain ");
    form.mnucopy.click();
    EXPECT_NE(fake.clipboard.text.find("Memory: 512.0 MB\r\n\r\nPublic IP: "), std::string::npos);
}

TEST_F(MonitorFixture, CountdownRunsFrom300To1ThenBothRefreshesRun) {
    ASSERT_TRUE(startMonitor(m));
    tickFetch();
    form.autorefresh.click();
    EXPECT_TRUE(form.autorefresh.checked());
    EXPECT_TRUE(form.cap.visible());
    EXPECT_TRUE(form.Timer2.enabled());

    fake.system.addresses = std::vector<std::string>{"10.1.1.1"};
    fake.download.pages[kPage] = {"198.51.100.4"};
    for (int second = 300; second >= 1; --second) {
        tickAuto(1);
        ASSERT_EQ(form.cap.caption(), "Refresh in " + std::to_string(second) + " sec");
        if (second > 1) {
            ASSERT_EQ(form.List1.items().front(), "192.168.1.20") << second;
        }
    }
    // Tick 300: the private refresh has run and the public one is under way.
    EXPECT_EQ(form.List1.items(), std::vector<std::string>{"10.1.1.1"});
    EXPECT_EQ(form.Text2.text(), "Acquiring ...");
    EXPECT_EQ(form.Label14.caption(), "Checking Internet Connection ...");
    EXPECT_TRUE(form.Timer1.enabled());
    EXPECT_EQ(form.refreshcount.text(), "0");
    EXPECT_EQ(publicLine(), "Public IP      Acquiring ...");
    tickFetch();
    EXPECT_EQ(form.Text2.text(), "198.51.100.4\r\n");
    EXPECT_EQ(form.List2.items().front(), "Private IP     10.1.1.1");

    tickAuto(1);
    EXPECT_EQ(form.cap.caption(), "Refresh in 300 sec");
}

TEST_F(MonitorFixture, HandRefreshRestartsTheCountdown) {
    struct Case {
        const char* name;
        ui::MenuItem MonitorForm::*item;
    } cases[] = {{"private", &MonitorForm::mnuprivate}, {"public", &MonitorForm::mnupublic}};
    for (const auto& c : cases) {
        Rig f;
        ASSERT_TRUE(startMonitor(f.m));
        f.tickFetch();
        f.form.autorefresh.click();
        f.tickAuto(120);
        EXPECT_EQ(f.form.cap.caption(), "Refresh in 181 sec") << c.name;
        (f.form.*c.item).click();
        f.tickAuto(1);
        EXPECT_EQ(f.form.cap.caption(), "Refresh in 300 sec") << c.name;
    }
}

TEST_F(MonitorFixture, AutoRefreshToggleByMenuAndCountdownItem) {
    ASSERT_TRUE(startMonitor(m));
    EXPECT_FALSE(form.cap.visible());
    form.cap.click();  // hidden: cannot be chosen
    EXPECT_FALSE(form.autorefresh.checked());

    form.autorefresh.click();
    tickAuto(5);
    EXPECT_EQ(form.cap.caption(), "Refresh in 296 sec");
    form.cap.click();
    EXPECT_FALSE(form.autorefresh.checked());
    EXPECT_FALSE(form.cap.visible());
    EXPECT_EQ(form.cap.caption(), "");
    EXPECT_FALSE(form.Timer2.enabled());
    tickAuto(3);  // a stopped timer does nothing
    EXPECT_EQ(form.cap.caption(), "");

    form.autorefresh.click();
    tickAuto(1);
    EXPECT_EQ(form.cap.caption(), "Refresh in 300 sec");
}

TEST_F(MonitorFixture, CloseEndsAtOnceAndMenusAreInOrder) {
    ASSERT_TRUE(startMonitor(m));
    form.mnuclose.click();
    EXPECT_EQ(closes, 1);
    EXPECT_TRUE(fake.dialogs.messages.empty());

    std::vector<std::string> bar;
    for (auto* top : form.menuBar) {
        bar.push_back(top->name() + ":" + top->caption());
        for (auto* child : top->children) bar.push_back(" " + child->name() + ":" + child->caption() + ":" + child->shortcut());
    }
    EXPECT_EQ(bar, (std::vector<std::string>{"mnu1:Refresh", " mnuprivate:Refresh Private IP:F5",
                                             " mnupublic:Refresh Public IP:F6", " dash1:-:", " autorefresh:Auto Refresh:",
                                             "mnu2:Copy", " mnucopy:Copy All:Ctrl+C", " mnuclose:Close:", "cap:"}));
}

TEST_F(MonitorFixture, NoTemporaryFolderMeansNoFetch) {
    fake.env.vars.erase("TEMP");
    ASSERT_TRUE(startMonitor(m));
    tickFetch();
    EXPECT_EQ(form.Text2.text(), "Cannot Acquire");
    EXPECT_TRUE(fake.download.fetched.empty());
}

}  // namespace
}  // namespace addrpeek
