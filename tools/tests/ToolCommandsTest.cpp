// The Linux stand-ins for the hosts editor and the command window.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <map>

#include "platform/linux/LinuxProcesses.h"
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
        for (const char* name : {"PATH", "VISUAL", "EDITOR", "SHELL", "TERMINAL"}) {
            const char* v = std::getenv(name);
            if (v) saved_[name] = v;
        }
        set("PATH", dir);
        for (const char* name : {"VISUAL", "EDITOR", "SHELL"}) unsetenv(name);
    }
    ~Machine() {
        for (const char* name : {"PATH", "VISUAL", "EDITOR", "SHELL", "TERMINAL"}) {
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
        if (got) EXPECT_FALSE(got->empty()) << c.line;
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
