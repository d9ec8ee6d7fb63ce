#include <gtest/gtest.h>

#include "StartupFixture.h"
#include "sysinfo/HostFacts.h"

namespace {

using app_tests::StartupFixture;
using platform::WindowStyle;

const std::string kHyphens = "@echo ---------------------------------------------------------";

TEST(Startup, WritesTheFixedScriptsByteForByte) {
    StartupFixture t;
    ASSERT_EQ(app::startProgram(t.form, t.p), app::StartOutcome::Running);
    EXPECT_TRUE(t.files.folders.count(t.folder));
    EXPECT_EQ(t.form.workingFolder, t.wf);
    const std::map<std::string, std::vector<std::string>> expected{
        {"getdata.bat", {"ipconfig /all > \"C:\\Temp\\cfgscope\\data.txt\""}},
        {"releaseall.bat", {"ipconfig /release"}},
        {"renewall.bat", {"ipconfig /renew"}},
        {"displaydns.bat",
         {"@echo off", kHyphens, "@echo Display the contents of the DNS Resolver Cache", kHyphens,
          "ipconfig /displaydns", kHyphens, "@pause"}},
        {"purgedns.bat", {"ipconfig /flushdns"}},
    };
    for (const auto& [name, lines] : expected) EXPECT_EQ(t.files.files[t.wf + name], lines) << name;
    // The fake writes lines; the platform adds CR LF. The script texts carry no line ends of their own.
    for (const auto& [name, lines] : expected)
        for (const auto& line : lines) EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << name;
}

TEST(Startup, LoadStepRunsInOrderAndEndsWithTheFirstCapture) {
    StartupFixture t;
    // What the window holds at the moment the report tool is started (load step 16).
    std::string userAtStart, wdirAtStart, memoryAtStart, domainAtStart;
    bool displayDnsWritten = true;
    t.fake.processes.onStart = [&](const std::string& command) {
        userAtStart = t.form.user.text();
        wdirAtStart = t.form.wdir.text();
        memoryAtStart = t.form.Text2.text();
        domainAtStart = t.form.domain.text();
        displayDnsWritten = t.files.fileExists(t.wf + "displaydns.bat");
        if (command == t.wf + "getdata.bat") t.files.files[t.wf + "data.txt"] = t.report;
    };
    ASSERT_EQ(app::startProgram(t.form, t.p), app::StartOutcome::Running);

    EXPECT_EQ(userAtStart, "alice");
    EXPECT_EQ(wdirAtStart, "C:\\WINDOWS");
    EXPECT_EQ(memoryAtStart, "");
    EXPECT_FALSE(displayDnsWritten);
    EXPECT_EQ(domainAtStart, "") << "the LAN group reaches its box only after the first capture";

    // getdata.bat is started once, hidden: the first capture waits for that run.
    ASSERT_EQ(t.fake.processes.started.size(), 1u);
    EXPECT_EQ(t.fake.processes.started[0].first, t.wf + "getdata.bat");
    EXPECT_EQ(t.fake.processes.started[0].second, WindowStyle::Hidden);

    EXPECT_EQ(t.form.domain.text(), "HOMENET");
    EXPECT_EQ(t.form.Label4.caption(), "Workgroup");
    EXPECT_EQ(t.form.Label7.caption(), "Microsoft Windows XP Professional");
    EXPECT_EQ(t.form.Text2.text(), sysinfo::memoryText(t.p).value());
    EXPECT_EQ(t.form.caption, "VORLAN Lanomat Std");
    EXPECT_EQ(t.form.targetHost, app::kDefaultTargetHost);
    EXPECT_EQ(t.form.captureStarted, "no");
    EXPECT_TRUE(t.form.shown);
    EXPECT_EQ(t.form.host.text(), "OFFICE-PC");
    ASSERT_EQ(t.form.adapters.count(), 1);
    EXPECT_EQ(t.form.adapters.selected(), 0);
    EXPECT_FALSE(t.form.List1.items().empty());
    EXPECT_EQ(t.form.List2.items(), std::vector<std::string>{"192.168.1.100"});
    EXPECT_TRUE(t.fake.dialogs.messages.empty());
}

TEST(Startup, LanGroupLookupFailureLeavesDomainEmpty) {
    StartupFixture t;
    t.fake.system.workstation.reset();
    ASSERT_EQ(app::startProgram(t.form, t.p), app::StartOutcome::Running);
    EXPECT_EQ(t.form.domain.text(), "");
}

TEST(Startup, StaleReportIsRemovedBeforeTheReportToolStarts) {
    StartupFixture t;
    // A run that timed out left its folder, an old report and old scripts behind.
    t.files.folders.insert(t.folder);
    auto stale = t.report;
    for (auto& line : stale)
        if (line.find("Host Name") != std::string::npos) line = "        Host Name . . . . . . . . . . . . : old-pc";
    t.files.files[t.wf + "data.txt"] = stale;
    t.files.files[t.wf + "renewall.bat"] = {"planted"};
    bool staleAtStart = true;
    t.fake.processes.onStart = [&](const std::string&) {
        staleAtStart = t.files.fileExists(t.wf + "data.txt");
        t.files.files[t.wf + "data.txt"] = t.report;
    };
    ASSERT_EQ(app::startProgram(t.form, t.p), app::StartOutcome::Running);
    EXPECT_FALSE(staleAtStart);
    EXPECT_EQ(t.form.host.text(), "OFFICE-PC");
    EXPECT_EQ(t.files.files[t.wf + "renewall.bat"], std::vector<std::string>{"ipconfig /renew"});
}

TEST(Startup, WindowsFolderDecidesFirewallAndUsersItems) {
    struct Case {
        std::string windir;
        bool enabled;
    };
    for (const Case& c : std::vector<Case>{{"C:\\WINDOWS", true},
                                           {"C:\\WINNT", false},
                                           {"D:\\Windows", true},
                                           {"C:\\Windows\\", false},
                                           {"", true},
                                           {"C:", true}}) {
        EXPECT_EQ(app::windowsFolderKeepsAdminItems(c.windir), c.enabled) << c.windir;
        StartupFixture t;
        t.fake.env.vars["windir"] = c.windir;
        ASSERT_EQ(app::startProgram(t.form, t.p), app::StartOutcome::Running);
        EXPECT_EQ(t.form.mnufirewall.enabled(), c.enabled) << c.windir;
        EXPECT_EQ(t.form.mnuusers.enabled(), c.enabled) << c.windir;
        EXPECT_EQ(t.form.wdir.text(), c.windir);
        // No Windows folder, no "Windows Dir" row.
        EXPECT_EQ(t.form.wdir.visible(), !c.windir.empty()) << c.windir;
        EXPECT_EQ(t.form.Label6.visible(), !c.windir.empty()) << c.windir;
    }
}

TEST(Startup, FamilyMarkerAndManufacturerFileSetTheControlPanelItems) {
    struct Case {
        std::optional<platform::VersionRecord> record;  // the Windows version record, if any
        std::optional<std::string> marker;              // marker of a platform without one
        bool oemFile;
        bool rebootVisible, oemVisible, oemEnabled;
    };
    const platform::VersionRecord vista{6, 0, 6000, 2, "", 1};
    const platform::VersionRecord xp{5, 1, 2600, 2, "Service Pack 2", 1};
    for (const Case& c : std::vector<Case>{{std::nullopt, std::nullopt, true, true, true, true},
                                           {std::nullopt, std::nullopt, false, true, true, false},
                                           {vista, std::nullopt, true, false, false, true},
                                           {xp, std::nullopt, false, true, true, false},
                                           // Linux: "vista" only names the report layout.
                                           {std::nullopt, std::string("vista"), true, true, true, true},
                                           {std::nullopt, std::string("xp"), false, true, true, false}}) {
        StartupFixture t;
        t.fake.system.extended = c.record;
        t.fake.system.markerWithoutRecord = c.marker;
        if (c.oemFile) t.files.files["C:\\WINDOWS\\system32\\oeminfo.ini"] = {"[general]"};
        ASSERT_EQ(app::startProgram(t.form, t.p), app::StartOutcome::Running);
        EXPECT_EQ(t.form.mnureboot.visible(), c.rebootVisible);
        EXPECT_EQ(t.form.mnuoem.visible(), c.oemVisible);
        EXPECT_EQ(t.form.mnuoem.enabled(), c.oemEnabled);
    }
}

TEST(Startup, SecondCopyShowsTheMessageAndTouchesNothing) {
    StartupFixture t;
    t.fake.session.other = true;
    const app::StartOutcome outcome = app::startProgram(t.form, t.p);
    EXPECT_EQ(outcome, app::StartOutcome::AlreadyRunning);
    // It ends as the address monitor's second copy does, in every binding.
    EXPECT_EQ(app::exitStatus(outcome), 0);
    EXPECT_EQ(app::exitStatus(app::StartOutcome::Stopped), 1);
    ASSERT_EQ(t.fake.dialogs.messages.size(), 1u);
    EXPECT_EQ(t.fake.dialogs.messages[0].text, "Vorlan Lanomat is already running.");
    EXPECT_EQ(t.fake.dialogs.messages[0].title, "cfgscope");
    EXPECT_TRUE(t.files.folders.empty());
    EXPECT_TRUE(t.files.files.empty());
    EXPECT_TRUE(t.fake.processes.started.empty());
    EXPECT_FALSE(t.form.shown);
}

TEST(Startup, UnusableWorkingFolderStopsWithAClearMessage) {
    struct Case {
        const char* what;
        std::function<void(StartupFixture&)> arrange;
        std::string expectedPart;
    };
    const std::vector<Case> cases{
        {"no TEMP", [](StartupFixture& t) { t.fake.env.vars.erase("TEMP"); }, "no temporary folder"},
        {"cannot create", [](StartupFixture& t) { t.files.uncreatable.insert(t.folder); }, "cannot be created"},
        {"someone else's", [](StartupFixture& t) {
             t.files.folders.insert(t.folder);
             t.files.foreign.insert(t.folder);
         }, "not a private folder"},
        {"getdata.bat unwritable", [](StartupFixture& t) { t.files.unwritable.insert(t.wf + "getdata.bat"); },
         "C:\\Temp\\cfgscope\\getdata.bat\ncannot be written"},
        {"purgedns.bat unwritable", [](StartupFixture& t) { t.files.unwritable.insert(t.wf + "purgedns.bat"); },
         "C:\\Temp\\cfgscope\\purgedns.bat\ncannot be written"},
    };
    for (const Case& c : cases) {
        StartupFixture t;
        c.arrange(t);
        EXPECT_EQ(app::startProgram(t.form, t.p), app::StartOutcome::Stopped) << c.what;
        ASSERT_EQ(t.fake.dialogs.messages.size(), 1u) << c.what;
        EXPECT_NE(t.fake.dialogs.messages[0].text.find(c.expectedPart), std::string::npos)
            << c.what << ": " << t.fake.dialogs.messages[0].text;
        EXPECT_EQ(t.fake.dialogs.messages[0].title, "cfgscope");
        EXPECT_FALSE(t.form.shown) << c.what;
        // Nothing is run from a folder that is not the user's own.
        if (std::string(c.what) == "someone else's") {
            EXPECT_TRUE(t.fake.processes.started.empty());
            EXPECT_TRUE(t.files.files.empty());
        }
    }
}

TEST(Startup, ScriptWriteFailureCleansUpTheFolder) {
    StartupFixture t;
    t.files.unwritable.insert(t.wf + "displaydns.bat");
    EXPECT_EQ(app::startProgram(t.form, t.p), app::StartOutcome::Stopped);
    EXPECT_FALSE(t.files.folders.count(t.folder));
    EXPECT_FALSE(t.files.fileExists(t.wf + "getdata.bat"));
}

TEST(Startup, FirstCaptureTimeOutRemovesTheFolderAndEndsTheProgram) {
    StartupFixture t;
    t.fake.processes.onStart = nullptr;  // the report tool never writes
    EXPECT_EQ(app::startProgram(t.form, t.p), app::StartOutcome::Stopped);
    ASSERT_FALSE(t.fake.dialogs.messages.empty());
    EXPECT_EQ(t.fake.dialogs.messages.back().text, "Timeout error");
    EXPECT_TRUE(t.fake.session.ended.has_value());
    EXPECT_FALSE(t.files.folders.count(t.folder));
    EXPECT_FALSE(t.files.fileExists(t.wf + "getdata.bat"));
}

TEST(Shutdown, EmptiesAndRemovesTheWorkingFolderOnce) {
    StartupFixture t;
    ASSERT_EQ(app::startProgram(t.form, t.p), app::StartOutcome::Running);
    t.files.files["C:\\Temp\\other.txt"] = {"not ours"};
    app::shutDown(t.form, t.p);
    for (const auto& [path, lines] : t.files.files) EXPECT_NE(path.rfind(t.wf, 0), 0u) << path;
    EXPECT_FALSE(t.files.folders.count(t.folder));
    EXPECT_TRUE(t.files.fileExists("C:\\Temp\\other.txt"));
    // A second close (the window's close after the Close button) finds nothing to do.
    t.files.folders.insert(t.folder);
    app::shutDown(t.form, t.p);
    EXPECT_TRUE(t.files.folders.count(t.folder));
}

TEST(Shutdown, CloseButtonClosesTheWindowOrShutsDownItself) {
    {
        StartupFixture t;
        int closes = 0;
        app::wireMainForm(t.form, t.p, {[&] { ++closes; }});
        ASSERT_EQ(app::startProgram(t.form, t.p), app::StartOutcome::Running);
        t.form.Command5.click();
        EXPECT_EQ(closes, 1);
        EXPECT_TRUE(t.files.folders.count(t.folder)) << "the window's close runs the shutdown";
    }
    {
        StartupFixture t;
        ASSERT_EQ(app::startProgram(t.form, t.p), app::StartOutcome::Running);
        t.form.Command5.click();
        EXPECT_FALSE(t.files.folders.count(t.folder));
        EXPECT_EQ(t.fake.session.ended, 0);
    }
}

}  // namespace
