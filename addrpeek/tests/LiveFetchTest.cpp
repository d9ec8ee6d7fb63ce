// The public-address fetch over real HTTP on 127.0.0.1, through the Linux
// download, files and environment: against the shipped product web server,
// a page whose body ends in a line end, and a server that is down.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "HttpStubs.h"
#include "addrpeek/Monitor.h"
#include "fakes/FakePlatform.h"
#include "internet/server/testing/WebServerProcess.h"
#include "platform/linux/CurlDownload.h"
#include "platform/linux/LinuxEnvironment.h"
#include "platform/linux/LinuxFiles.h"

namespace addrpeek {
namespace {

// The monitor over the real files, environment and download, with a private TEMP.
struct LiveFetch : testing::Test {
    std::filesystem::path temp;
    fakes::FakePlatform fake;
    platform::linux_backend::LinuxFiles files;
    platform::linux_backend::LinuxEnvironment env;
    platform::linux_backend::CurlDownload download;
    platform::Platform p{files, fake.processes, env, fake.session, fake.clipboard, fake.dialogs, fake.system, download,
                         fake.shell};
    MonitorForm form;

    void SetUp() override {
        char pattern[] = "/tmp/addrpeek-fetch-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        temp = pattern;
        setenv("TEMP", pattern, 1);
    }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(temp, ignored);
    }

    std::string fetchFrom(const std::string& base) {
        Monitor m{form, p, base, {}};
        wireMonitor(m);
        return fetchPublicAddress(m);
    }
    bool leftovers() const { return !std::filesystem::is_empty(temp); }
};

TEST_F(LiveFetch, ShippedServerAnswersWithTheCallersAddress) {
    webserver_testing::WebServerProcess server;
    ASSERT_TRUE(server.running()) << server.error();
    EXPECT_EQ(fetchFrom(server.baseUrl()), "127.0.0.1");
    EXPECT_FALSE(leftovers());
}

// An address is kept whole, line end included; anything else is no address.
TEST_F(LiveFetch, PageBodiesAreKeptWhole) {
    struct Case {
        const char* body;
        const char* shown;
    } cases[] = {{"203.0.113.9\r\n", "203.0.113.9\r\n"},
                 {"203.0.113.9\n", "203.0.113.9\n"},
                 {" 2001:db8::9 ", " 2001:db8::9 "},
                 {"", "Cannot Acquire"},
                 {"  198.51.100.4 ~ more", "Cannot Acquire"}};
    for (const auto& c : cases) {
        http_stubs::StubServer server;
        server.page("/ip.shtml", c.body);
        ASSERT_GT(server.port(), 0);
        EXPECT_EQ(fetchFrom(server.url()), c.shown);
        EXPECT_FALSE(leftovers()) << c.body;
    }
}

TEST_F(LiveFetch, ServerDownGivesCannotAcquireAndTheStatusFollows) {
    std::string base;
    {
        webserver_testing::WebServerProcess server;
        ASSERT_TRUE(server.running()) << server.error();
        base = server.baseUrl();
        EXPECT_EQ(fetchFrom(base), "127.0.0.1");
    }
    // The same address with the server stopped, through F6 and the timer tick.
    Monitor m{form, p, base, {}};
    wireMonitor(m);
    form.delay.setText("1");
    form.mnupublic.click();
    EXPECT_EQ(form.Label14.caption(), "Checking Internet Connection ...");
    form.Timer1.tick();
    EXPECT_EQ(form.Text2.text(), "Cannot Acquire");
    EXPECT_EQ(form.Label14.caption(), "No Internet Connection");
    EXPECT_EQ(form.List2.items().back(), "Public IP      Cannot Acquire");
    EXPECT_FALSE(leftovers());
}

}  // namespace
}  // namespace addrpeek
