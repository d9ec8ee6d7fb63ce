// Hostile answers from a server on 127.0.0.1 against every fetch of both
// programs (Get Public IP with its echo fallback, the update check, the
// address monitor), through libcurl and real files with the download's own
// bounds: a 1 GiB page, a page that never ends, a page at the size limit
// and a trickle. Each
// ends as the designed failure or shows at most 2,000 characters, leaves no
// file behind, and the process stays small.
#include <gtest/gtest.h>

#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <filesystem>

#include "HttpStubs.h"
#include "addrpeek/Monitor.h"
#include "fakes/FakePlatform.h"
#include "forms/MainForm.h"
#include "internet/InternetWiring.h"
#include "internet/server/testing/WebServerProcess.h"
#include "reports/ReportCommands.h"
#include "platform/linux/CurlDownload.h"
#include "platform/linux/LinuxFiles.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr std::size_t kGiB = std::size_t{1} << 30;
constexpr long kMemoryLimitKb = 100 * 1024;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

class HostileDownload : public ::testing::Test {
protected:
    void SetUp() override {
        temp = fs::path(testing::TempDir()) / ("hostile-download-" + std::to_string(getpid()));
        fs::remove_all(temp);
        fs::create_directories(temp / "cfgscope");
        form.workingFolder = temp.string() + "\\cfgscope\\";
        fake.env.vars["TEMP"] = temp.string();
    }
    void TearDown() override { fs::remove_all(temp); }

    // Nothing stays in TEMP but the (empty) working folder.
    bool nothingLeft() const {
        return fs::is_empty(temp / "cfgscope") &&
               std::distance(fs::directory_iterator(temp), fs::directory_iterator()) == 1;
    }

    fs::path temp;
    app::MainForm form;
    addrpeek::MonitorForm monitorForm;
    fakes::FakePlatform fake;
    platform::linux_backend::LinuxFiles files;
    platform::linux_backend::CurlDownload download;  // the programs' own bounds
    platform::Platform p{files, fake.processes, fake.env, fake.session, fake.clipboard,
                         fake.dialogs, fake.system, download, fake.shell};
};

TEST_F(HostileDownload, OversizedAndEndlessAnswersEndAsTheDesignedFailure) {
    // Without the download's limit the programs read the whole 1 GiB page
    // into memory (some 20 GB for these five fetches): a regression fails at
    // once here instead of taking the machine's memory.
    const rlimit cap{std::size_t{2} << 30, std::size_t{2} << 30};
    ASSERT_EQ(setrlimit(RLIMIT_AS, &cap), 0);
    const std::string unableToUpdate = "Unable to connect to Server at this Time.\nTry again later.";
    struct Answer {
        const char* name;
        std::size_t bytes;  // 0: never ends
    } answers[] = {{"1 GiB", kGiB}, {"never-ending", 0}};
    for (const auto& a : answers) {
        SCOPED_TRACE(a.name);
        http_stubs::StubServer stub;
        for (const char* path : {"/lanomatstd.shtml", "/echo/", "/lanomatpstdupdater1.htm", "/ip.shtml"})
            stub.huge(path, a.bytes);
        stub.huge("/late/lanomatpstdwhatsnew.htm", a.bytes);
        stub.page("/late/lanomatpstdupdater1.htm", "1.04.0~");
        fake.env.vars["CFGSCOPE_PRODUCT_SERVER"] = stub.url();
        fake.env.vars["CFGSCOPE_ECHO_SERVICE"] = stub.url("/echo/");
        internet::wireInternet(form, p);
        fake.dialogs.messages.clear();
        fake.dialogs.questions.clear();
        form.errorlog.clear();

        auto start = Clock::now();
        form.Command6.click();  // the product server, then the echo service
        EXPECT_EQ(form.Text1.text(), "Unable to Connect/err2");
        EXPECT_EQ(form.Label14.caption(), " Internet Connection Status: None");

        form.updates.click();
        ASSERT_EQ(fake.dialogs.messages.size(), 1u);
        EXPECT_EQ(fake.dialogs.messages[0].text, unableToUpdate);

        // A version file that arrives, with a what's-new page that does not.
        fake.env.vars["CFGSCOPE_PRODUCT_SERVER"] = stub.url("/late");
        internet::wireInternet(form, p);
        form.updates.click();
        ASSERT_EQ(fake.dialogs.questions.size(), 1u);
        EXPECT_EQ(fake.dialogs.questions[0].text.find("What's NEW"), std::string::npos);

        addrpeek::Monitor m{monitorForm, p, stub.url(), {}};
        EXPECT_EQ(addrpeek::fetchPublicAddress(m), "Cannot Acquire");
        const double took = secondsSince(start);
        RecordProperty(std::string("seconds_for_five_fetches_") + (a.bytes ? "1GiB" : "endless"), std::to_string(took));
        std::printf("%s: five failed fetches in %.3f s\n", a.name, took);

        // Socket buffers take a few MiB each before a client stops reading.
        EXPECT_LT(stub.sent(), std::size_t{64} << 20) << "the fetches read on far beyond the limit";
        EXPECT_TRUE(nothingLeft());
    }
    const long peak = webserver_testing::peakResidentKiB();
    EXPECT_LT(peak, kMemoryLimitKb);
    RecordProperty("peak_resident_kb", std::to_string(peak));
    std::printf("peak resident size %ld KiB\n", peak);
}

