// Get Public IP, Check for Updates and Upgrade, driven through the wired
// controls of the main window, over real HTTP on 127.0.0.1: the shipped
// product web server, in-process stand-ins for the echo service, real files
// and libcurl; dialogs, shell and the rest are the in-memory fakes.
#include <gtest/gtest.h>

#include <filesystem>

#include "HttpStubs.h"
#include "forms/MainForm.h"
#include "fakes/FakePlatform.h"
#include "internet/InternetWiring.h"
#include "internet/server/testing/WebServerProcess.h"
#include "platform/linux/CurlDownload.h"
#include "platform/linux/LinuxFiles.h"

namespace {

namespace fs = std::filesystem;
using webserver_testing::WebServerProcess;

const ui::Color kGreen{0, 192, 0}, kRed{255, 0, 0};
const char* const kConnected = " Internet: Connected ... Public IP Address: ";
const char* const kNone = " Internet Connection Status: None";

class InternetOverHttp : public ::testing::Test {
protected:
    void SetUp() override {
        temp = fs::path(testing::TempDir()) / ("internet-" + std::to_string(getpid()));
        fs::remove_all(temp);
        fs::create_directories(temp / "cfgscope");
        form.workingFolder = temp.string() + "\\cfgscope\\";
        fake.env.vars["TEMP"] = temp.string();
        form.Command5.onClick = [this] { ++closes; };
    }
    void TearDown() override { fs::remove_all(temp); }

    // Points the window at its two services and wires it, as start-up does.
    void wire(const std::string& productServer, const std::string& echoService) {
        fake.env.vars["CFGSCOPE_PRODUCT_SERVER"] = productServer;
        fake.env.vars["CFGSCOPE_ECHO_SERVICE"] = echoService;
        internet::wireInternet(form, p);
    }

    std::vector<std::string> log() const {
        std::vector<std::string> entries;
        for (const auto& e : form.errorlog.items()) entries.push_back(e.substr(fake.session.time.size()));
        return entries;
    }
    bool logHas(const std::string& message) const {
        auto l = log();
        return std::find(l.begin(), l.end(), message) != l.end();
    }
    // Every downloaded file is deleted once read: the working folder stays
    // empty and TEMP holds only the working folder.
    void expectNoDownloadsLeft() const {
        EXPECT_TRUE(fs::is_empty(temp / "cfgscope"));
        EXPECT_EQ(std::distance(fs::directory_iterator(temp), fs::directory_iterator()), 1);
    }

