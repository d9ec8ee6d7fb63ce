#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "forms/MainForm.h"
#include "fakes/FakePlatform.h"
#include "shortcuts/AuxForms.h"
#include "shortcuts/CommandLines.h"
#include "shortcuts/Shortcuts.h"

namespace {

using platform::WindowStyle;

struct ShortcutsFixture : ::testing::Test {
    app::MainForm form;
    fakes::FakePlatform fake;
    std::vector<std::string> shownWindows;  // captions, "(About)" for the caption-less one
    std::function<void(shortcuts::AuxWindow&)> whileShown;
    ShortcutsFixture() {
        fake.env.vars["windir"] = "C:\\WINDOWS";
        fake.env.vars["CFGSCOPE_PRODUCT_SERVER"] = "http://products.test/";
        shortcuts::wireShortcuts(form, fake.platform, [this](shortcuts::AuxWindow& w) {
            shownWindows.push_back(w.caption.empty() ? "(About)" : w.caption);
            if (whileShown) whileShown(w);
        });
    }
};

TEST_F(ShortcutsFixture, EveryStartedShortcutHasItsCommandLineAndStyle) {
    const std::string cp = "rundll32.exe shell32.dll,Control_RunDLL C:\\WINDOWS\\system32\\";
    struct Case {
        ui::MenuItem* item;
        std::string commandLine;
        WindowStyle style;
    };
    form.os.setCaption("xp");
    const std::vector<Case> cases{
        {&form.mnunetwork, cp + "ncpa.cpl", WindowStyle::Normal},
        {&form.mnumodem, cp + "telephon.cpl", WindowStyle::Normal},
        {&form.mnusystem, cp + "sysdm.cpl", WindowStyle::Normal},
        {&form.mnutasks, "explorer C:\\WINDOWS\\Tasks", WindowStyle::Normal},
        {&form.mnuie, cp + "inetcpl.cpl", WindowStyle::Normal},
        {&form.mnuusers, cp + "nusrmgr.cpl", WindowStyle::Normal},
        {&form.mnufirewall, cp + "firewall.cpl", WindowStyle::Normal},
        {&form.mnuusergroups, "C:\\WINDOWS\\system32\\mmc.exe C:\\WINDOWS\\system32\\lusrmgr.msc", WindowStyle::Normal},
    };
    for (const auto& c : cases) {
        fake.processes.started.clear();
        c.item->click();
        ASSERT_EQ(fake.processes.started.size(), 1u) << c.item->name();
        EXPECT_EQ(fake.processes.started[0].first, c.commandLine) << c.item->name();
        EXPECT_EQ(fake.processes.started[0].second, c.style) << c.item->name();
    }
    EXPECT_TRUE(shownWindows.empty());
    EXPECT_TRUE(fake.dialogs.messages.empty());
}

TEST_F(ShortcutsFixture, SystemDependsOnTheFamily) {
    struct Case {
        std::string marker;
        std::string commandLine;
        WindowStyle style;
        std::vector<std::string> windows;
    };
    const std::vector<Case> cases{
        {"xp", "rundll32.exe shell32.dll,Control_RunDLL C:\\WINDOWS\\system32\\sysdm.cpl", WindowStyle::Normal, {}},
        {"vista", "C:\\WINDOWS\\system32\\control.exe /name microsoft.system", WindowStyle::Minimized, {"OEM Editor"}},
        {"os", "C:\\WINDOWS\\system32\\control.exe /name microsoft.system", WindowStyle::Minimized, {"OEM Editor"}},
    };
    for (const auto& c : cases) {
        fake.processes.started.clear();
        shownWindows.clear();
        form.os.setCaption(c.marker);
        form.mnusystem.click();
        ASSERT_EQ(fake.processes.started.size(), 1u) << c.marker;
        EXPECT_EQ(fake.processes.started[0].first, c.commandLine) << c.marker;
        EXPECT_EQ(fake.processes.started[0].second, c.style) << c.marker;
        EXPECT_EQ(shownWindows, c.windows) << c.marker;
    }
}

TEST_F(ShortcutsFixture, ProgramThatCannotStartIsNamed) {
    fake.processes.succeed = false;
    form.mnunetwork.click();
    ASSERT_EQ(fake.dialogs.messages.size(), 1u);
    EXPECT_EQ(fake.dialogs.messages[0].text,
              "Could not start rundll32.exe shell32.dll,Control_RunDLL C:\\WINDOWS\\system32\\ncpa.cpl");
}

TEST_F(ShortcutsFixture, WebLinksOpenProductPages) {
    struct Case {
        ui::MenuItem* item;
        std::string path;
    };
    for (const auto& c : std::vector<Case>{{&form.routerweb, "/routers.shtml"},
                                           {&form.lanomatweb, "/cfgscope.shtml"},
                                           {&form.mnuweb, "/remote.shtml"},
                                           {&form.mnudonate, "/donation.shtml"}}) {
        fake.shell.opened.clear();
        c.item->click();
        EXPECT_EQ(fake.shell.opened, std::vector<std::string>{"http://products.test" + c.path}) << c.path;
    }
    EXPECT_TRUE(fake.processes.started.empty());
}

TEST_F(ShortcutsFixture, RouterLogin) {
    struct Case {
        const char* name;
        std::string gatewayField;
        std::optional<std::string> answer;  // nothing: the box keeps its default
        std::vector<std::string> opened;
    };
    const std::vector<Case> cases{
        {"default confirmed", "Default Gateway:  192.168.1.254", std::nullopt, {"http://192.168.1.254"}},
        {"typed address opened as typed", "Default Gateway:  10.0.0.1", std::string("router.local"), {"router.local"}},
        {"cleared box does nothing", "Default Gateway:  10.0.0.1", std::string(""), {}},
    };
    form.selectedAdapter = 2;
    for (const auto& c : cases) {
        fake.shell.opened.clear();
        fake.dialogs.prompts.clear();
        form.adapterTable[2][7] = c.gatewayField;
        if (c.answer) fake.dialogs.answers = {c.answer};
        form.mnurouter.click();
        ASSERT_EQ(fake.dialogs.prompts.size(), 1u) << c.name;
        EXPECT_EQ(fake.dialogs.prompts[0].text, "Login to Router\r\n\r\nEnter IP Address:") << c.name;
        EXPECT_EQ(fake.dialogs.prompts[0].title, "VORLAN Lanomat") << c.name;
        EXPECT_EQ(fake.shell.opened, c.opened) << c.name;
    }
    // A cancelled box does nothing either.
    fake.shell.opened.clear();
    fake.dialogs.answers = {std::nullopt};
    form.mnurouter.click();
    EXPECT_TRUE(fake.shell.opened.empty());
}

TEST_F(ShortcutsFixture, RouterHelpBox) {
    form.mnurtrhelp.click();
    ASSERT_EQ(fake.dialogs.messages.size(), 1u);
    EXPECT_EQ(fake.dialogs.messages[0].title, "Router Login HELP");
    EXPECT_EQ(fake.dialogs.messages[0].icon, platform::MessageIcon::Information);
    EXPECT_EQ(fake.dialogs.messages[0].text.rfind("    Default IP Addresses, Usernames & Passwords\r\n", 0), 0u);
}

TEST_F(ShortcutsFixture, RestartAsksTheShellAndSaysWhenThereIsNoDialog) {
    form.mnureboot.click();
    EXPECT_EQ(fake.shell.restartDialogs, 1);
    EXPECT_TRUE(fake.dialogs.messages.empty());
    fake.shell.succeed = false;
    form.mnureboot.click();
    EXPECT_EQ(fake.shell.restartDialogs, 2);
    ASSERT_EQ(fake.dialogs.messages.size(), 1u);
    EXPECT_EQ(fake.dialogs.messages[0].text, shortcuts::kNoRestartDialogText);
}

TEST_F(ShortcutsFixture, ManufacturerInfoReadsTheCpuNameFirst) {
    std::vector<std::string> order;
    form.getcpu.onClick = [&] { order.push_back("cpu"); };
    whileShown = [&](shortcuts::AuxWindow&) { order.push_back("window"); };
    fake.files.files["C:\\WINDOWS\\system32\\oeminfo.ini"] = {"Manufacturer=Acme"};
    form.mnuoem.click();
    EXPECT_EQ(order, (std::vector<std::string>{"cpu", "window"}));
    EXPECT_EQ(shownWindows, std::vector<std::string>{"Manufacturer Information"});
}

TEST_F(ShortcutsFixture, AboutShowsTheAboutWindow) {
    form.mnuabout.click();
    EXPECT_EQ(shownWindows, std::vector<std::string>{"(About)"});
}

TEST_F(ShortcutsFixture, OemEditorLabelsOpenTheEditorPage) {
    form.os.setCaption("vista");
    whileShown = [](shortcuts::AuxWindow& w) {
        auto& editor = dynamic_cast<shortcuts::OemEditorForm&>(w);
        editor.Label1.click();
        editor.Label2.click();
        EXPECT_TRUE(editor.shown);
        editor.Command1.click();
        EXPECT_FALSE(editor.shown);
    };
    form.mnusystem.click();
    const std::string page = "http://products.test/oemeditor_vista.shtml";
    EXPECT_EQ(fake.shell.opened, (std::vector<std::string>{page, page}));
}

}  // namespace
