// The Linux stand-ins for the hosts editor and the command window.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <map>

#include "platform/linux/LinuxProcesses.h"
#include "platform/linux/Terminal.h"
#include "platform/linux/ToolCommands.h"
#include "standins/common/Exec.h"
#include "standins/common/Files.h"

namespace {

using platform::linux_backend::argvFor;
using platform::linux_backend::toolCommandArgv;
using Argv = std::vector<std::string>;

const std::string kHosts = "notepad.exe C:\\WINDOWS\\system32\\drivers\\etc\\hosts";
const std::string kCmd = "cmd c:\\ /k cd\\";

// A folder of small programs that stands as the whole PATH, and the
// variables a test sets, restored afterwards.
class Machine {
public:
    Machine() {
        char tmpl[] = "/tmp/cftc-XXXXXX";
        dir = mkdtemp(tmpl) ? tmpl : "";
        for (const char* name : {"PATH", "VISUAL", "EDITOR", "SHELL", "TERMINAL", "DISPLAY", "WAYLAND_DISPLAY"}) {
            const char* v = std::getenv(name);
            if (v) saved_[name] = v;
        }
        set("PATH", dir);
        for (const char* name : {"VISUAL", "EDITOR", "SHELL", "DISPLAY", "WAYLAND_DISPLAY"}) unsetenv(name);
    }
    ~Machine() {
        for (const char* name : {"PATH", "VISUAL", "EDITOR", "SHELL", "TERMINAL", "DISPLAY", "WAYLAND_DISPLAY"}) {
            auto it = saved_.find(name);
            if (it == saved_.end()) unsetenv(name);
            else setenv(name, it->second.c_str(), 1);
        }
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }
    void set(const char* name, const std::string& value) { setenv(name, value.c_str(), 1); }
    // A program that prints its folder and its arguments.
    std::string program(const std::string& name) {
        std::string path = dir + "/" + name;
        standins::writeFile(path, "#!/bin/sh\necho \"in $(pwd):\" \"$@\"\n");
        chmod(path.c_str(), 0755);
        return path;
    }
    void link(const std::string& name, const std::string& target) {
        std::filesystem::create_symlink(target, dir + "/" + name);
    }
    std::string dir;

private:
    std::map<std::string, std::string> saved_;
};

TEST(ToolCommands, EditorForTheHostsFile) {
    struct Case {
        const char* what;
        std::vector<std::string> programs;
        std::map<const char*, std::string> vars;  // "@" stands for the program folder
        Argv expected;                            // likewise
    } cases[] = {
        {"VISUAL first, with its options", {"myedit", "other", "nano"}, {{"VISUAL", "myedit -w"}, {"EDITOR", "other"}},
         {"@/myedit", "-w", "/etc/hosts"}},
        {"VISUAL missing, EDITOR by path", {"other", "nano"}, {{"VISUAL", "gone"}, {"EDITOR", "@/other"}},
         {"@/other", "/etc/hosts"}},
        {"the system's choice", {"sensible-editor", "nano"}, {}, {"@/sensible-editor", "/etc/hosts"}},
        {"nano before vi", {"vi", "nano"}, {}, {"@/nano", "/etc/hosts"}},
        {"no editor at all", {}, {{"EDITOR", "gone"}}, {}},
    };
    for (const auto& c : cases) {
        Machine m;
        for (const auto& p : c.programs) m.program(p);
        for (const auto& [name, value] : c.vars) m.set(name, value.front() == '@' ? m.dir + value.substr(1) : value);
        Argv want;
        for (const auto& w : c.expected) want.push_back(w.front() == '@' ? m.dir + w.substr(1) : w);
        auto got = toolCommandArgv(kHosts);
        ASSERT_TRUE(got) << c.what;
        EXPECT_EQ(*got, want) << c.what;
        EXPECT_EQ(argvFor(kHosts), want) << c.what;
    }
}

TEST(ToolCommands, WhichCommandLinesAreMapped) {
    Machine m;
    m.program("nano");
    m.link("env", "/usr/bin/env");
    m.set("SHELL", m.program("myshell"));
    struct Case {
        std::string line;
        bool mapped;
    } cases[] = {
        {kHosts, true},
        {"notepad.exe \\system32\\drivers\\etc\\hosts", true},  // no Windows folder here
        {"NOTEPAD.EXE D:\\Win Dir\\System32\\Drivers\\Etc\\HOSTS", true},
        {kCmd, true},
        {"  CMD  C:\\ /K  CD\\ ", true},
        {"notepad.exe C:\\boot.ini", false},
        {"notepad.exe", false},
        {"cmd /c dir", false},
        {"cmd c:\\ /k cd\\ && rm x", false},
        {"C:\\Temp\\cfgscope\\pingother.bat", false},
        {"", false},
    };
    for (const auto& c : cases) {
        auto got = toolCommandArgv(c.line);
        EXPECT_EQ(got.has_value(), c.mapped) << c.line;
        if (got) {
            EXPECT_FALSE(got->empty()) << c.line;
        }
    }
}

// The mapped lines really run: the editor gets /etc/hosts, the shell starts in /.
TEST(ToolCommands, MappedProgramsRun) {
    Machine m;
    m.program("nano");
    m.link("env", "/usr/bin/env");
    m.set("SHELL", m.program("myshell"));
    struct Case {
        std::string line, output;
    } cases[] = {{kHosts, "in /tmp"}, {kCmd, "in /:"}};
    ASSERT_EQ(chdir("/tmp"), 0);
    for (const auto& c : cases) {
        Argv argv = argvFor(c.line);
        ASSERT_FALSE(argv.empty()) << c.line;
        standins::ExecResult r = standins::runProgram(argv, 10000, true);
        EXPECT_EQ(r.exitCode, 0) << c.line << r.error;
        EXPECT_EQ(r.output.rfind(c.output, 0), 0u) << c.line << ": " << r.output;
    }
    EXPECT_EQ(standins::runProgram(argvFor(kHosts), 10000, true).output, "in /tmp: /etc/hosts\n");
}

// Each terminal the backend knows opens the script in the style asked for,
// with that terminal's own options (from its manual).
TEST(Terminals, EachKnownTerminalGetsItsOwnStyleOptions) {
    using platform::WindowStyle;
    const Argv run{"/usr/libexec/cfgscope/batrun", "/run/user/1000/cfgscope/vorlantracert.bat"};
    struct Case {
        const char* name;
        Argv normal, maximized, minimized;  // the options before the command
    };
    const std::vector<Case> cases{
        {"gnome-terminal", {"--"}, {"--maximize", "--"}, {"--"}},
        {"konsole", {"-e"}, {"--fullscreen", "-e"}, {"-e"}},
        {"xfce4-terminal", {"-x"}, {"--maximize", "-x"}, {"--minimize", "-x"}},
        {"mate-terminal", {"-x"}, {"--maximize", "-x"}, {"-x"}},
        {"tilix", {"-e"}, {"--maximize", "-e"}, {"--minimize", "-e"}},
        {"terminator", {"-x"}, {"--maximise", "-x"}, {"-x"}},
        {"lxterminal", {"-e"}, {"-e"}, {"-e"}},
        {"qterminal", {"-e"}, {"-e"}, {"-e"}},
        {"kitty", {}, {"--start-as=maximized"}, {"--start-as=minimized"}},
        {"alacritty", {"-e"}, {"-o", "window.startup_mode=Maximized", "-e"}, {"-e"}},
        {"foot", {}, {"--maximized"}, {}},
        {"sakura", {"-x"}, {"--maximize", "-x"}, {"-x"}},
        {"urxvt", {"-e"}, {"-e"}, {"-iconic", "-e"}},
        {"st", {"-e"}, {"-e"}, {"-e"}},
        {"xterm", {"-e"}, {"-maximized", "-e"}, {"-iconic", "-e"}},
    };
    std::vector<std::string> tested;
    for (const auto& c : cases) {
        tested.push_back(c.name);
        Machine m;
        unsetenv("TERMINAL");
        const std::string program = m.program(c.name);
        for (const auto& [style, options] : {std::pair{WindowStyle::Normal, c.normal},
                                             {WindowStyle::Maximized, c.maximized}, {WindowStyle::Minimized, c.minimized}}) {
            Argv want{program};
            want.insert(want.end(), options.begin(), options.end());
            if (std::string(c.name) == "sakura") want.push_back("'" + run[0] + "' '" + run[1] + "'");
            else want.insert(want.end(), run.begin(), run.end());
            EXPECT_EQ(platform::linux_backend::inTerminal(run, style), want) << c.name << " " << static_cast<int>(style);
        }
    }
    EXPECT_EQ(tested, platform::linux_backend::knownTerminals());
}

// x-terminal-emulator and $TERMINAL are followed to the real program; one
// the backend does not know gets the "-e" every such terminal takes.
TEST(Terminals, LinksAndTheUsersChoiceLeadToTheRealProgram) {
    using platform::WindowStyle;
    const Argv run{"/usr/libexec/cfgscope/batrun", "/tmp/it's here/x.bat"};
    struct Case {
        const char* what;
        std::vector<std::string> programs;
        std::vector<std::pair<std::string, std::string>> links;  // name, target
        const char* terminal;                                    // $TERMINAL, "@" the folder
        Argv expected;                                           // the options, "@" the folder
    };
    const std::vector<Case> cases{
        {"alternative to a wrapper: the real program beside it",
         {"gnome-terminal.wrapper", "gnome-terminal", "xterm"},
         {{"alternative", "@/gnome-terminal.wrapper"}, {"x-terminal-emulator", "@/alternative"}},
         nullptr,
         {"@/gnome-terminal", "--maximize", "--"}},
        {"alternative to xterm's starter script", {"lxterm"}, {{"x-terminal-emulator", "@/lxterm"}}, nullptr,
         {"@/lxterm", "-maximized", "-e"}},
        {"alternative to a terminal not known", {"cool-term", "xterm"}, {{"x-terminal-emulator", "@/cool-term"}}, nullptr,
         {"@/x-terminal-emulator", "-e"}},
        {"wrapper without its program", {"mate-terminal.wrapper"}, {{"x-terminal-emulator", "@/mate-terminal.wrapper"}},
         nullptr, {"@/x-terminal-emulator", "-e"}},
        {"TERMINAL by name first", {"konsole", "xterm"}, {{"x-terminal-emulator", "@/xterm"}}, "konsole",
         {"@/konsole", "--fullscreen", "-e"}},
        {"TERMINAL by path, not known", {"myterm", "xterm"}, {}, "@/myterm", {"@/myterm", "-e"}},
        {"TERMINAL missing: the alternative", {"xfce4-terminal"}, {{"x-terminal-emulator", "@/xfce4-terminal"}}, "gone",
         {"@/xfce4-terminal", "--maximize", "-x"}},
        {"no link: a terminal found by name", {"tilix"}, {}, nullptr, {"@/tilix", "--maximize", "-e"}},
    };
    for (const auto& c : cases) {
        Machine m;
        auto at = [&](const std::string& w) { return w.front() == '@' ? m.dir + w.substr(1) : w; };
        for (const auto& p : c.programs) m.program(p);
        for (const auto& [name, target] : c.links) m.link(name, at(target));
        if (c.terminal) m.set("TERMINAL", at(c.terminal));
        else unsetenv("TERMINAL");
        Argv want;
        for (const auto& w : c.expected) want.push_back(at(w));
        want.insert(want.end(), run.begin(), run.end());
        EXPECT_EQ(platform::linux_backend::inTerminal(run, WindowStyle::Maximized), want) << c.what;
    }
    Machine none;
    unsetenv("TERMINAL");
    EXPECT_TRUE(platform::linux_backend::inTerminal(run, WindowStyle::Maximized).empty());

    // sakura splits its command line as a shell would: every word quoted.
    Machine m;
    unsetenv("TERMINAL");
    m.program("sakura");
    EXPECT_EQ(platform::linux_backend::inTerminal(run, WindowStyle::Normal),
              (Argv{m.dir + "/sakura", "-x", "'/usr/libexec/cfgscope/batrun' '/tmp/it'\\''s here/x.bat'"}));
}

// A session without X gets a terminal that runs on Wayland, and the other
// way round; the user's own $TERMINAL is taken as it stands.
TEST(Terminals, OnlyTerminalsThatRunInTheSession) {
    const Argv run{"/usr/libexec/cfgscope/batrun", "x.bat"};
    struct Case {
        const char* display;
        const char* wayland;
        std::vector<std::string> programs;
        const char* alternative;  // what x-terminal-emulator points at
        const char* terminal;     // $TERMINAL
        const char* chosen;       // nullptr: none
    };
    const std::vector<Case> cases{
        {nullptr, "wayland-0", {"xterm", "foot"}, "xterm", nullptr, "foot"},
        {nullptr, "wayland-0", {"urxvt", "st", "kitty"}, nullptr, nullptr, "kitty"},
        {nullptr, "wayland-0", {"xterm", "st"}, "xterm", nullptr, nullptr},
        {nullptr, "wayland-0", {"xterm"}, nullptr, "xterm", "xterm"},
        {":0", nullptr, {"foot", "xterm"}, nullptr, nullptr, "xterm"},
        {":0", "wayland-0", {"xterm", "foot"}, "xterm", nullptr, "xterm"},
        {nullptr, nullptr, {"xterm"}, nullptr, nullptr, "xterm"},
    };
    for (const auto& c : cases) {
        Machine m;
        for (const auto& p : c.programs) m.program(p);
        if (c.alternative) m.link("x-terminal-emulator", m.dir + "/" + c.alternative);
        if (c.display) m.set("DISPLAY", c.display);
        if (c.wayland) m.set("WAYLAND_DISPLAY", c.wayland);
        if (c.terminal) m.set("TERMINAL", c.terminal);
        else unsetenv("TERMINAL");
        Argv got = platform::linux_backend::inTerminal(run, platform::WindowStyle::Normal);
        const std::string where = std::string(c.display ? c.display : "-") + " " + (c.wayland ? c.wayland : "-");
        if (!c.chosen) {
            EXPECT_TRUE(got.empty()) << where;
            continue;
        }
        ASSERT_FALSE(got.empty()) << where;
        EXPECT_EQ(got[0], m.dir + "/" + c.chosen) << where;
    }
}

TEST(ToolCommands, NothingToRunItMeansTheStartFails) {
    Machine m;  // an empty PATH: no editor, no shell tools, no terminal
    m.set("SHELL", "/nonexistent/shell");
    unsetenv("TERMINAL");
    platform::linux_backend::LinuxProcesses processes;
    for (const auto& line : {kHosts, kCmd}) {
        EXPECT_TRUE(argvFor(line).empty()) << line;
        EXPECT_FALSE(processes.start(line, platform::WindowStyle::Normal)) << line;
    }
}

}  // namespace