    fs::path temp;
    app::MainForm form;
    fakes::FakePlatform fake;
    platform::linux_backend::LinuxFiles files;
    platform::linux_backend::CurlDownload download{2, 3};
    platform::Platform p{files, fake.processes, fake.env, fake.session, fake.clipboard,
                         fake.dialogs, fake.system, download, fake.shell};
    int closes = 0;
};

TEST_F(InternetOverHttp, PublicAddressFromTheServerOrTheEchoService) {
    WebServerProcess shipped;
    ASSERT_TRUE(shipped.running()) << shipped.error();
    http_stubs::StubServer stub;
    http_stubs::SilentListener silent;
    const std::string down = http_stubs::closedPortUrl();
    const std::string echoPage = "<html><head><title>Current IP Check</title></head><body>";
    stub.page("/lanomatpstdupdater1.htm", "1.03.0~");
    stub.page("/bare/lanomatstd.shtml", "192.0.2.7");
    stub.page("/bare/lanomatpstdupdater1.htm", "1.03.0~");
    stub.page("/empty/lanomatstd.shtml", "");
    stub.page("/empty/lanomatpstdupdater1.htm", "1.03.0~");
    stub.page("/gone/lanomatstd.shtml", "192.0.2.99", 404);
    stub.page("/echo/", echoPage + "Current IP Address: 192.0.2.7</body></html>\r\n");
    stub.page("/nomarker/", echoPage + "Your address is 192.0.2.7</body></html>");
    stub.page("/lowercase/", echoPage + "current ip address: 192.0.2.7</body></html>");
    stub.page("/notag/", "Current IP Address: 192.0.2.7");

    struct Case {
        const char* name;
        std::string server, echo;
        std::string text1;  // what Text1 holds afterwards
        bool connected;
    } cases[] = {
        {"shipped server: address then ~", shipped.baseUrl(), down, "127.0.0.1", true},
        {"no ~: from Vorlan appended", stub.url("/bare"), down, "192.0.2.7from Vorlan", true},
        {"empty body: no address, on to the echo page", stub.url("/empty"), stub.url("/echo/"), " 192.0.2.7", true},
        {"server down: echo page, leading blank kept", down, stub.url("/echo/"), " 192.0.2.7", true},
        {"server answers 404: echo page", stub.url("/gone"), stub.url("/echo/"), " 192.0.2.7", true},
        {"echo page without the marker", down, stub.url("/nomarker/"), "Unable to Connect/err1", false},
        {"marker only in other letter case", down, stub.url("/lowercase/"), "Unable to Connect/err1", false},
        {"marker without a closing tag", down, stub.url("/notag/"), "Unable to Connect/err1", false},
        {"neither reachable", down, down + "/", "Unable to Connect/err2", false},
        {"hung server: the time-out ends the wait", silent.url(), down + "/", "Unable to Connect/err2", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        form.errorlog.clear();
        fake.dialogs.messages.clear();
        fake.dialogs.waitCursor.clear();
        fake.dialogs.repaints = 0;
        std::vector<std::string> texts;
        wire(c.server, c.echo);
        auto follow = form.Text1.onChange;
        form.Text1.onChange = [&] {
            texts.push_back(form.Text1.text());
            follow();
        };

        form.Command6.click();

        EXPECT_EQ(form.Text1.text(), c.text1);
        EXPECT_EQ(texts.front(), "Acquiring ...");
        if (c.connected) {
            EXPECT_EQ(form.Label14.caption(), kConnected + c.text1);
            EXPECT_EQ(form.Label14.background, kGreen);
            EXPECT_EQ(log()[1], " Public IP address: " + c.text1);
            // The first success runs the quiet check: the latest version says
            // nothing; a product server that is down still gets its box.
            EXPECT_TRUE(logHas(" Checking for updates ..."));
            if (logHas(" This is the latest version")) {
                EXPECT_TRUE(fake.dialogs.messages.empty());
            } else {
                EXPECT_TRUE(logHas(" Unable to connect to update server."));
                EXPECT_EQ(fake.dialogs.messages.size(), 1u);
            }
        } else {
            EXPECT_EQ(form.Label14.caption(), kNone);
            EXPECT_EQ(form.Label14.background, kRed);
            EXPECT_EQ(log(), (std::vector<std::string>{" Getting Public IP address ...", " Error getting Public IP address"}));
        }
        EXPECT_EQ(log()[0], " Getting Public IP address ...");
        // The lookup's wait pointer, and the quiet check's inside it after a success.
        EXPECT_EQ(fake.dialogs.waitCursor,
                  (c.connected ? std::vector<bool>{true, false, true, false} : std::vector<bool>{true, false}));
        EXPECT_EQ(fake.dialogs.repaints, 1);
        EXPECT_TRUE(fake.dialogs.questions.empty());
        expectNoDownloadsLeft();
    }
}

TEST_F(InternetOverHttp, TheShippedServerCutsItsPageAtTheTilde) {
    WebServerProcess shipped;
    ASSERT_TRUE(shipped.running()) << shipped.error();
    wire(shipped.baseUrl() + "/", "http://127.0.0.1:1/");  // a "/" at the end of the base is dropped
    std::vector<std::string> texts;
    form.Text1.onChange = [&, follow = form.Text1.onChange] {
        texts.push_back(form.Text1.text());
        follow();
    };
    form.mnuwaninfo.click();
    // The whole result first, then its part before "~": the appended text goes too.
    EXPECT_EQ(texts, (std::vector<std::string>{"Acquiring ...", "127.0.0.1~from Vorlan", "127.0.0.1"}));
    EXPECT_EQ(form.Label14.caption(), std::string(kConnected) + "127.0.0.1");
    EXPECT_EQ(fake.dialogs.waitCursor, (std::vector<bool>{true, false, true, false}));
    // The request log is complete once the server has stopped.
    EXPECT_EQ(shipped.stop(), 0);
    EXPECT_NE(shipped.output().find("\"GET /lanomatstd.shtml\" 200"), std::string::npos) << shipped.output();
}

struct UpdateCase {
    const char* name;
    std::vector<std::string> serverArgs;  // empty first entry: the server is down
    std::vector<bool> answers;
    std::vector<std::string> log;
    std::vector<std::string> messages;  // title, text, title, text ...
    std::string question;               // empty: none asked
    std::vector<std::string> opened;
    int closes;
};

void PrintTo(const UpdateCase& c, std::ostream* os) { *os << c.name; }

class UpdateCheckOverHttp : public InternetOverHttp, public ::testing::WithParamInterface<UpdateCase> {};

const std::string kDashes(72, '-');
const std::string kNote =
    "(Note: This version will close before installing a newer version)\n\nWould you like to download now?";

TEST_P(UpdateCheckOverHttp, ManualCheck) {
    const UpdateCase& c = GetParam();
    std::unique_ptr<WebServerProcess> server;
    std::string base = http_stubs::closedPortUrl();
    if (c.serverArgs.empty() || !c.serverArgs[0].empty()) {
        server = std::make_unique<WebServerProcess>(c.serverArgs);
        ASSERT_TRUE(server->running()) << server->error();
        base = server->baseUrl();
    }
    wire(base, http_stubs::closedPortUrl() + "/");
    fake.dialogs.yesAnswers = c.answers;

    form.updates.click();

    EXPECT_EQ(log(), c.log);
    std::vector<std::string> messages;
    for (const auto& m : fake.dialogs.messages) {
        messages.push_back(m.title);
        messages.push_back(m.text);
    }
    EXPECT_EQ(messages, c.messages);
    if (c.question.empty()) {
        EXPECT_TRUE(fake.dialogs.questions.empty());
    } else {
        ASSERT_EQ(fake.dialogs.questions.size(), 1u);
        EXPECT_EQ(fake.dialogs.questions[0].title, "Lanomat Std Updater");
        EXPECT_EQ(fake.dialogs.questions[0].text, c.question);
    }
    std::vector<std::string> opened;
    for (const auto& o : fake.shell.opened) opened.push_back(o.substr(base.size()));
    EXPECT_EQ(opened, c.opened);
    EXPECT_EQ(closes, c.closes);
    EXPECT_EQ(fake.dialogs.waitCursor, (std::vector<bool>{true, false}));
    expectNoDownloadsLeft();
}

INSTANTIATE_TEST_SUITE_P(
    Outcomes, UpdateCheckOverHttp,
    ::testing::Values(
        UpdateCase{"latest",
                   {},
                   {},
                   {" Checking for updates ...", " This is the latest version"},
                   {"Lanomat Std Updater", "Lanomat Std Version 1.3.0\nThis is the latest Version."},
                   "",
                   {},
                   0},
        UpdateCase{"older on the server",
                   {"--newest-version", "1.02.9"},
                   {},
                   {" Checking for updates ...", " This is the latest version"},
                   {"Lanomat Std Updater", "Lanomat Std Version 1.3.0\nThis is the latest Version."},
                   "",
                   {},
                   0},
        UpdateCase{"newer with what's new, No",
                   {"--newest-version", "1.04.0", "--whats-new", "Faster~Smaller"},
                   {false},
                   {" Checking for updates ...", " Update found."},
                   {},
                   "This is version 1.3.0\nAn UPDATED version (1.04.0) is available!\n\n" + kDashes +
                       "\nWhat's NEW in version 1.04.0?\n\nFaster\nSmaller\n" + kDashes + "\n\n" + kNote,
                   {},
                   0},
        UpdateCase{"newer without what's new, Yes",
                   {"--newest-version", "1.04.0"},
                   {true},
                   {" Checking for updates ...", " Update found."},
                   {"cfgscope", "This program will close now."},
                   "This is version 1.3.0\nAn UPDATED version (1.04.0) is available!\n\n\n" + kNote,
                   {"/Vorlankit-setup.exe"},
                   1},
        UpdateCase{"a version with a line break",
                   {"--newest-version", "1.04.0\n"},
                   {false},
                   {" Checking for updates ...", " Update found."},
                   {},
                   "This is version 1.3.0\nAn UPDATED version (1.04.0\n) is available!\n\n\n" + kNote,
                   {},
                   0},
        UpdateCase{"connection failure",
                   {""},
                   {},
                   {" Checking for updates ...", " Unable to connect to update server."},
                   {"cfgscope", "Unable to connect to Server at this Time.\nTry again later."},
                   "",
                   {},
                   0}),
    [](const auto& info) {
        std::string name;
        for (char ch : std::string(info.param.name))
            name += std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
        return name;
    });

TEST_F(InternetOverHttp, WhatsNewThatCannotBeFetchedIsEmpty) {
    http_stubs::StubServer stub;
    stub.page("/lanomatpstdupdater1.htm", "1.04.0~anything");
    form.whatsnew.setCaption("from an earlier check");
    wire(stub.url(), http_stubs::closedPortUrl() + "/");
    form.updates.click();
    ASSERT_EQ(fake.dialogs.questions.size(), 1u);
    EXPECT_EQ(fake.dialogs.questions[0].text,
              "This is version 1.3.0\nAn UPDATED version (1.04.0) is available!\n\n\n" + kNote);
    EXPECT_EQ(form.whatsnew.caption(), "");
    expectNoDownloadsLeft();
}

TEST_F(InternetOverHttp, QuietCheckAfterTheFirstSuccessfulLookup) {
    struct Case {
        const char* name;
        std::vector<std::string> serverArgs;
        std::size_t messages, questions;
    } cases[] = {
        {"latest: silent", {}, 0, 0},
        {"update: asks as usual", {"--newest-version", "1.04.0"}, 0, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WebServerProcess server(c.serverArgs);
        ASSERT_TRUE(server.running()) << server.error();
        fake.dialogs.messages.clear();
        fake.dialogs.questions.clear();
        form.errorlog.clear();
        wire(server.baseUrl(), http_stubs::closedPortUrl() + "/");
        form.Label14.doubleClick();
        EXPECT_EQ(form.Text1.text(), "127.0.0.1");
        EXPECT_TRUE(logHas(" Checking for updates ..."));
        EXPECT_EQ(fake.dialogs.messages.size(), c.messages);
        EXPECT_EQ(fake.dialogs.questions.size(), c.questions);
    }
}

TEST_F(InternetOverHttp, QuietCheckStillSpeaksWhenTheVersionFileFails) {
    http_stubs::StubServer stub;
    stub.page("/lanomatstd.shtml", "192.0.2.7~");  // the address, but no version file
    wire(stub.url(), http_stubs::closedPortUrl() + "/");
    form.Command6.click();
    ASSERT_EQ(fake.dialogs.messages.size(), 1u);
    EXPECT_EQ(fake.dialogs.messages[0].text, "Unable to connect to Server at this Time.\nTry again later.");
    EXPECT_EQ(fake.dialogs.messages[0].title, "cfgscope");
}

TEST_F(InternetOverHttp, TheUpdateCheckMarkAcrossLookups) {
    http_stubs::StubServer stub;  // its address page switched on and off between clicks
    stub.page("/lanomatpstdupdater1.htm", "1.03.0~");
    struct Step {
        const char* action;  // "fail": no address anywhere; "ok": the server answers; "manual": Check for Updates
        long checksAfter;
        std::size_t messagesAfter;
    };
    struct Case {
        const char* name;
        std::vector<Step> steps;
    } cases[] = {
        {"the first success checks once", {{"ok", 1, 0}, {"ok", 1, 0}, {"ok", 1, 0}}},
        {"failures leave the mark, the next success checks", {{"fail", 0, 0}, {"fail", 0, 0}, {"ok", 1, 0}, {"ok", 1, 0}}},
        {"a manual check reporting the latest version comes first", {{"manual", 1, 1}, {"ok", 1, 1}}},
        {"a manual check after the quiet one still speaks", {{"ok", 1, 0}, {"manual", 2, 1}, {"ok", 2, 1}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        app::MainForm run;  // each case is a new run of the program
        run.workingFolder = form.workingFolder;
        fake.dialogs.messages.clear();
        fake.env.vars["CFGSCOPE_PRODUCT_SERVER"] = stub.url();
        fake.env.vars["CFGSCOPE_ECHO_SERVICE"] = http_stubs::closedPortUrl() + "/";
        internet::wireInternet(run, p);
        for (const auto& step : c.steps) {
            SCOPED_TRACE(step.action);
            const std::string action = step.action;
            if (action == "manual") {
                run.updates.click();
            } else {
                if (action == "ok") stub.page("/lanomatstd.shtml", "192.0.2.7~");
                else stub.page("/lanomatstd.shtml", "", 404);
                run.Command6.click();
                EXPECT_EQ(run.Text1.text(), action == "ok" ? "192.0.2.7" : "Unable to Connect/err2");
            }
            long checks = 0;
            for (const auto& e : run.errorlog.items())
                if (e.substr(fake.session.time.size()) == " Checking for updates ...") ++checks;
            EXPECT_EQ(checks, step.checksAfter);
            EXPECT_EQ(fake.dialogs.messages.size(), step.messagesAfter);
        }
    }
}

TEST_F(InternetOverHttp, UpgradeOpensTheProfessionalEditionsPage) {
    wire("http://127.0.0.1:9/", "http://127.0.0.1:9/");
    form.upgrade.click();
    EXPECT_EQ(fake.shell.opened, (std::vector<std::string>{"http://127.0.0.1:9/lanomatpro.shtml"}));
    EXPECT_TRUE(fake.dialogs.messages.empty());
    EXPECT_TRUE(form.errorlog.items().empty());
}

}  // namespace
