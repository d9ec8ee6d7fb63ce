#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include "ToolsFixture.h"

namespace {

using tools_tests::ToolsFixture;
using Style = platform::WindowStyle;
using Lines = std::vector<std::string>;

const std::string kHyphens = "@echo ---------------------------------------------------------";

struct HostCase {
    const char* item;
    std::function<void(app::MainForm&)> click;
    std::string prompt, script;
    Style style;
    std::string titleLine, commandWord;
};

std::vector<HostCase> hostCases() {
    return {
        {"ping", [](app::MainForm& f) { f.ping.click(); },
         "---Ping---\r\n\r\nEnter Domain or IP Address:\r\n(Do NOT enter http://)", "pingother.bat", Style::Normal,
         "@echo Ping ", "ping "},
        {"mnutracert", [](app::MainForm& f) { f.mnutracert.click(); },
         "Trace Route\r\n\r\nEnter Domain name or IP address:\r\n(Do NOT enter http://)", "vorlantracert.bat",
         Style::Maximized, "@echo Trace Route for: ", "tracert "},
        {"nslookup", [](app::MainForm& f) { f.nslookup.click(); },
         "Name Server Lookup\r\n\r\nEnter Domain name or IP address:\r\n(Do NOT enter http://)",
         "vorlannslookup.bat", Style::Normal, "@echo NS Lookup for: ", "nslookup "},
    };
}

TEST(HostCommands, WriteTheSevenLineScriptWithTheHostAsTyped) {
    for (const std::string host : {"example.org", "10.0.0.1", "2001:db8::1", "fe80::1%eth0", "fe80::1%12", "EX-1.test"}) {
        for (const auto& c : hostCases()) {
            ToolsFixture t;
            t.fake.dialogs.answers = {host};
            c.click(t.form);
            ASSERT_EQ(t.fake.dialogs.prompts.size(), 1u);
            EXPECT_EQ(t.fake.dialogs.prompts[0].text, c.prompt) << c.item;
            EXPECT_EQ(t.fake.dialogs.prompts[0].title, "Cfgscope");
            EXPECT_EQ(t.fake.files.files[t.wf + c.script],
                      (Lines{"@echo off", kHyphens, c.titleLine + host, kHyphens, c.commandWord + host, kHyphens,
                             "@pause"}))
                << c.item;
            ASSERT_EQ(t.started().size(), 1u);
            EXPECT_EQ(t.started()[0], std::make_pair(t.wf + c.script, c.style)) << c.item;
            EXPECT_EQ(t.form.targetHost, host);
            EXPECT_TRUE(t.messages().empty());
        }
    }
}

// Anything but one name or address gets a message saying what is wrong, and
// neither a script nor a new target host.
TEST(HostCommands, WhatIsNotAHostIsNamedAndNothingIsWritten) {
    const std::string prefix = "This is not a host name or an IP address: it ";
    struct Case {
        std::string host;
        const char* why;
    } cases[] = {
        {"127.0.0.1\r\nsh -c id", "holds a line break"},
        {"127.0.0.1\nid", "holds a line break"},
        {"127.0.0.1 > ~/.profile", "holds a blank"},
        {" example.org", "holds a blank"},
        {"10.0.0.1 -n 10", "holds a blank"},
        {"a|b", "holds \"|\""},
        {"a&calc", "holds \"&\""},
        {"a;b", "holds \";\""},
        {"a<b", "holds \"<\""},
        {"http://x", "holds \"/\""},
        {"a\x1b[2J", "holds a control character (1B)"},
        {"-f", "begins with \"-\""},
        {"example.org%eth0", "holds \"%\""},
        {"fe80::1%", "holds \"%\""},
        {std::string(254, 'a'), "is longer than 253 characters"},
    };
    for (const auto& c : cases) {
        for (const auto& h : hostCases()) {
            ToolsFixture t;
            t.fake.dialogs.answers = {c.host};
            h.click(t.form);
            EXPECT_TRUE(t.fake.files.files.empty()) << h.item << " " << c.host;
            EXPECT_TRUE(t.started().empty()) << h.item << " " << c.host;
            EXPECT_EQ(t.form.targetHost, "www.google.com");
            ASSERT_EQ(t.messages().size(), 1u) << c.host;
            EXPECT_EQ(t.messages()[0].text.rfind(prefix + c.why + ".\n\n", 0), 0u) << t.messages()[0].text;
        }
    }
}

TEST(HostCommands, CancelOrEmptyAnswerStartsNothing) {
    for (const std::optional<std::string>& answer : {std::optional<std::string>{}, std::optional<std::string>{""}}) {
        for (const auto& c : hostCases()) {
            ToolsFixture t;
            t.fake.dialogs.answers = {answer};
            c.click(t.form);
            EXPECT_TRUE(t.fake.files.files.empty()) << c.item;
            EXPECT_TRUE(t.started().empty()) << c.item;
            EXPECT_EQ(t.form.targetHost, "www.google.com") << c.item;
            EXPECT_TRUE(t.messages().empty()) << c.item;
        }
    }
}

// The prompt offers the host entered last in any of the three prompts.
TEST(HostCommands, TargetHostIsSharedAcrossThePrompts) {
    ToolsFixture t;
    std::vector<std::string> offered;
    struct Recording : fakes::FakeDialogs {
        std::vector<std::string>* offered;
        std::vector<std::optional<std::string>> replies;
        std::optional<std::string> inputBox(const std::string&, const std::string&, const std::string& d) override {
            offered->push_back(d);
            auto r = replies.front();
            replies.erase(replies.begin());
            return r;
        }
    } dialogs;
    dialogs.offered = &offered;
    dialogs.replies = {"trace.example", std::nullopt, "", "lookup.example", "ping.example", "x"};
    platform::Platform p{t.fake.files, t.fake.processes, t.fake.env,     t.fake.session, t.fake.clipboard,
                         dialogs,      t.fake.system,    t.fake.download, t.fake.shell};
    wireTools(t.form, p);
    for (auto* item : {&t.form.mnutracert, &t.form.ping, &t.form.nslookup, &t.form.nslookup, &t.form.ping,
                       &t.form.mnutracert})
        item->click();
    EXPECT_EQ(offered, (std::vector<std::string>{"www.google.com", "trace.example", "trace.example", "trace.example",
                                                 "lookup.example", "ping.example"}));
    EXPECT_EQ(t.form.targetHost, "x");
}

TEST(HostCommands, AScriptThatCannotBeWrittenIsNamed) {
    ToolsFixture t;
    t.fake.files.unwritable.insert(t.wf + "pingother.bat");
    t.fake.dialogs.answers = {"example.org"};
    t.form.ping.click();
    EXPECT_TRUE(t.started().empty());
    ASSERT_EQ(t.messages().size(), 1u);
    EXPECT_EQ(t.messages()[0].text, "Could not write the script C:\\Temp\\cfgscope\\pingother.bat");
    EXPECT_EQ(t.messages()[0].title, "cfgscope");
}

TEST(StartedCommands, ScriptsAndCommandLinesInTheirWindowStyles) {
    struct Case {
        const char* item;
        std::function<void(app::MainForm&)> click;
        std::string commandLine;  // "WF\" stands for the working folder
        Style style;
        std::vector<std::string> messages;
    };
    const std::vector<Case> cases{
        {"pinggateway", [](app::MainForm& f) { f.pinggateway.click(); }, "WF\\2pinggateway.bat", Style::Normal, {}},
        {"pingdns1", [](app::MainForm& f) { f.pingdns1.click(); }, "WF\\2pingdns1.bat", Style::Normal, {}},
        {"pingdns2", [](app::MainForm& f) { f.pingdns2.click(); }, "WF\\2pingdns2.bat", Style::Normal, {}},
        {"displaydns", [](app::MainForm& f) { f.displaydns.click(); }, "WF\\displaydns.bat", Style::Maximized, {}},
        {"Purgedns", [](app::MainForm& f) { f.Purgedns.click(); }, "WF\\purgedns.bat", Style::Hidden,
         {"DNS Resolver cache Purged"}},
        {"edithosts", [](app::MainForm& f) { f.edithosts.click(); },
         "notepad.exe C:\\WINDOWS\\system32\\drivers\\etc\\hosts", Style::Normal, {}},
        {"mnuopencmd", [](app::MainForm& f) { f.mnuopencmd.click(); }, "cmd c:\\ /k cd\\", Style::Normal, {}},
    };
    for (const auto& c : cases) {
        ToolsFixture t;
        t.fake.env.vars["windir"] = "C:\\WINDOWS";
        for (const char* s : {"2pinggateway.bat", "2pingdns1.bat", "2pingdns2.bat", "displaydns.bat", "purgedns.bat"})
            t.have(s);
        t.form.selectedAdapter = 2;
        c.click(t.form);
        std::string expected = c.commandLine;
        if (expected.rfind("WF\\", 0) == 0) expected = t.wf + expected.substr(3);
        ASSERT_EQ(t.started().size(), 1u) << c.item;
        EXPECT_EQ(t.started()[0], std::make_pair(expected, c.style)) << c.item;
        std::vector<std::string> texts;
        for (const auto& m : t.messages()) texts.push_back(m.text + " / " + m.title);
        std::vector<std::string> want;
        for (const auto& m : c.messages) want.push_back(m + " / cfgscope");
        EXPECT_EQ(texts, want) << c.item;
        EXPECT_TRUE(t.fake.dialogs.prompts.empty()) << c.item;
        EXPECT_EQ(t.fake.files.files.size(), 5u) << c.item << ": nothing is written";
    }
}

TEST(StartedCommands, HostsPathFollowsTheWindowsFolderUnquoted) {
    struct Case {
        std::map<std::string, std::string> vars;
        std::string commandLine;
    } cases[] = {
        {{{"WINDIR", "D:\\Win Dir"}}, "notepad.exe D:\\Win Dir\\system32\\drivers\\etc\\hosts"},
        {{{"WINDIR", "C:\\A"}, {"windir", "C:\\B"}}, "notepad.exe C:\\A\\system32\\drivers\\etc\\hosts"},
        {{}, "notepad.exe \\system32\\drivers\\etc\\hosts"},
    };
    for (const auto& c : cases) {
        ToolsFixture t;
        t.fake.env.vars = c.vars;
        t.form.edithosts.click();
        ASSERT_EQ(t.started().size(), 1u);
        EXPECT_EQ(t.started()[0].first, c.commandLine);
    }
}

TEST(StartedCommands, FailuresAreNamedAndPurgeClaimsNothingThen) {
    ToolsFixture t;
    t.form.selectedAdapter = 4;
    t.form.pinggateway.click();  // no script for adapter 4
    t.form.Purgedns.click();      // purgedns.bat missing too
    t.fake.processes.succeed = false;
    t.form.mnuopencmd.click();
    EXPECT_TRUE(t.fake.processes.started.size() == 1u);
    std::vector<std::string> texts;
    for (const auto& m : t.messages()) texts.push_back(m.text);
    EXPECT_EQ(texts, (std::vector<std::string>{"The script C:\\Temp\\cfgscope\\4pinggateway.bat does not exist.",
                                               "The script C:\\Temp\\cfgscope\\purgedns.bat does not exist.",
                                               "Could not start cmd c:\\ /k cd\\"}));
}

// A purge that starts is reported at once, whatever the script then achieves.
TEST(StartedCommands, PurgeMessageDoesNotWaitForTheScript) {
    ToolsFixture t;
    t.have("purgedns.bat");
    bool messageBeforeStart = false;
    t.fake.processes.onStart = [&](const std::string&) { messageBeforeStart = !t.messages().empty(); };
    t.form.Purgedns.click();
    EXPECT_FALSE(messageBeforeStart);
    ASSERT_EQ(t.messages().size(), 1u);
    EXPECT_EQ(t.messages()[0].text, "DNS Resolver cache Purged");
}

}  // namespace
