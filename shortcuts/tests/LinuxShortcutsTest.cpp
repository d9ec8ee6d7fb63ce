#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "platform/linux/DmiData.h"
#include "platform/linux/SessionEnd.h"
#include "platform/linux/ShortcutCommands.h"
#include "shortcuts/CommandLines.h"

namespace lx = platform::linux_backend;
using lx::ShortcutKind;

namespace {

const std::vector<ShortcutKind> kAllKinds{ShortcutKind::NetworkConnections, ShortcutKind::Modems,
                                          ShortcutKind::System,             ShortcutKind::ScheduledTasks,
                                          ShortcutKind::Proxy,              ShortcutKind::Users,
                                          ShortcutKind::Firewall,           ShortcutKind::UsersAndGroups};

TEST(ShortcutMapping, EveryFixedCommandLineIsKnown) {
    struct Case {
        std::string line;
        std::optional<ShortcutKind> kind;
    };
    for (const std::string windir : {"C:\\WINDOWS", ""}) {
        const std::vector<Case> cases{
            {shortcuts::controlPanelCommand(windir, "ncpa.cpl"), ShortcutKind::NetworkConnections},
            {shortcuts::controlPanelCommand(windir, "telephon.cpl"), ShortcutKind::Modems},
            {shortcuts::controlPanelCommand(windir, "sysdm.cpl"), ShortcutKind::System},
            {shortcuts::systemPageCommand(windir), ShortcutKind::System},
            {shortcuts::scheduledTasksCommand(windir), ShortcutKind::ScheduledTasks},
            {shortcuts::controlPanelCommand(windir, "inetcpl.cpl"), ShortcutKind::Proxy},
            {shortcuts::controlPanelCommand(windir, "nusrmgr.cpl"), ShortcutKind::Users},
            {shortcuts::controlPanelCommand(windir, "firewall.cpl"), ShortcutKind::Firewall},
            {shortcuts::localUsersConsoleCommand(windir), ShortcutKind::UsersAndGroups},
            {shortcuts::controlPanelCommand(windir, "desk.cpl"), std::nullopt},
            {"notepad.exe " + windir + "\\system32\\drivers\\etc\\hosts", std::nullopt},
            {"/tmp/cfgscope/1pinggateway.bat", std::nullopt},
            {"explorer " + windir + "\\Tasks\\other", std::nullopt},
            {"", std::nullopt},
        };
        for (const auto& c : cases) EXPECT_EQ(lx::shortcutKind(c.line), c.kind) << c.line;
    }
}

TEST(ShortcutMapping, FirstInstalledDesktopProgramElseTerminal) {
    struct Case {
        ShortcutKind kind;
        std::set<std::string> installed;
        std::vector<std::string> argv;  // empty: the terminal command
    };
    const std::vector<Case> cases{
        {ShortcutKind::NetworkConnections, {}, {}},
        {ShortcutKind::NetworkConnections, {"gnome-control-center", "nm-connection-editor"}, {"nm-connection-editor"}},
        {ShortcutKind::NetworkConnections, {"systemsettings"}, {"systemsettings", "kcm_networkmanagement"}},
        {ShortcutKind::System, {"kinfocenter", "hardinfo"}, {"kinfocenter"}},
        {ShortcutKind::ScheduledTasks, {"gnome-control-center", "systemsettings"}, {}},
        {ShortcutKind::Firewall, {"gufw"}, {"gufw"}},
        {ShortcutKind::UsersAndGroups, {"users-admin"}, {"users-admin"}},
        {ShortcutKind::Proxy, {"kcmshell5"}, {"kcmshell5", "kcm_proxy"}},
    };
    for (const auto& c : cases) {
        auto program = lx::shortcutProgram(c.kind, [&](const std::string& name) { return c.installed.count(name) > 0; });
        if (c.argv.empty()) {
            EXPECT_TRUE(program.inTerminal);
            ASSERT_EQ(program.argv.size(), 3u);
            EXPECT_EQ(program.argv[0], "sh");
        } else {
            EXPECT_FALSE(program.inTerminal);
            EXPECT_EQ(program.argv, c.argv);
        }
    }
}

// On this machine: each shortcut resolves to an installed program, or to a
// terminal command whose script the shell accepts.
TEST(ShortcutMapping, ResolvesOnThisMachine) {
    for (ShortcutKind kind : kAllKinds) {
        auto program = lx::shortcutProgram(kind, lx::installedOnPath);
        ASSERT_FALSE(program.argv.empty());
        if (!program.inTerminal) {
            EXPECT_TRUE(lx::installedOnPath(program.argv[0])) << program.argv[0];
            continue;
        }
        ASSERT_EQ(program.argv.size(), 3u);
        EXPECT_TRUE(lx::runToCompletion({"sh", "-n", "-c", program.argv[2]}, 5000)) << program.argv[2];
    }
    auto launch = lx::shortcutLaunch(shortcuts::controlPanelCommand("", "ncpa.cpl"), platform::WindowStyle::Normal);
    ASSERT_TRUE(launch.has_value());
    if (!launch->empty()) EXPECT_TRUE(lx::installedOnPath(launch->front()) || launch->front().find('/') == 0);
    EXPECT_FALSE(lx::shortcutLaunch("notepad.exe x", platform::WindowStyle::Normal).has_value());
}

TEST(SessionEnd, ChoicesRunTheSessionManager) {
    struct Case {
        const char* name;
        std::optional<lx::SessionEndChoice> choice;
        int failingCommands;  // how many commands fail before one succeeds
        bool result;
        std::vector<std::string> programsRun;
        bool told;
    };
    const std::vector<Case> cases{
        {"no dialog here", std::nullopt, 0, false, {}, false},
        {"cancel", lx::SessionEndChoice::Cancel, 0, true, {}, false},
        {"restart", lx::SessionEndChoice::Restart, 0, true, {"systemctl reboot"}, false},
        {"shut down", lx::SessionEndChoice::ShutDown, 0, true, {"systemctl poweroff"}, false},
        {"restart through logind",
         lx::SessionEndChoice::Restart,
         1,
         true,
         {"systemctl reboot", "dbus-send org.freedesktop.login1.Manager.Reboot"},
         false},
        {"nothing accepts",
         lx::SessionEndChoice::ShutDown,
         2,
         true,
         {"systemctl poweroff", "dbus-send org.freedesktop.login1.Manager.PowerOff"},
         true},
    };
    for (const auto& c : cases) {
        std::vector<std::string> ran;
        bool told = false;
        int failures = c.failingCommands;
        lx::SessionEnd end;
        end.ask = [&] { return c.choice; };
        end.run = [&](const std::vector<std::string>& argv) {
            ran.push_back(argv[0] + " " + (argv[0] == "dbus-send" ? argv[5] : argv[1]));
            return failures-- <= 0;
        };
        end.tell = [&](const std::string&) { told = true; };
        EXPECT_EQ(end.confirmAndEnd(), c.result) << c.name;
        EXPECT_EQ(ran, c.programsRun) << c.name;
        EXPECT_EQ(told, c.told) << c.name;
    }
    EXPECT_FALSE(lx::SessionEnd{}.confirmAndEnd());
}

TEST(SessionEnd, CommandRunnerReportsTheOutcome) {
    struct Case {
        std::vector<std::string> argv;
        bool ok;
    };
    for (const auto& c : std::vector<Case>{{{"true"}, true},
                                           {{"false"}, false},
                                           {{"/nonexistent/program"}, false},
                                           {{}, false},
                                           {{"sleep", "0.3"}, true}})  // still running at the limit
        EXPECT_EQ(lx::runToCompletion(c.argv, c.argv.size() == 2 ? 20 : 5000), c.ok) << (c.argv.empty() ? "" : c.argv[0]);

    // The command left running is reaped once it ends: no zombie stays behind.
    auto zombies = [] {
        int n = 0;
        for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
            std::ifstream in(entry.path() / "stat");
            std::string stat;
            if (!std::getline(in, stat)) continue;
            auto close = stat.rfind(')');
            if (close == std::string::npos || stat.find("(sleep)") == std::string::npos) continue;
            char state = 0;
            int ppid = 0;
            std::istringstream(stat.substr(close + 1)) >> state >> ppid;
            if (state == 'Z' && ppid == getpid()) ++n;
        }
        return n;
    };
    usleep(600 * 1000);  // the sleep has ended
    for (int i = 0; i < 40 && zombies() > 0; ++i) usleep(50 * 1000);
    EXPECT_EQ(zombies(), 0);
}

