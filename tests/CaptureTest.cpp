#include <gtest/gtest.h>

#include <algorithm>

#include "FormFixture.h"
#include "ReportBuilder.h"

using namespace testing_support;

namespace {

const std::vector<std::string> kReport{"", "Windows IP Configuration", "", xp("Host Name", "pc"), "",
                                       "Ethernet adapter Local Area Connection:", "", xp("Description", "nic"),
                                       "   "};

struct CaptureFixture : FormFixture {
    std::string data = folder + "data.txt";
    std::string getdata = folder + "getdata.bat";

    CaptureFixture() {
        form.os.setCaption("xp");
        // The report tool writes the report when its script is started.
        fake.processes.onStart = [this](const std::string& cmd) {
            if (cmd == getdata) fake.files.files[data] = kReport;
        };
    }
    int sleepsOf(int ms) const { return static_cast<int>(std::count(fake.session.sleeps.begin(), fake.session.sleeps.end(), ms)); }
};

}  // namespace

TEST(Capture, RefreshStartsTheScriptAndLoadsTheReport) {
    CaptureFixture f;
    f.form.captureStarted = "no";
    f.fake.files.files[f.data] = {"stale report"};
    EXPECT_EQ(capture::refresh(f.form, f.p), capture::CaptureOutcome::Completed);
    ASSERT_EQ(f.fake.processes.started.size(), 1u);
    EXPECT_EQ(f.fake.processes.started[0].first, f.getdata);
    EXPECT_EQ(f.fake.processes.started[0].second, platform::WindowStyle::Hidden);
    // The old report was removed before the script started.
    EXPECT_EQ(f.fake.files.deleted, std::vector<std::string>{f.data});
    EXPECT_EQ(f.form.captureStarted, "no");
    EXPECT_EQ(f.form.host.text(), "PC");
    EXPECT_EQ(f.form.adapters.items(), std::vector<std::string>{"1) Ethernet adapter Local Area Connection"});
    EXPECT_EQ(f.form.List1.items(), std::vector<std::string>{"Name:             nic"});
    EXPECT_TRUE(f.form.List1.visible());
    EXPECT_TRUE(f.form.shown);
    EXPECT_EQ(f.form.errorlog.items(),
              (std::vector<std::string>{"12:34:56 Refreshing ...", "12:34:56 No errors found"}));
    EXPECT_EQ(f.fake.dialogs.waitCursor, (std::vector<bool>{true, false}));
    EXPECT_EQ(f.fake.dialogs.repaints, 1);
    EXPECT_EQ(f.sleepsOf(250), 0);  // only the newer family pauses
    EXPECT_FALSE(f.fake.session.ended);
}

TEST(Capture, FirstCaptureAfterStartUpOnlyWaits) {
    CaptureFixture f;
    f.form.captureStarted = "yes";
    f.fake.files.files[f.data] = kReport;  // start-up's report, already complete
    capture::refresh(f.form, f.p);
    EXPECT_TRUE(f.fake.processes.started.empty());
    EXPECT_TRUE(f.fake.files.deleted.empty());  // never delete the report start-up is writing
    EXPECT_EQ(f.form.captureStarted, "no");
    EXPECT_EQ(f.form.adapters.count(), 1);
}

TEST(Capture, ReportListHoldsTheNonEmptyLinesAfterTheWaitingLine) {
    auto list = capture::reportListFrom(kReport);
    EXPECT_EQ(list.front(), "Please Wait ...");
    EXPECT_EQ(list.size(), 6u);
    EXPECT_EQ(list.back(), "   ");  // blank-only lines are kept
}

TEST(Capture, CompletenessLooksAtTheFirstThreeLines) {
    struct Case {
        std::vector<std::string> lines;
        bool complete;
    } cases[] = {
        {{"Windows IP Configuration"}, true},
        {{"", "Windows IP Configuration"}, true},
        {{"", "", "Windows"}, true},
        {{"", "", "", "Windows IP Configuration"}, false},
        {{" Windows"}, false},
        {{}, false},
        // The title in the languages whose title does not begin with "Windows".
        {{"", "Configuration IP de Windows"}, true},
        {{"", "Настройка протокола IP для Windows"}, true},
        {{"Configuración IP de Windows"}, true},
        {{"Konfiguracja IP systemu Windows"}, true},
        {{"", "Windows IP 構成"}, true},
        // A title the vocabulary lacks still names Windows and IP.
        {{"", "Configurația IP Windows"}, true},
        {{"", "Configuration IP"}, false},
        {{"Ethernet adapter Windows:"}, false},
        {{" Configuration IP de Windows"}, false},
    };
    for (const auto& c : cases) EXPECT_EQ(capture::reportComplete(c.lines), c.complete);
}

TEST(Capture, NewerFamilyPausesOnceBeforeThePoll) {
    CaptureFixture f;
    f.form.os.setCaption("vista");
    capture::refresh(f.form, f.p);
    EXPECT_EQ(f.sleepsOf(250), 1);
    EXPECT_EQ(f.fake.session.sleeps.front(), 250);  // the report was there at once: no poll pause first
}

TEST(Capture, PollWaitsWhileTheReportIsBeingWritten) {
    CaptureFixture f;
    f.fake.processes.onStart = [&](const std::string&) { f.fake.files.files[f.data] = {}; };
    int polls = 0;
    f.fake.files.beforeRead = [&](const std::string& path) {
        if (path == f.data && ++polls == 5) f.fake.files.files[f.data] = kReport;
    };
    EXPECT_EQ(capture::refresh(f.form, f.p), capture::CaptureOutcome::Completed);
    EXPECT_EQ(f.form.pollCounter, 4);
    EXPECT_EQ(f.sleepsOf(capture::kPollPauseMs), 4);
    EXPECT_EQ(f.form.adapters.count(), 1);
}

TEST(Capture, ReportThatNeverCompletesTimesOut) {
    CaptureFixture f;
    f.fake.files.folders.insert("/tmp\\cfgscope");
    f.fake.files.files[f.getdata] = {"ipconfig /all"};
    f.fake.processes.onStart = [&](const std::string&) {
        f.fake.files.files[f.data] = {"", "", "", "Windows IP Configuration"};
    };
    EXPECT_EQ(capture::refresh(f.form, f.p), capture::CaptureOutcome::TimedOut);
    EXPECT_EQ(f.form.pollCounter, 1001);
    ASSERT_EQ(f.fake.dialogs.messages.size(), 1u);
    EXPECT_EQ(f.fake.dialogs.messages[0].text, "Timeout error");
    EXPECT_EQ(f.fake.dialogs.messages[0].title, "cfgscope");
    EXPECT_TRUE(f.fake.session.ended);
    // The program ends past the window's clean-up: the working folder goes first.
    EXPECT_TRUE(f.fake.files.files.empty());
    EXPECT_TRUE(f.fake.files.folders.empty());
}

TEST(Capture, MissingReportIsBoundedByTheSameLimit) {
    CaptureFixture f;
    f.fake.processes.succeed = false;
    f.fake.processes.onStart = nullptr;
    EXPECT_EQ(capture::refresh(f.form, f.p), capture::CaptureOutcome::TimedOut);
    EXPECT_EQ(f.form.pollCounter, 1001);
    EXPECT_EQ(f.fake.dialogs.messages.at(0).text, "Timeout error");
}
