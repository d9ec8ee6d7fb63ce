// The script runner on each script form the program writes, and starting
// scripts in a window style.
#include <gtest/gtest.h>

#include <time.h>
#include <unistd.h>

#include <cstdlib>

#include "Netns.h"
#include "platform/linux/LinuxProcesses.h"
#include "standins/common/Files.h"

using namespace standins;
using namespace standins::testing;

namespace {

const std::string kHyphens = "@echo ---------------------------------------------------------";

struct TempDir {
    TempDir() {
        char tmpl[] = "/tmp/cfsr-XXXXXX";
        path = mkdtemp(tmpl) ? tmpl : "";
    }
    ~TempDir() { runProgram({"rm", "-rf", path}, 5000, false); }
    std::string path;
};

std::string script(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& l : lines) text += l + "\r\n";
    return text;
}

ExecResult runScript(const std::string& folder, const std::string& text) {
    writeFile(folder + "/s.bat", text);
    return runProgram({binPath("batrun"), folder + "/s.bat"}, 60000, true);
}

}  // namespace

TEST(Runner, ScriptFormsOfTheProgram) {
    TempDir dir;
    ASSERT_FALSE(dir.path.empty());
    struct Case {
        const char* what;
        std::vector<std::string> lines;
        std::vector<std::string> expected;  // in this order in the output
    } cases[] = {
        {"displaydns.bat",
         {"@echo off", kHyphens, "@echo Display the contents of the DNS Resolver Cache", kHyphens,
          "ipconfig /displaydns", kHyphens, "@pause"},
         {"---------------------------------------------------------\n"
          "Display the contents of the DNS Resolver Cache\n",
          "Windows IP Configuration", "DNS Resolver Cache", "Press any key to continue . . . "}},
        {"pingother.bat",
         {"@echo off", kHyphens, "@echo Ping 127.0.0.1", kHyphens, "ping 127.0.0.1 -n 2 -w 1000", kHyphens, "@pause"},
         {"Ping 127.0.0.1", "2 packets transmitted, 2 received", "-----\nPress any key"}},
        {"vorlantracert.bat",
         {"@echo off", kHyphens, "@echo Trace Route for: 127.0.0.1", kHyphens, "tracert -d 127.0.0.1", kHyphens,
          "@pause"},
         {"Trace Route for: 127.0.0.1", "127.0.0.1", "Press any key"}},
        {"vorlannslookup.bat",
         {"@echo off", kHyphens, "@echo NS Lookup for: localhost", kHyphens, "nslookup localhost", kHyphens,
          "@pause"},
         {"NS Lookup for: localhost", "---\nPress any key"}},
        {"unknown command goes on",
         {"@echo off", "nosuchtool-cfgscope /x", "echo still here"},
         {"'nosuchtool-cfgscope' is not recognized", "still here"}},
        {"echo on shows the commands",
         {"echo hello"},
         {">echo hello\n", "hello\n"}},
    };
    for (const auto& c : cases) {
        ExecResult r = runScript(dir.path, script(c.lines));
        ASSERT_TRUE(r.started) << c.what;
        std::size_t at = 0;
        for (const auto& e : c.expected) {
            std::size_t found = r.output.find(e, at);
            EXPECT_NE(found, std::string::npos) << c.what << ": missing \"" << e << "\" in:\n" << r.output;
            if (found != std::string::npos) at = found + e.size();
        }
        EXPECT_EQ(r.output.find("@echo"), std::string::npos) << c.what;
    }
}

TEST(Runner, RedirectionWritesAndAppends) {
    TempDir dir;
    std::string win = dir.path;
    for (auto& c : win) c = c == '/' ? '\\' : c;
    ExecResult r = runScript(dir.path, script({"@echo one> " + win + "\\out.txt", "@echo two >> " + win + "\\out.txt",
                                               "@echo x > " + dir.path + "/no/such/folder/f.txt", "@echo after"}));
    EXPECT_EQ(readFile(dir.path + "/out.txt").value_or(""), "one\ntwo\n");
    EXPECT_NE(r.output.find("cannot be written"), std::string::npos) << r.output;
    EXPECT_NE(r.output.find("after"), std::string::npos);
    ExecResult missing = runProgram({binPath("batrun"), dir.path + "/none.bat"}, 5000, true);
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.output.find("cannot read the script"), std::string::npos);
}

TEST(WindowStyles, HiddenStartWritesTheReportAndTerminallessStylesFail) {
    TempDir dir;
    std::string win = dir.path;
    for (auto& c : win) c = c == '/' ? '\\' : c;
    writeFile(dir.path + "/getdata.bat", script({"ipconfig /all > " + win + "\\data.txt"}));
    setenv("CFGSCOPE_STANDINS", STANDINS_BIN_DIR, 1);
    platform::linux_backend::LinuxProcesses processes;
    ASSERT_TRUE(processes.start(win + "\\getdata.bat", platform::WindowStyle::Hidden));
    std::string data;
    for (int i = 0; i < 500 && data.find("Windows IP Configuration") == std::string::npos; ++i) {
        timespec pause{0, 20 * 1000000};
        nanosleep(&pause, nullptr);
        data = readFile(dir.path + "/data.txt").value_or("");
    }
    EXPECT_NE(data.find("\r\nWindows IP Configuration\r\n"), std::string::npos);

    // With no terminal emulator to be found, a shown style cannot start.
    std::string oldPath = std::getenv("PATH") ? std::getenv("PATH") : "";
    const char* oldTerminal = std::getenv("TERMINAL");
    std::string savedTerminal = oldTerminal ? oldTerminal : "";
    setenv("PATH", dir.path.c_str(), 1);
    unsetenv("TERMINAL");
    for (auto style : {platform::WindowStyle::Normal, platform::WindowStyle::Maximized, platform::WindowStyle::Minimized})
        EXPECT_FALSE(processes.start(win + "\\getdata.bat", style));
    setenv("PATH", oldPath.c_str(), 1);
    if (oldTerminal) setenv("TERMINAL", savedTerminal.c_str(), 1);
    EXPECT_FALSE(processes.start("no-such-program-cfgscope --x", platform::WindowStyle::Hidden));
}
