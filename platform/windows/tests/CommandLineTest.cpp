#include <gtest/gtest.h>

#include "platform/windows/CommandLine.h"
#include "platform/windows/ManagementQuery.h"

namespace wb = platform::windows_backend;
using platform::WindowStyle;

TEST(WindowsCommandLine, ScriptsGoThroughTheInterpreter) {
    struct Case {
        const char* line;
        bool script;
    } cases[] = {
        {"C:\\Temp\\cfgscope\\ipconfig.bat", true},
        {"\"C:\\Documents and Settings\\me\\Temp\\x\\PING.BAT\"", true},
        {"  run.cmd arg", true},
        {"notepad.exe C:\\WINDOWS\\system32\\drivers\\etc\\hosts", false},
        {"cmd", false},
        {"control ncpa.cpl", false},
        {"x.bat.exe", false},
        {".bat", false},
        {"", false},
    };
    for (const auto& c : cases) EXPECT_EQ(wb::startsScript(c.line), c.script) << c.line;
}

TEST(WindowsCommandLine, InterpreterLineQuotesTheWholeCommand) {
    EXPECT_EQ(wb::interpreterCommandLine("C:\\WINDOWS\\system32\\cmd.exe", "C:\\My Temp\\a.bat"),
              "\"C:\\WINDOWS\\system32\\cmd.exe\" /c \"C:\\My Temp\\a.bat\"");
}

TEST(WindowsCommandLine, WindowStylesAreTheShowCommands) {
    EXPECT_EQ(wb::showCommand(WindowStyle::Hidden), 0);
    EXPECT_EQ(wb::showCommand(WindowStyle::Normal), 1);
    EXPECT_EQ(wb::showCommand(WindowStyle::Minimized), 2);
    EXPECT_EQ(wb::showCommand(WindowStyle::Maximized), 3);
}

TEST(WindowsManagement, OnlyPlainNamesReachTheQueryText) {
    struct Case {
        const char* name;
        bool plain;
    } cases[] = {{"Win32_OperatingSystem", true}, {"PartOfDomain", true}, {"", false},
                 {"Name FROM x WHERE", false},    {"a;b", false},         {"Caption'", false}};
    for (const auto& c : cases) EXPECT_EQ(wb::plainManagementName(c.name), c.plain) << c.name;
    EXPECT_FALSE(wb::queryManagementProperty("Win32_Processor WHERE 1=1", "Name").has_value());
}