TEST_F(HostileDownload, NoWindowShowsMoreThan2000CharactersOfAPage) {
    const std::string page(platform::kMaxPageBytes, 'x');  // at the limit: fetched whole
    http_stubs::StubServer stub;
    stub.page("/lanomatstd.shtml", page);
    stub.page("/lanomatpstdupdater1.htm", "1.04.0~" + page.substr(7));
    stub.page("/lanomatpstdwhatsnew.htm", page);
    stub.page("/ip.shtml", page);
    stub.page("/echo/", "Current IP Address: " + page.substr(30) + "<");
    fake.env.vars["CFGSCOPE_PRODUCT_SERVER"] = stub.url();
    fake.env.vars["CFGSCOPE_ECHO_SERVICE"] = stub.url("/echo/");
    internet::wireInternet(form, p);

    form.Command6.click();  // no address in either page
    EXPECT_EQ(form.Text1.text(), "Unable to Connect/err2");
    for (const auto& entry : form.errorlog.items()) EXPECT_LE(entry.size(), 2100u);
    form.updates.click();  // a newer version
    ASSERT_EQ(fake.dialogs.questions.size(), 1u);
    EXPECT_LE(fake.dialogs.questions[0].text.size(), 4400u) << "version and what's new, 2,000 each";

    addrpeek::Monitor m{monitorForm, p, stub.url(), {}};
    EXPECT_EQ(addrpeek::fetchPublicAddress(m), "Cannot Acquire");

    stub.page("/ip.shtml", page + "x");  // one byte over: not fetched at all
    EXPECT_EQ(addrpeek::fetchPublicAddress(m), "Cannot Acquire");
    EXPECT_TRUE(nothingLeft());
}

