#include <gtest/gtest.h>

#include <functional>

#include "ToolsFixture.h"

namespace {

using tools_tests::ToolsFixture;
using Style = platform::WindowStyle;

struct Command {
    const char* what;
    std::function<void(app::MainForm&)> button, menu;
    std::string script;  // started in the working folder
    std::string message, log;
};

// Adapter 3 is selected for the adapter commands.
std::vector<Command> commands() {
    const std::string tail = "\n\nWait for the change to take effect,\nthen Click Refresh";
    return {
        {"release all", [](app::MainForm& f) { f.Command3.click(); }, [](app::MainForm& f) { f.mnureleaseall.click(); },
         "releaseall.bat", "All Adapters Released" + tail, "12:34:56 All Adapters Released"},
        {"renew all", [](app::MainForm& f) { f.Command4.click(); }, [](app::MainForm& f) { f.mnurenewall.click(); },
         "renewall.bat", "All Adapters Renewed." + tail, "12:34:56 All Adapters Renewed"},
        {"release adapter", [](app::MainForm& f) { f.Command7.click(); },
         [](app::MainForm& f) { f.mnurelease.click(); }, "3release.bat", "Adapter 3 Released" + tail,
         "12:34:56 Adapter 3 Released"},
        {"renew adapter", [](app::MainForm& f) { f.Command8.click(); }, [](app::MainForm& f) { f.mnurenew.click(); },
         "3renew.bat", "Adapter 3 Renewed" + tail, "12:34:56 Adapter 3 Renewed"},
    };
}

void prepare(ToolsFixture& t) {
    for (const char* s : {"releaseall.bat", "renewall.bat", "3release.bat", "3renew.bat"}) t.have(s);
    t.have("data.txt");
    t.form.selectedAdapter = 3;
    t.form.lastSelectedAdapter = 1;
    t.form.adapters.add("1) Ethernet adapter eth0");
    t.form.adapters.add("3) Wireless adapter wlan0");
    t.form.List1.add("IP Address: 10.0.0.5");
    t.form.List1.add("Dhcp Enabled: Yes");
}

TEST(ReleaseRenew, ButtonAndMenuItemDoTheSame) {
    for (const auto& c : commands()) {
        for (const auto& run : {c.button, c.menu}) {
            ToolsFixture t;
            prepare(t);
            run(t.form);
            ASSERT_EQ(t.started().size(), 1u) << c.what;
            EXPECT_EQ(t.started()[0].first, t.wf + c.script) << c.what;
            EXPECT_EQ(t.started()[0].second, Style::Hidden) << c.what;
            EXPECT_FALSE(t.fake.files.fileExists(t.wf + "data.txt")) << c.what;
            EXPECT_EQ(t.form.adapters.count(), 0) << c.what;
            EXPECT_EQ(t.form.List1.items(), std::vector<std::string>{"Click Refresh"}) << c.what;
            ASSERT_EQ(t.messages().size(), 1u) << c.what;
            EXPECT_EQ(t.messages()[0].text, c.message) << c.what;
            EXPECT_EQ(t.messages()[0].title, "cfgscope");
            EXPECT_EQ(t.form.errorlog.items(), std::vector<std::string>{c.log}) << c.what;
            EXPECT_EQ(t.form.captureStarted, "no") << c.what << ": the next Refresh starts the report afresh";
        }
    }
}

TEST(ReleaseRenew, WithoutAReportFileNothingIsDeletedAndTheRestFollows) {
    ToolsFixture t;
    t.have("releaseall.bat");
    t.form.Command3.click();
    EXPECT_TRUE(t.fake.files.deleted.empty());
    ASSERT_EQ(t.started().size(), 1u);
    EXPECT_EQ(t.messages().size(), 1u);
    EXPECT_EQ(t.form.errorlog.count(), 1);
}

TEST(ReleaseRenew, AdapterCommandsMarkTheAdapterToShowAgain) {
    for (const auto& c : commands()) {
        ToolsFixture t;
        prepare(t);
        c.button(t.form);
        EXPECT_EQ(t.form.lastSelectedAdapter, std::string(c.what).find("adapter") != std::string::npos ? 3 : 1)
            << c.what;
    }
}

TEST(ReleaseRenew, LogIsTrimmedToTwenty) {
    ToolsFixture t;
    prepare(t);
    for (int i = 0; i < 20; ++i) t.form.errorlog.add("old " + std::to_string(i));
    t.form.Command4.click();
    ASSERT_EQ(t.form.errorlog.count(), 20);
    EXPECT_EQ(t.form.errorlog.items().front(), "old 1");
    EXPECT_EQ(t.form.errorlog.items().back(), "12:34:56 All Adapters Renewed");
}

TEST(ReleaseRenew, ReleaseAllSkipsAFailedStartSilently) {
    ToolsFixture t;
    prepare(t);
    t.fake.processes.succeed = false;
    t.form.Command3.click();
    ASSERT_EQ(t.messages().size(), 1u);
    EXPECT_EQ(t.messages()[0].text.rfind("All Adapters Released\n", 0), 0u);
    EXPECT_EQ(t.form.List1.items(), std::vector<std::string>{"Click Refresh"});
}

// The other three name the script that did not start and claim nothing.
TEST(ReleaseRenew, OtherCommandsNameAScriptThatCannotStart) {
    struct Failure {
        const char* what;
        bool startFails;
        const char* removed;
        std::string message;
    };
    const std::string wf = "C:\\Temp\\cfgscope\\";
    const std::vector<Failure> failures{
        {"start fails", true, nullptr, "Could not start " + wf},
        {"script missing", false, "", "The script " + wf},
    };
    auto all = commands();
    for (std::size_t i = 1; i < all.size(); ++i) {
        const auto& c = all[i];
        for (const auto& f : failures) {
            ToolsFixture t;
            prepare(t);
            t.fake.processes.succeed = !f.startFails;
            if (f.removed) t.fake.files.files.erase(t.wf + c.script);
            c.menu(t.form);
            ASSERT_EQ(t.messages().size(), 1u) << c.what << ", " << f.what;
            EXPECT_EQ(t.messages()[0].text.rfind(f.message + c.script, 0), 0u) << t.messages()[0].text;
            EXPECT_EQ(t.messages()[0].title, "cfgscope");
            EXPECT_EQ(t.form.errorlog.items(), std::vector<std::string>{"12:34:56 Could not start " + c.script});
            EXPECT_EQ(t.form.adapters.count(), 2) << "the display stays as it was";
            EXPECT_EQ(t.started().size(), f.startFails ? 1u : 0u);
        }
    }
}

}  // namespace
