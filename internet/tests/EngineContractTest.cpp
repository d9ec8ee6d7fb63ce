// One contract for every engine that serves the product resources: our
// vorlan-webserver, and nginx and Apache httpd with the shipped
// configurations, each started on 127.0.0.1 with the same options. Over each
// run the programs' own fetches: Get Public IP and Check for Updates of the
// main window, and the address monitor's public address.
#include <gtest/gtest.h>
#include <httplib.h>

#include <algorithm>
#include <filesystem>

#include "HttpStubs.h"
#include "addrpeek/Monitor.h"
#include "fakes/FakePlatform.h"
#include "forms/MainForm.h"
#include "internet/InternetWiring.h"
#include "internet/server/testing/EngineProcess.h"
#include "platform/linux/CurlDownload.h"
#include "platform/linux/LinuxFiles.h"

namespace {

namespace fs = std::filesystem;
using webserver_testing::EngineProcess;

const std::vector<std::string> kOptions{"--newest-version", "1.04.0", "--whats-new", "Faster~Smaller"};

class EngineContract : public ::testing::TestWithParam<std::string> {
protected:
    static httplib::Result send(const EngineProcess& engine, const std::string& method, const std::string& path,
                                const httplib::Headers& headers = {}) {
        httplib::Client client("127.0.0.1", engine.port());
        client.set_connection_timeout(5);
        client.set_read_timeout(5);
        if (method == "HEAD") return client.Head(path.c_str(), headers);
        if (method == "POST") return client.Post(path.c_str(), headers, "x=1", "application/x-www-form-urlencoded");
        return client.Get(path.c_str(), headers);
    }
};

TEST_P(EngineContract, ServesTheResources) {
    EngineProcess engine(GetParam(), kOptions);
    ASSERT_TRUE(engine.running()) << engine.error();
    const std::string text = "text/plain", html = "text/html";
    struct Case {
        const char* method;
        const char* path;
        httplib::Headers headers;
        int status;
        const char* body;      // nullptr: not compared whole
        const char* contains;  // nullptr: nothing looked for
        std::string type;      // how Content-Type begins; empty: not compared
        bool noStore;          // Cache-Control: no-store
    } cases[] = {
        {"GET", "/ip.shtml", {}, 200, "127.0.0.1", nullptr, text, true},
        {"GET", "/lanomatstd.shtml", {}, 200, "127.0.0.1~", nullptr, text, true},
        {"GET", "/lanomatpstdupdater1.htm", {}, 200, "1.04.0~", nullptr, text, true},
        {"GET", "/lanomatpstdwhatsnew.htm", {}, 200, "Faster~Smaller", nullptr, text, true},
        {"HEAD", "/ip.shtml", {}, 200, "", nullptr, text, true},
        // No proxy named: a client's X-Forwarded-For is not believed.
        {"GET", "/ip.shtml", {{"X-Forwarded-For", "198.51.100.4"}}, 200, "127.0.0.1", nullptr, text, true},
        {"GET", "/", {}, 200, nullptr, "<title>Vorlan</title>", html, false},
        {"GET", "/cfgscope.shtml", {}, 200, nullptr, "Lanomat Std", html, false},
        {"GET", "/lanomatpro.shtml", {}, 200, nullptr, "Lanomat PRO", html, false},
        {"GET", "/software.shtml", {}, 200, nullptr, "Software", html, false},
        {"GET", "/remote.shtml", {}, 200, nullptr, "Support", html, false},
        {"GET", "/donation.shtml", {}, 200, nullptr, "Donations", html, false},
        {"GET", "/routers.shtml", {}, 200, nullptr, "Router help", html, false},
        {"GET", "/oemeditor_vista.shtml", {}, 200, nullptr, "OEM", html, false},
        {"GET", "/nothing.html", {}, 404, nullptr, nullptr, "", false},
        {"GET", "/Vorlankit-setup.exe", {}, 404, nullptr, nullptr, "", false},
        {"POST", "/ip.shtml", {}, 405, nullptr, nullptr, "", false},
        {"POST", "/cfgscope.shtml", {}, 405, nullptr, nullptr, "", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.method) + " " + c.path);
        auto res = send(engine, c.method, c.path, c.headers);
        ASSERT_TRUE(res);
        EXPECT_EQ(res->status, c.status);
        if (c.body) {
            EXPECT_EQ(res->body, c.body);
        }
        if (c.contains) {
            EXPECT_NE(res->body.find(c.contains), std::string::npos) << res->body;
        }
        if (!c.type.empty()) {
            EXPECT_EQ(res->get_header_value("Content-Type").rfind(c.type, 0), 0u);
        }
        if (c.noStore) {
            EXPECT_EQ(res->get_header_value("Cache-Control"), "no-store");
        }
    }
}

