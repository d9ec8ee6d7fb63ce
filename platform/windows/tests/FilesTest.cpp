#include <gtest/gtest.h>

#include <windows.h>

#include "platform/windows/WideText.h"
#include "platform/windows/WindowsClipboard.h"
#include "platform/windows/WindowsEnvironment.h"
#include "platform/windows/WindowsFiles.h"

namespace wb = platform::windows_backend;

namespace {

std::string freshFolder() {
    wb::WindowsEnvironment env;
    std::string folder = env.get("TEMP") + "\\cfgscope-files-test-" + std::to_string(GetCurrentProcessId());
    return folder;
}

}  // namespace

TEST(WindowsFiles, FolderLifecycleAndLinesWithCrLf) {
    wb::WindowsFiles files;
    const std::string folder = freshFolder();
    ASSERT_TRUE(files.createFolder(folder));
    EXPECT_TRUE(files.folderExists(folder));
    EXPECT_TRUE(files.folderExists(folder + "\\"));
    EXPECT_TRUE(files.privateFolder(folder));

    const std::string a = folder + "\\a.bat";
    const std::string b = folder + "\\b.txt";
    ASSERT_TRUE(files.writeLines(a, {"@echo off", "ipconfig /all > ipconfig.txt"}));
    ASSERT_TRUE(files.writeLines(b, {}));
    EXPECT_TRUE(files.fileExists(a));
    EXPECT_FALSE(files.fileExists(folder));
    EXPECT_EQ(files.readAll(a).value_or(""), "@echo off\r\nipconfig /all > ipconfig.txt\r\n");
    EXPECT_EQ(files.readLines(a).value_or(std::vector<std::string>{}),
              (std::vector<std::string>{"@echo off", "ipconfig /all > ipconfig.txt"}));
    EXPECT_EQ(files.readAll(b).value_or("x"), "");

    EXPECT_FALSE(files.removeFolder(folder)) << "a folder with files in it stays";
    EXPECT_TRUE(files.deleteAllFiles(folder));
    EXPECT_FALSE(files.fileExists(a));
    EXPECT_TRUE(files.removeFolder(folder));
    EXPECT_FALSE(files.folderExists(folder));
}

TEST(WindowsFiles, MissingThingsAreFailuresNotErrors) {
    wb::WindowsFiles files;
    const std::string missing = freshFolder() + "-missing";
    EXPECT_FALSE(files.readAll(missing + "\\x.txt").has_value());
    EXPECT_FALSE(files.readLines(missing + "\\x.txt").has_value());
    EXPECT_FALSE(files.writeLines(missing + "\\x.txt", {"a"}));
    EXPECT_FALSE(files.deleteFile(missing + "\\x.txt"));
    EXPECT_FALSE(files.removeFolder(missing));
    EXPECT_FALSE(files.privateFolder(missing));
}

TEST(WindowsEnvironment, TempAndNamesOfAnyCase) {
    wb::WindowsEnvironment env;
    wb::WindowsFiles files;
    std::string temp = env.get("TEMP");
    ASSERT_FALSE(temp.empty());
    EXPECT_NE(temp.back(), '\\');
    EXPECT_TRUE(files.folderExists(temp));
    EXPECT_FALSE(env.get("COMPUTERNAME").empty());
    EXPECT_EQ(env.get("computername"), env.get("COMPUTERNAME"));
    EXPECT_EQ(env.get("CFGSCOPE_SURELY_UNSET_VARIABLE"), "");
}

// Text beyond ASCII in paths, scripts, console output and the clipboard.
TEST(WindowsText, NamesBeyondAsciiSurviveEveryCrossing) {
    wb::WindowsFiles files;
    const std::string folder = freshFolder() + "-j\xC3\xBCrgen \xE7\x8E\x8B\xE4\xBC\x9F";  // "-jürgen 王伟"
    ASSERT_TRUE(files.createFolder(folder));
    EXPECT_TRUE(files.privateFolder(folder));
    const std::string text = folder + "\\WLAN K\xC3\xBC" "che.txt";
    ASSERT_TRUE(files.writeLines(text, {"K\xC3\xBC" "che"}));
    EXPECT_EQ(files.readAll(text).value_or(""), "K\xC3\xBC" "che\r\n") << "files other than scripts stay UTF-8";
    EXPECT_TRUE(files.deleteAllFiles(folder));
    EXPECT_TRUE(files.removeFolder(folder));
    EXPECT_FALSE(files.folderExists(folder));

    wb::WindowsClipboard clipboard;
    const std::string names = "WLAN K\xC3\xBC" "che / \xD0\x9F\xD0\xBE\xD0\xB4 / \xE6\x9C\xAC\xE5\x9C\xB0";
    clipboard.setText(names);
    EXPECT_EQ(clipboard.text().value_or(""), names);
}

TEST(WindowsText, ScriptsAndConsoleOutputUseTheConsoleCodePage) {
    // "ü" is 0x81 in the console code pages of the United States and of
    // Western Europe (437, 850), the ones this test knows.
    const UINT oem = GetOEMCP();
    if (oem != 437 && oem != 850) GTEST_SKIP() << "console code page " << oem;
    wb::WindowsFiles files;
    const std::string folder = freshFolder() + "-console";
    ASSERT_TRUE(files.createFolder(folder));
    const std::string script = folder + "\\getdata.bat";
    ASSERT_TRUE(files.writeLines(script, {"ipconfig /all > \"C:\\Users\\j\xC3\xBCrgen\\data.txt\""}));
    EXPECT_EQ(files.readAll(script).value_or(""), "ipconfig /all > \"C:\\Users\\j\x81rgen\\data.txt\"\r\n");

    const struct {
        const char* name;
        std::string bytes;
    } reports[] = {
        {"console code page", "WLAN K\x81" "che\r\nx"},
        {"UTF-8 with its mark", "\xEF\xBB\xBFWLAN K\xC3\xBC" "che\r\nx"},
        {"UTF-16 with its mark", std::string("\xFF\xFEW\0L\0A\0N\0 \0K\0\xFC\0c\0h\0e\0\r\0\n\0x\0", 28)},
    };
    const std::string report = folder + "\\data.txt";
    for (const auto& r : reports) {
        HANDLE h = CreateFileW(wb::widen(report).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(h, INVALID_HANDLE_VALUE);
        DWORD written = 0;
        WriteFile(h, r.bytes.data(), static_cast<DWORD>(r.bytes.size()), &written, nullptr);
        CloseHandle(h);
        EXPECT_EQ(files.readConsoleLines(report).value_or(std::vector<std::string>{}),
                  (std::vector<std::string>{"WLAN K\xC3\xBC" "che", "x"}))
            << r.name;
    }
    EXPECT_TRUE(files.deleteAllFiles(folder));
    EXPECT_TRUE(files.removeFolder(folder));
}
