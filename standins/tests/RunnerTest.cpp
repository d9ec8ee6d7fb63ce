// The script runner on each script form the program writes, and starting
// scripts in a window style.
#include <gtest/gtest.h>

#include <sys/stat.h>
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

// Scripts that are not regular files: a FIFO nobody writes to (the runner
// once waited on it for ever), a folder, a device, a link; and a script in
// a folder others may write into, where it could be swapped before it is
// read. Each is refused at once.
TEST(HostileScripts, OnlyRegularFilesAreRunAndNothingBlocks) {
    TempDir dir;
    ASSERT_EQ(mkfifo((dir.path + "/fifo.bat").c_str(), 0600), 0);
    ASSERT_EQ(mkdir((dir.path + "/folder.bat").c_str(), 0700), 0);
    ASSERT_EQ(mkdir((dir.path + "/open").c_str(), 0777), 0);
    ASSERT_EQ(chmod((dir.path + "/open").c_str(), 0777), 0);
    writeFile(dir.path + "/open/s.bat", "@echo ran\r\n");
    writeFile(dir.path + "/real.bat", "@echo ran\r\n");
    ASSERT_EQ(symlink((dir.path + "/real.bat").c_str(), (dir.path + "/link.bat").c_str()), 0);
    struct Case {
        std::string path;
        std::string why;
    } cases[] = {
        {dir.path + "/fifo.bat", "it is not a regular file"},
        {dir.path + "/folder.bat", "it is a folder"},
        {"/dev/zero", "it is not a regular file"},
        {dir.path + "/link.bat", "it is a link"},
        {dir.path + "/open/s.bat", "the folder " + dir.path + "/open may be written by other users"},
    };
    for (const auto& c : cases) {
        ExecResult r = runProgram({binPath("batrun"), c.path}, 5000, true);
        EXPECT_FALSE(r.timedOut) << c.path;
        EXPECT_EQ(r.exitCode, 1) << c.path;
        EXPECT_NE(r.output.find("cannot read the script " + c.path + ": " + c.why), std::string::npos) << r.output;
        EXPECT_EQ(r.output.find("ran"), std::string::npos) << r.output;
    }
}
