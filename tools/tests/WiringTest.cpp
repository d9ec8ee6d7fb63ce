// The toolbox through the whole program: start-up writes the fixed scripts,
// a parse the adapter scripts, and the window's wiring reaches the commands.
#include <gtest/gtest.h>

#include "../../app/tests/StartupFixture.h"

namespace {

struct Running : app_tests::StartupFixture {
    Running() {
        EXPECT_EQ(app::startProgram(form, p), app::StartOutcome::Running);
        fake.processes.started.clear();
    }
    std::vector<std::string> messageTexts() const {
        std::vector<std::string> out;
        for (const auto& m : fake.dialogs.messages) out.push_back(m.text);
        return out;
    }
};

TEST(ToolsInTheProgram, FirstPromptOffersTheDefaultTargetHost) {
    Running t;
    t.fake.dialogs.answers = {std::nullopt};
    t.form.ping.click();
    EXPECT_EQ(t.form.targetHost, "www.google.com");
    EXPECT_TRUE(t.fake.processes.started.empty());
    EXPECT_TRUE(t.fake.dialogs.messages.empty()) << "no \"not available\" message is left";
}

TEST(ToolsInTheProgram, ScriptsWrittenAtStartAndByTheParseAreStarted) {
    Running t;
    ASSERT_GE(t.form.adapters.count(), 1);
    t.form.selectedAdapter = 1;
    for (auto* item : {&t.form.displaydns, &t.form.Purgedns, &t.form.pinggateway, &t.form.pingdns1})
        item->click();
    t.form.Command8.click();
    std::vector<std::pair<std::string, platform::WindowStyle>> want{
        {t.wf + "displaydns.bat", platform::WindowStyle::Maximized},
        {t.wf + "purgedns.bat", platform::WindowStyle::Hidden},
        {t.wf + "1pinggateway.bat", platform::WindowStyle::Normal},
        {t.wf + "1pingdns1.bat", platform::WindowStyle::Normal},
        {t.wf + "1renew.bat", platform::WindowStyle::Hidden},
    };
    EXPECT_EQ(t.fake.processes.started, want);
    ASSERT_EQ(t.messageTexts().size(), 2u);
    EXPECT_EQ(t.messageTexts()[0], "DNS Resolver cache Purged");
    EXPECT_EQ(t.messageTexts()[1].rfind("Adapter 1 Renewed\n", 0), 0u);
}

// After a release of the selected adapter, Refresh shows that adapter again.
TEST(ToolsInTheProgram, RefreshAfterReleaseShowsTheAdapterAgain) {
    Running t;
    t.report = app_tests::savedReport("vista-ethernet-wifi-tunnels.txt");
    t.form.mnurefresh.click();
    ASSERT_GE(t.form.adapters.count(), 3);
    t.form.sel1[1].click();  // the wired Ethernet adapter, which uses DHCP
    ASSERT_EQ(t.form.selectedAdapter, 2);
    ASSERT_TRUE(t.form.mnurelease.enabled());
    t.form.mnurelease.click();
    EXPECT_EQ(t.starts(t.wf + "2release.bat"), 1);
    EXPECT_EQ(t.form.List1.items(), std::vector<std::string>{"Click Refresh"});
    EXPECT_EQ(t.form.captureStarted, "no");
    t.form.Command1.click();
    EXPECT_EQ(t.form.selectedAdapter, 2);
    EXPECT_EQ(t.form.adapters.selected(), 1);
}

}  // namespace
