#include <gtest/gtest.h>

#include <windows.h>

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
