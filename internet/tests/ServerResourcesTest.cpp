#include <gtest/gtest.h>

#include "internet/server/ServerOptions.h"
#include "internet/server/ServerResources.h"

namespace {

using webserver::fetchedResource;
using webserver::ServerTexts;

TEST(ServerResources, FetchedResourcesCarryTheBodiesTheProgramsReadBack) {
    ServerTexts texts{"1.04.0", "Faster~Smaller"};
    struct Case {
        const char* path;
        const char* body;
    } cases[] = {
        {"/lanomatstd.shtml", "192.0.2.7~"},
        {"/ip.shtml", "192.0.2.7"},
        {"/lanomatpstdupdater1.htm", "1.04.0~"},
        {"/lanomatpstdwhatsnew.htm", "Faster~Smaller"},
    };
    for (const auto& c : cases) {
        auto reply = fetchedResource(c.path, "192.0.2.7", texts);
        ASSERT_TRUE(reply) << c.path;
        EXPECT_EQ(reply->status, 200) << c.path;
        EXPECT_EQ(reply->body, c.body) << c.path;
        EXPECT_EQ(reply->contentType.rfind("text/plain", 0), 0u) << c.path;
    }
    for (const char* other : {"/", "/cfgscope.shtml", "/IP.shtml", "/ip.shtml/", "/lanomatstd.shtml.bak"})
        EXPECT_FALSE(fetchedResource(other, "192.0.2.7", texts)) << other;
}

TEST(ServerResources, SiteFileNamesNeverLeaveTheSiteFolder) {
    struct Case {
        const char* path;
        const char* file;  // nullptr: not served from the site folder
    } cases[] = {
        {"/", "index.html"},
        {"/cfgscope.shtml", "cfgscope.shtml"},
        {"/Vorlankit-setup.exe", "Vorlankit-setup.exe"},
        {"/oemeditor_vista.shtml", "oemeditor_vista.shtml"},
        {"/../etc/passwd", nullptr},
        {"/..", nullptr},
        {"/.hidden", nullptr},
        {"/sub/page.html", nullptr},
        {"/a%2fb", nullptr},
        {"//", nullptr},
        {"", nullptr},
        {"page.html", nullptr},
        {"/page\\..\\x", nullptr},
    };
    for (const auto& c : cases) {
        auto name = webserver::siteFileName(c.path);
        if (c.file) {
            ASSERT_TRUE(name) << c.path;
            EXPECT_EQ(*name, c.file);
        } else {
            EXPECT_FALSE(name) << c.path << " -> " << name.value_or("");
        }
    }
}

TEST(ServerResources, NotFoundPageShowsThePathEscaped) {
    std::string page = webserver::notFoundPage("/<script>alert('x')&\"");
    EXPECT_NE(page.find("/&lt;script&gt;alert(&#39;x&#39;)&amp;&quot;."), std::string::npos) << page;
    EXPECT_EQ(page.find("<script>"), std::string::npos);
}

TEST(ServerResources, ContentTypesAndCallerAddress) {
    EXPECT_EQ(webserver::contentTypeFor("A.SHTML"), "text/html; charset=utf-8");
    EXPECT_EQ(webserver::contentTypeFor("index.html"), "text/html; charset=utf-8");
    EXPECT_EQ(webserver::contentTypeFor("notes.txt"), "text/plain; charset=utf-8");
    EXPECT_EQ(webserver::contentTypeFor("Vorlankit-setup.exe"), "application/vnd.microsoft.portable-executable");
    EXPECT_EQ(webserver::contentTypeFor("data"), "application/octet-stream");

    struct Case {
        const char* forwarded;
        bool trust;
        const char* caller;
    } cases[] = {
        {"", false, "10.0.0.1"},
        {"198.51.100.4", false, "10.0.0.1"},
        {"198.51.100.4", true, "198.51.100.4"},
        {" 198.51.100.4 , 10.0.0.9", true, "198.51.100.4"},
        {"", true, "10.0.0.1"},
        {" , 10.0.0.9", true, "10.0.0.1"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(webserver::callerAddress("10.0.0.1", c.forwarded, c.trust), c.caller) << c.forwarded;
}

TEST(ServerOptions, CommandLines) {
    struct Case {
        std::vector<std::string> args;
        const char* error;  // nullptr: accepted
    } cases[] = {
        {{}, nullptr},
        {{"--port", "0"}, nullptr},
        {{"--port", "65535", "--bind", "0.0.0.0"}, nullptr},
        {{"--port", "65536"}, "--port needs a number from 0 to 65535, not \"65536\""},
        {{"--port", "80x"}, "--port needs a number from 0 to 65535, not \"80x\""},
        {{"--port", "-1"}, "--port needs a number from 0 to 65535, not \"-1\""},
        {{"--port"}, "--port needs a value"},
        {{"--bind", ""}, "--bind needs an address"},
        {{"--site", ""}, "--site needs a folder"},
        {{"--verbose"}, "unknown option: --verbose"},
    };
    for (const auto& c : cases) {
        auto parsed = webserver::parseServerOptions(c.args);
        if (c.error) {
            ASSERT_TRUE(std::holds_alternative<std::string>(parsed));
            EXPECT_EQ(std::get<std::string>(parsed), c.error);
        } else {
            EXPECT_TRUE(std::holds_alternative<webserver::ServerOptions>(parsed)) << std::get<std::string>(parsed);
        }
    }

    auto defaults = std::get<webserver::ServerOptions>(webserver::parseServerOptions({}));
    EXPECT_EQ(defaults.bind, "127.0.0.1");
    EXPECT_EQ(defaults.port, 8080);
    EXPECT_EQ(defaults.texts.newestVersion, "1.03.0");
    EXPECT_EQ(defaults.texts.whatsNew, "");
    EXPECT_FALSE(defaults.trustProxy);

    auto set = std::get<webserver::ServerOptions>(webserver::parseServerOptions(
        {"--newest-version", "1.04.0", "--whats-new", "a~b", "--site", "/srv/site", "--trust-proxy", "-h"}));
    EXPECT_EQ(set.texts.newestVersion, "1.04.0");
    EXPECT_EQ(set.texts.whatsNew, "a~b");
    EXPECT_EQ(set.site, "/srv/site");
    EXPECT_TRUE(set.trustProxy);
    EXPECT_TRUE(set.help);
}

}  // namespace