struct DmiFolder : ::testing::Test {
    std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("dmi-test-" + std::to_string(::getpid()));
    DmiFolder() { std::filesystem::create_directories(folder); }
    ~DmiFolder() override { std::filesystem::remove_all(folder); }
    void put(const std::string& name, const std::string& value) { std::ofstream(folder / name) << value << "\n"; }
};

TEST_F(DmiFolder, PresentsManufacturerLines) {
    put("sys_vendor", "Acme Computers");
    put("product_name", "X1 Carbon");
    put("product_version", "To Be Filled By O.E.M.");
    put("board_vendor", "Acme");
    put("board_name", "MB-42");
    put("bios_vendor", "Acme BIOS");
    put("bios_version", "1.02");
    put("bios_date", "03/14/2024");
    put("chassis_vendor", "Default string");
    EXPECT_EQ(lx::dmiManufacturerLines(folder.string()),
              (std::vector<std::string>{"[General]", "Manufacturer=Acme Computers", "Model=X1 Carbon", "",
                                        "[Support Information]", "Line1=\"Board: Acme MB-42\"",
                                        "Line2=\"BIOS: Acme BIOS 1.02 (03/14/2024)\""}));
}

TEST_F(DmiFolder, NothingWithoutMakerOrModel) {
    EXPECT_FALSE(lx::dmiManufacturerLines(folder.string()).has_value());
    put("sys_vendor", "System manufacturer");
    put("bios_vendor", "Acme BIOS");
    EXPECT_FALSE(lx::dmiManufacturerLines(folder.string()).has_value());
    put("product_name", "Q35");
    auto lines = lx::dmiManufacturerLines(folder.string());
    ASSERT_TRUE(lines.has_value());
    EXPECT_EQ((*lines)[1], "Model=Q35");
}

TEST(DmiData, ThisMachine) {
    auto lines = lx::dmiManufacturerLines();
    if (!std::filesystem::exists(lx::kDmiFolder)) {
        EXPECT_FALSE(lines.has_value());
        return;
    }
    if (lines) EXPECT_EQ(lines->front(), "[General]");
}

}  // namespace