// The echo service is plain HTTP: whatever stands between the marker and
// "<" was the public address, and went on into the e-mail as it stood,
// adding recipients and attachments. So did a DHCP-supplied suffix holding
// "&", and a "%0A" forged adapter lines. Only an address is taken, and the
// mail body is encoded: the one "&" of the address handed to the mail
// program is the one before "body=".
TEST_F(HostileDownload, ForgedAddressesAndValuesNeverExtendTheMail) {
    const std::string forged = "6.6.6.6&bcc=attacker@evil.test&attach=/etc/passwd";
    http_stubs::StubServer stub;
    stub.page("/lanomatstd.shtml", forged + "~");
    stub.page("/echo/", "<html><body>Current IP Address: " + forged + "</body></html>");
    stub.page("/ip.shtml", forged);
    stub.page("/v6/lanomatstd.shtml", "2001:db8::7~");
    stub.page("/v6/ip.shtml", "2001:db8::7");
    fake.env.vars["CFGSCOPE_PRODUCT_SERVER"] = stub.url();
    fake.env.vars["CFGSCOPE_ECHO_SERVICE"] = stub.url("/echo/");
    internet::wireInternet(form, p);
    reports::wireReports(form, p);
    form.domain.setText("corp&cc=x@evil.test");
    form.adapters.add("1) Local Area Connection");
    form.adapterTable[1][0] = "1) Local Area Connection";
    form.adapterTable[1][1] = "Name:             lan%0A2) Forged%0AIP Address:       169.254.6.6#?";

    form.Command6.click();
    EXPECT_EQ(form.Text1.text(), "Unable to Connect/err2");
    form.mnucopyemail.click();
    ASSERT_EQ(fake.shell.opened.size(), 1u);
    const std::string& mail = fake.shell.opened[0];
    EXPECT_EQ(mail.find('&', mail.find("body=")), std::string::npos) << mail;
    EXPECT_EQ(mail.find_first_of("#?\r\n", mail.find("body=")), std::string::npos) << mail;
    EXPECT_EQ(mail.find("%0A2) Forged"), std::string::npos) << mail;

    addrpeek::Monitor m{monitorForm, p, stub.url(), {}};
    EXPECT_EQ(addrpeek::fetchPublicAddress(m), "Cannot Acquire");
    // Addresses themselves still count, IPv6 too.
    fake.env.vars["CFGSCOPE_PRODUCT_SERVER"] = stub.url("/v6");
    internet::wireInternet(form, p);
    form.Command6.click();
    EXPECT_EQ(form.Text1.text(), "2001:db8::7");
    addrpeek::Monitor v6{monitorForm, p, stub.url("/v6"), {}};
    EXPECT_EQ(addrpeek::fetchPublicAddress(v6), "2001:db8::7");
    EXPECT_TRUE(nothingLeft());
}

TEST_F(HostileDownload, TrickleEndsAtTheTimeLimit) {
    http_stubs::StubServer stub;
    // 2 KiB a second: under the size limit for longer than a whole fetch may take.
    stub.huge("/trickle", 0, 500);
    int waits = 0;
    download.whileWaiting = [&] { ++waits; };
    auto start = Clock::now();
    EXPECT_FALSE(download.toFile(stub.url("/trickle"), (temp / "page.txt").string()));
    const double took = secondsSince(start);
    EXPECT_LT(took, platform::kFetchTimeoutSeconds + 4.0) << "room for a loaded machine";
    EXPECT_GT(waits, 10) << "the window is let paint while the fetch waits";
    RecordProperty("trickle_seconds", std::to_string(took));
    std::printf("a trickling answer failed after %.1f s\n", took);
    EXPECT_TRUE(nothingLeft());
}

TEST(DownloadBounds, RedirectsAndShownText) {
    struct Case {
        const char* from;
        const char* to;
        bool allowed;
    } cases[] = {{"http://a/", "http://b/", true},         {"http://a/", "HTTPS://b/", true},
                 {"https://a/", "https://b/", true},       {"HTTPS://a/", "http://b/", false},
                 {"http://a/", "file:///etc/passwd", false}, {"http://a/", "ftp://b/", false}};
    for (const auto& c : cases) EXPECT_EQ(platform::redirectAllowed(c.from, c.to), c.allowed) << c.from << c.to;

    EXPECT_EQ(platform::shownText("short"), "short");
    EXPECT_EQ(platform::shownText(std::string(2001, 'a')), std::string(2000, 'a'));
    // Characters, not bytes: two-byte letters are kept whole.
    std::string umlauts;
    for (int i = 0; i < 2001; ++i) umlauts += "\xC3\xA4";
    EXPECT_EQ(platform::shownText(umlauts), umlauts.substr(0, 4000));
}

}  // namespace
