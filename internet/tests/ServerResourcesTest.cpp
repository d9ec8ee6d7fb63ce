#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "internet/server/RequestLog.h"
#include "internet/server/ResourceFiles.h"
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

TEST(ServerResources, ContentTypes) {
    EXPECT_EQ(webserver::contentTypeFor("A.SHTML"), "text/html; charset=utf-8");
    EXPECT_EQ(webserver::contentTypeFor("index.html"), "text/html; charset=utf-8");
    EXPECT_EQ(webserver::contentTypeFor("notes.txt"), "text/plain; charset=utf-8");
    EXPECT_EQ(webserver::contentTypeFor("Vorlankit-setup.exe"), "application/vnd.microsoft.portable-executable");
    EXPECT_EQ(webserver::contentTypeFor("data"), "application/octet-stream");
}

TEST(ServerResources, LoggedTextCannotBreakTheLine) {
    struct Case {
        std::string in, out;
    } cases[] = {
        {"/ip.shtml", "/ip.shtml"},
        {"/a\n2026-12-07 00:00:00 forged", "/a\\x0a2026-12-07 00:00:00 forged"},
        {"/a\r\x1b[2J\x7f", "/a\\x0d\\x1b[2J\\x7f"},
        {std::string("/a\0b", 4), "/a\\x00b"},
        {"/\"quoted\" \\", "/\\x22quoted\\x22 \\x5c"},
        {"/caf\xc3\xa9\xc2\x9b", "/caf\\xc3\\xa9\\xc2\\x9b"},
    };
    for (const auto& c : cases) EXPECT_EQ(webserver::escapedForLog(c.in), c.out);
}