TEST_P(EngineContract, CallerFromXForwardedForOnlyBehindNamedProxies) {
    std::vector<std::string> options = kOptions;
    options.insert(options.end(), {"--trust-proxy", "127.0.0.1", "--trust-proxy", "10.0.0.0/8"});
    EngineProcess engine(GetParam(), options);
    ASSERT_TRUE(engine.running()) << engine.error();
    struct Case {
        const char* forwarded;  // nullptr: no header
        const char* caller;
    } cases[] = {
        {nullptr, "127.0.0.1"},
        {"198.51.100.4", "198.51.100.4"},
        // Read from the end, past the named proxies: what a client put in front is not believed.
        {"203.0.113.9, 198.51.100.4", "198.51.100.4"},
        {"198.51.100.4, 10.1.2.3", "198.51.100.4"},
        {"198.51.100.4, 127.0.0.1", "198.51.100.4"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.forwarded ? c.forwarded : "(none)");
        httplib::Headers headers;
        if (c.forwarded) headers.emplace("X-Forwarded-For", c.forwarded);
        for (const char* path : {"/ip.shtml", "/lanomatstd.shtml"}) {
            auto res = send(engine, "GET", path, headers);
            ASSERT_TRUE(res);
            EXPECT_EQ(res->body, std::string(c.caller) + (std::string(path) == "/ip.shtml" ? "" : "~"));
        }
    }
}

// The programs over real HTTP, libcurl and files, against each engine.
TEST_P(EngineContract, TheProgramsGetTheAddressAndTheUpdate) {
    EngineProcess engine(GetParam(), kOptions);
    ASSERT_TRUE(engine.running()) << engine.error();
    fs::path temp = fs::path(testing::TempDir()) / ("contract-" + GetParam() + "-" + std::to_string(getpid()));
    fs::remove_all(temp);
    fs::create_directories(temp / "cfgscope");

    fakes::FakePlatform fake;
    platform::linux_backend::LinuxFiles files;
    platform::linux_backend::CurlDownload download{2, 3};
    platform::Platform p{files, fake.processes, fake.env, fake.session, fake.clipboard,
                         fake.dialogs, fake.system, download, fake.shell};
    fake.env.vars["TEMP"] = temp.string();
    fake.env.vars["CFGSCOPE_PRODUCT_SERVER"] = engine.baseUrl();
    fake.env.vars["CFGSCOPE_ECHO_SERVICE"] = http_stubs::closedPortUrl() + "/";

    // Get Public IP, and the quiet update check after it, which finds 1.04.0.
    app::MainForm form;
    form.workingFolder = temp.string() + "\\cfgscope\\";
    internet::wireInternet(form, p);
    form.Command6.click();
    EXPECT_EQ(form.Text1.text(), "127.0.0.1");
    EXPECT_EQ(form.Label14.caption(), " Internet: Connected ... Public IP Address: 127.0.0.1");

    // Check for Updates, by hand: the version and what's new in it.
    fake.dialogs.questions.clear();
    form.updates.click();
    ASSERT_EQ(fake.dialogs.questions.size(), 1u);
    const std::string& question = fake.dialogs.questions[0].text;
    EXPECT_NE(question.find("An UPDATED version (1.04.0) is available!"), std::string::npos) << question;
    EXPECT_NE(question.find("What's NEW in version 1.04.0?\n\nFaster\nSmaller\n"), std::string::npos) << question;
    EXPECT_TRUE(fs::is_empty(temp / "cfgscope"));

    // The address monitor's public address: the page whole.
    addrpeek::MonitorForm monitorForm;
    addrpeek::Monitor monitor{monitorForm, p, engine.baseUrl(), {}};
    addrpeek::wireMonitor(monitor);
    EXPECT_EQ(addrpeek::fetchPublicAddress(monitor), "127.0.0.1");
    fs::remove_all(temp);
}

INSTANTIATE_TEST_SUITE_P(Engines, EngineContract, ::testing::Values("vorlan-webserver", "nginx", "apache2"),
                         [](const auto& info) {
                             std::string name = info.param;
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

}  // namespace
