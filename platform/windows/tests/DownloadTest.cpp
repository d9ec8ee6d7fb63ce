// Downloads from the product web server on 127.0.0.1, started by the test
// script beside this program (CFGSCOPE_TEST_SERVER="http://127.0.0.1:PORT");
// skipped when it is not given.
#include <gtest/gtest.h>

#include <cstdlib>

#include <windows.h>

#include "platform/windows/WindowsDownload.h"
#include "platform/windows/WindowsEnvironment.h"
#include "platform/windows/WindowsFiles.h"

namespace wb = platform::windows_backend;

TEST(WindowsDownload, FromTheProductServerAndFailureKeepsTheFile) {
    const char* server = std::getenv("CFGSCOPE_TEST_SERVER");
    if (!server || !*server) GTEST_SKIP() << "CFGSCOPE_TEST_SERVER is not set";
    wb::WindowsEnvironment env;
    wb::WindowsFiles files;
    wb::WindowsDownload download;
    const std::string local = env.get("TEMP") + "\\cfgscope-download-" + std::to_string(GetCurrentProcessId()) + ".txt";

    const std::string url = std::string(server) + "/ip.shtml";
    download.removeCachedCopy(url);
    ASSERT_TRUE(download.toFile(url, local));
    auto page = files.readAll(local);
    ASSERT_TRUE(page.has_value());
    EXPECT_NE(page->find("127.0.0.1"), std::string::npos) << *page;

    EXPECT_FALSE(download.toFile("http://127.0.0.1:1/ip.shtml", local)) << "nothing listens on port 1";
    EXPECT_EQ(files.readAll(local).value_or(""), *page) << "a failed download leaves the file as it was";
    EXPECT_TRUE(files.deleteFile(local));
}
