#include <gtest/gtest.h>

#include "StartupFixture.h"
#include "capture/Capture.h"
#include "reports/ErrorLog.h"

namespace {

using app_tests::StartupFixture;

struct Running : StartupFixture {
    Running() { EXPECT_EQ(app::startProgram(form, p), app::StartOutcome::Running); }
};

TEST(Wiring, EveryMenuCommandDoesSomething) {
    Running t;
    for (ui::MenuItem* top : t.form.menuBar)
        for (ui::MenuItem* item : top->children)
            if (!item->isSeparator) {
                EXPECT_TRUE(item->onClick) << item->name() << " does nothing";
            }
    for (ui::Button* b : {&t.form.Command1, &t.form.Command7, &t.form.Command8, &t.form.Command3, &t.form.Command4,
                          &t.form.Command6, &t.form.Command5})
        EXPECT_TRUE(b->onClick) << b->name() << " does nothing";
}

TEST(Wiring, RefreshFromButtonAndMenuStartsANewReport) {
    using Run = void (*)(app::MainForm&);
    for (Run run : {+[](app::MainForm& f) { f.Command1.click(); }, +[](app::MainForm& f) { f.mnurefresh.click(); }}) {
        Running t;
        t.report[3] = "        Host Name . . . . . . . . . . . . : new-name";
        run(t.form);
        EXPECT_EQ(t.starts(t.wf + "getdata.bat"), 2);
        EXPECT_EQ(t.form.host.text(), "NEW-NAME");
        EXPECT_EQ(t.form.captureStarted, "no");
    }
}

TEST(Wiring, LogCommands) {
    Running t;
    t.form.Label10.click();
    t.form.mnuerrorlog.click();
    ASSERT_EQ(t.fake.dialogs.messages.size(), 2u);
    for (const auto& m : t.fake.dialogs.messages) {
        EXPECT_EQ(m.title, reports::kLogTitle);
        EXPECT_NE(m.text.find(" Refreshing ..."), std::string::npos);
    }
    t.form.mnuclearlog.click();
    EXPECT_EQ(t.form.errorlog.items(), std::vector<std::string>{"12:34:56 Log cleared"});
}

TEST(Wiring, AdapterViewCommands) {
    Running t;
    t.report = app_tests::savedReport("vista-ethernet-wifi-tunnels.txt");
    t.form.mnurefresh.click();
    ASSERT_GE(t.form.adapters.count(), 2);
    t.form.sel1[1].click();
    EXPECT_EQ(t.form.adapters.selected(), 1);
    EXPECT_EQ(t.form.Command7.caption(), "Release Adapter " + std::to_string(t.form.selectedAdapter));
    t.form.adapters.select(0);
    EXPECT_EQ(t.form.selectedAdapter, 1);
    ASSERT_TRUE(t.form.List1.select(0));
    t.form.List1.doubleClick();
    EXPECT_FALSE(t.fake.clipboard.text.empty());
}

TEST(Wiring, WorkingButtonsRunTheirActions) {
    Running t;
    t.fake.system.addresses = std::vector<std::string>{"10.0.0.5", "192.168.7.9"};
    t.form.addrpeek.click();
    EXPECT_EQ(t.form.List2.items(), (std::vector<std::string>{"10.0.0.5", "192.168.7.9"}));

    t.fake.system.management["Win32_Processor.Name"] = {"  Example CPU 3000  "};
    t.form.getcpu.click();
    EXPECT_EQ(t.form.cpuname.caption(), "Example CPU 3000");

    t.form.Text2.setText("");
    t.form.Command9.click();
    EXPECT_FALSE(t.form.Text2.text().empty());

    for (int i = 0; i < 30; ++i) t.form.errorlog.add("x");
    t.form.fixlog.click();
    EXPECT_EQ(t.form.errorlog.count(), 20);

    t.form.cleararray.click();
    for (const auto& row : t.form.adapterTable)
        for (const auto& cell : row) EXPECT_EQ(cell, "");

    t.form.List1.clear();
    for (auto& line : capture::reportListFrom(t.report)) t.form.List1.add(line);
    t.form.Command2.click();  // parses the report list
    EXPECT_EQ(t.form.adapters.count(), 1);
}

TEST(Wiring, CommandsNotBuiltYetSaySo) {
    struct Case {
        std::function<void(app::MainForm&)> run;
        std::string text;
    };
    const std::vector<Case> cases{
        {[](app::MainForm& f) { f.ping.click(); }, "\"Ping Other\" is not available yet in this version of Lanomat Std."},
        {[](app::MainForm& f) { f.Command3.click(); }, "\"Release All\" is not available yet"},
        {[](app::MainForm& f) { f.Command7.click(); }, "\"Release Adapter 1\" is not available yet"},
        {[](app::MainForm& f) { f.mnuabout.click(); }, "\"About Lanomat Std\" is not available yet"},
        {[](app::MainForm& f) { f.mnucopyall.click(); }, "\"Copy All to Clipboard\" is not available yet"},
    };
    for (const auto& c : cases) {
        fakes::FakePlatform fake;
        app::MainForm form;
        app::wireNotAvailable(form, fake.platform);
        c.run(form);
        ASSERT_EQ(fake.dialogs.messages.size(), 1u) << c.text;
        EXPECT_EQ(fake.dialogs.messages[0].text.rfind(c.text, 0), 0u) << fake.dialogs.messages[0].text;
        EXPECT_EQ(fake.dialogs.messages[0].title, "cfgscope");
        EXPECT_TRUE(fake.processes.started.empty()) << "nothing is started";
    }
}

}  // namespace
