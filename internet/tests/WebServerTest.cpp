// The shipped product web server, started as a real program on 127.0.0.1.
#include <gtest/gtest.h>
#include <httplib.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "internet/server/testing/WebServerProcess.h"

namespace {

using webserver_testing::WebServerProcess;

httplib::Result get(const WebServerProcess& server, const std::string& path) {
    httplib::Client client("127.0.0.1", server.port());
    client.set_connection_timeout(5);
    client.set_read_timeout(5);
    return client.Get(path.c_str());
}

// The resources and pages themselves are the engines' contract
// (EngineContractTest); here what is the server's own: its not-found page
// and its request log.
TEST(WebServer, NotFoundPageAndTheRequestLog) {
    WebServerProcess server;
    ASSERT_TRUE(server.running()) << server.error();
    struct Case {
        const char* path;
        int status;
        const char* body;  // nullptr: only the status and a part of the page
        const char* contains;
    } cases[] = {
        {"/ip.shtml", 200, "127.0.0.1", nullptr},
        {"/Vorlankit-setup.exe", 404, nullptr, "Not found"},
        {"/nothing.html", 404, nullptr, "Not found"},
        {"/../../etc/passwd", 404, nullptr, "Not found"},
    };
    for (const auto& c : cases) {
        auto res = get(server, c.path);
        ASSERT_TRUE(res) << c.path;
        EXPECT_EQ(res->status, c.status) << c.path;
        if (c.body) {
            EXPECT_EQ(res->body, c.body) << c.path;
        }
        if (c.contains) {
            EXPECT_NE(res->body.find(c.contains), std::string::npos) << c.path << ": " << res->body;
        }
    }
    EXPECT_EQ(server.stop(), 0);  // SIGTERM ends it cleanly
    std::string log = server.output();
    EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 1 + static_cast<long>(std::size(cases)) + 1)
        << "first line, one line a request, last line:\n" << log;
    EXPECT_NE(log.find("127.0.0.1 \"GET /ip.shtml\" 200 9"), std::string::npos) << log;
    EXPECT_NE(log.find("vorlan-webserver stopped"), std::string::npos) << log;
}

TEST(WebServer, DefaultTextsAndASiteFolderOfItsOwn) {
    std::string site = testing::TempDir() + "webserver-site";
    std::filesystem::create_directories(site);
    std::ofstream(site + "/index.html") << "own index";
    std::ofstream(site + "/Vorlankit-setup.exe") << "MZ";

    WebServerProcess server({"--site", site});
    ASSERT_TRUE(server.running()) << server.error();
    struct Case {
        const char* path;
        int status;
        const char* body;
    } cases[] = {
        {"/lanomatpstdupdater1.htm", 200, "1.03.0~"},
        {"/lanomatpstdwhatsnew.htm", 200, ""},
        {"/", 200, "own index"},
        {"/Vorlankit-setup.exe", 200, "MZ"},
    };
    for (const auto& c : cases) {
        auto res = get(server, c.path);
        ASSERT_TRUE(res) << c.path;
        EXPECT_EQ(res->status, c.status) << c.path;
        EXPECT_EQ(res->body, c.body) << c.path;
    }
    std::filesystem::remove_all(site);
}

TEST(WebServer, RefusesABusyPortAndABadCommandLine) {
    WebServerProcess first;
    ASSERT_TRUE(first.running()) << first.error();

    WebServerProcess second({"--port", std::to_string(first.port())});  // the later --port wins
    EXPECT_FALSE(second.running());
    EXPECT_EQ(second.stop(), 1);

    WebServerProcess bad({"--port", "http"});
    EXPECT_FALSE(bad.running());
    EXPECT_EQ(bad.stop(), 2);
}

}  // namespace