TEST(ServerResources, CallerAddressFromTrustedProxiesOnly) {
    webserver::TrustedProxies none, loopback, networks;
    ASSERT_TRUE(loopback.add("127.0.0.1"));
    ASSERT_TRUE(networks.add("10.0.0.0/8"));
    ASSERT_TRUE(networks.add("2001:db8::/32"));
    struct Case {
        const char* peer;
        const char* forwarded;
        const webserver::TrustedProxies& trusted;
        const char* caller;
    } cases[] = {
        {"127.0.0.1", "198.51.100.4", none, "127.0.0.1"},  // nobody named: the header is a client's claim
        {"192.0.2.1", "198.51.100.4", loopback, "192.0.2.1"},  // not from the proxy
        {"127.0.0.1", "198.51.100.4", loopback, "198.51.100.4"},
        {"127.0.0.1", "", loopback, "127.0.0.1"},
        {"127.0.0.1", " , ", loopback, "127.0.0.1"},
        // Read from the end: what the client wrote in front is not believed.
        {"127.0.0.1", "203.0.113.9, 198.51.100.4", loopback, "198.51.100.4"},
        {"127.0.0.1", "198.51.100.4, 127.0.0.1", loopback, "198.51.100.4"},
        {"10.1.2.3", "198.51.100.4,10.9.9.9", networks, "198.51.100.4"},
        {"10.1.2.3", "10.200.0.1", networks, "10.200.0.1"},  // every hop trusted: the first
        {"10.1.2.3", "198.51.100.4, junk\r\nX: y", networks, "10.1.2.3"},  // not an address: the hop that sent it
        {"10.1.2.3", "junk, 198.51.100.4", networks, "198.51.100.4"},
        {"11.0.0.1", "198.51.100.4", networks, "11.0.0.1"},
        {"2001:db8::7", "2001:db9::1", networks, "2001:db9::1"},
        {"2001:db9::7", "198.51.100.4", networks, "2001:db9::7"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(webserver::callerAddress(c.peer, c.forwarded, c.trusted), c.caller) << c.peer << " " << c.forwarded;

    webserver::TrustedProxies bad;
    for (const char* text : {"", "10.0.0.0/33", "10.0.0.0/", "10.0.0.0/8x", "::/129", "example.org", "10.0.0.1/-1",
                             "::ffff:127.0.0.1/8", "::ffff:10.0.0.0/95"})
        EXPECT_FALSE(bad.add(text)) << text;
    EXPECT_TRUE(bad.empty());
}

TEST(ServerResources, FilesForOtherEnginesFromTheSameOptions) {
    namespace fs = std::filesystem;
    fs::path dir = fs::path(testing::TempDir()) / ("resources-" + std::to_string(getpid()));
    fs::remove_all(dir);
    auto options = std::get<webserver::ServerOptions>(webserver::parseServerOptions(
        {"--newest-version", "1.04.0", "--whats-new", "a~b", "--trust-proxy", "10.0.0.0/8", "--trust-proxy", "::1"}));
    std::vector<std::string> written;
    ASSERT_EQ(webserver::writeResourceFiles(dir.string(), "/srv/site", options, &written), "");
    ASSERT_EQ(written.size(), 6u);
    for (const auto& file : written) EXPECT_TRUE(std::filesystem::is_regular_file(file)) << file;
    auto read = [&](const char* name) {
        std::ifstream in(dir / name);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    };
    EXPECT_EQ(read("lanomatpstdupdater1.htm"), "1.04.0~");
    EXPECT_EQ(read("lanomatpstdwhatsnew.htm"), "a~b");
    EXPECT_EQ(read("ip.shtml"), "<!--#echo var=\"REMOTE_ADDR\" -->");
    EXPECT_EQ(read("lanomatstd.shtml"), "<!--#echo var=\"REMOTE_ADDR\" -->~");
    EXPECT_NE(read("nginx.conf").find("root \"/srv/site\";\nset $vorlan_resources \"" + dir.string() +
                                      "\";\nset_real_ip_from 10.0.0.0/8;\nset_real_ip_from ::1;\n"),
              std::string::npos)
        << read("nginx.conf");
    EXPECT_NE(read("apache2.conf").find("RemoteIPHeader X-Forwarded-For\nRemoteIPInternalProxy 10.0.0.0/8\n"
                                        "RemoteIPInternalProxy ::1\n"),
              std::string::npos)
        << read("apache2.conf");
    // No proxy named: Apache must not read the header at all.
    ASSERT_EQ(webserver::writeResourceFiles(dir.string(), "/srv/site", {}), "");
    EXPECT_EQ(read("apache2.conf").find("RemoteIP"), std::string::npos);
    EXPECT_EQ(read("nginx.conf").find("set_real_ip_from"), std::string::npos);
    // A path that would break out of the quotes of a configuration line.
    for (const char* site : {"/srv/a\";\nroot /", "/srv/${x}", "/srv/a\\b"})
        EXPECT_NE(webserver::writeResourceFiles(dir.string(), site, {}), "") << site;
    fs::remove_all(dir);
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
        {{"--trust-proxy"}, "--trust-proxy needs a value"},
        {{"--trust-proxy", "proxy.example"},
         "--trust-proxy needs an address or ADDRESS/BITS (a mapped ::ffff:a.b.c.d/BITS with BITS of 96 or more), "
         "not \"proxy.example\""},
        {{"--request-timeout", "0"}, "--request-timeout needs seconds from 1 to 3600, not \"0\""},
        {{"--workers", "65"}, "--workers needs a number from 1 to 64, not \"65\""},
        {{"--write-resources", ""}, "--write-resources needs a folder"},
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
    EXPECT_TRUE(defaults.trustedProxies.empty());
    EXPECT_EQ(defaults.requestTimeout, 10);

    auto set = std::get<webserver::ServerOptions>(webserver::parseServerOptions(
        {"--newest-version", "1.04.0", "--whats-new", "a~b", "--site", "/srv/site", "--trust-proxy", "10.0.0.0/8",
         "--trust-proxy", "::1", "-h", "--version"}));
    EXPECT_EQ(set.texts.newestVersion, "1.04.0");
    EXPECT_EQ(set.texts.whatsNew, "a~b");
    EXPECT_EQ(set.site, "/srv/site");
    EXPECT_EQ(set.trustedProxies.texts(), (std::vector<std::string>{"10.0.0.0/8", "::1"}));
    EXPECT_TRUE(set.help);
    EXPECT_TRUE(set.version);
}

}  // namespace
