// Download to file with libcurl, against servers on 127.0.0.1.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "HttpStubs.h"
#include "platform/linux/CurlDownload.h"

namespace {

namespace fs = std::filesystem;

std::string slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

class CurlDownloadTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder = fs::path(testing::TempDir()) / ("curl-" + std::to_string(getpid()));
        fs::remove_all(folder);
        fs::create_directories(folder);
        server.page("/page", "fresh body\r\nsecond line");
        server.page("/empty", "");
        server.page("/target", "after redirect");
        server.page("/missing", "error page", 404);
        server.page("/broken", "error page", 500);
    }
    void TearDown() override { fs::remove_all(folder); }

    // Files in the folder besides the target: a temporary file must never stay.
    std::size_t filesInFolder() const {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
    }

    fs::path folder;
    http_stubs::StubServer server;
    platform::linux_backend::CurlDownload download{2, 3};
};

TEST_F(CurlDownloadTest, SuccessReplacesTheTargetAndFailureLeavesItAsItWas) {
    http_stubs::SilentListener silent;
    struct Case {
        std::string url;
        bool ok;
        const char* content;  // of the target afterwards
    } cases[] = {
        {server.url("/page"), true, "fresh body\r\nsecond line"},
        {server.url("/empty"), true, ""},
        {server.url("/moved"), true, "after redirect"},
        {server.url("/missing"), false, "old content"},
        {server.url("/broken"), false, "old content"},
        {http_stubs::closedPortUrl() + "/page", false, "old content"},
        {silent.url("/page"), false, "old content"},  // only the time-out ends this one
        {"ftp://127.0.0.1/page", false, "old content"},
        {"not an address", false, "old content"},
    };
    for (const auto& c : cases) {
        const fs::path target = folder / "vorlanip.txt";
        std::ofstream(target) << "old content";
        EXPECT_EQ(download.toFile(c.url, target.string()), c.ok) << c.url;
        EXPECT_EQ(slurp(target), c.content) << c.url;
        EXPECT_EQ(filesInFolder(), 1u) << c.url;
    }
}

TEST_F(CurlDownloadTest, WindowsShapedPathsAndMissingFolders) {
    // "\" separates folders on this backend.
    std::string target = folder.string() + "\\new.txt";
    EXPECT_TRUE(download.toFile(server.url("/page"), target));
    EXPECT_EQ(slurp(folder / "new.txt"), "fresh body\r\nsecond line");

    // A failed download creates no file.
    EXPECT_FALSE(download.toFile(server.url("/missing"), (folder / "absent.txt").string()));
    EXPECT_FALSE(fs::exists(folder / "absent.txt"));

    // No folder to write into: a failure, not a crash.
    EXPECT_FALSE(download.toFile(server.url("/page"), (folder / "no" / "such.txt").string()));
    EXPECT_EQ(filesInFolder(), 1u);
    download.removeCachedCopy(server.url("/page"));  // nothing cached: nothing to do
}

TEST_F(CurlDownloadTest, LoopbackNeverGoesThroughAProxy) {
    // A proxy nobody answers: the servers on this machine are still reached.
    const std::string proxy = http_stubs::closedPortUrl();
    for (const char* exceptions : {"", "intranet.example.org"}) {
        setenv("http_proxy", proxy.c_str(), 1);
        setenv("no_proxy", exceptions, 1);
        const fs::path target = folder / "via-proxy.txt";
        EXPECT_TRUE(download.toFile(server.url("/page"), target.string())) << exceptions;
        EXPECT_EQ(slurp(target), "fresh body\r\nsecond line");
        unsetenv("http_proxy");
        unsetenv("no_proxy");
    }
}

}  // namespace
