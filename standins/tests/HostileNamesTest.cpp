// Interface names that hold the command interpreter's characters, pattern
// characters, a terminal escape, bytes that are not UTF-8 or a leading "-":
// the report shows each one as one adapter without control characters, and
// the window's release script for it, run by the script runner, reaches
// that adapter and no other and creates nothing.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>

#include "Netns.h"
#include "capture/ReportParser.h"

using namespace standins;
using namespace standins::testing;

TEST(HostileNames, OddInterfaceNamesReachOnlyTheirOwnAdapter) {
    std::string why = namespaceSkipReason();
    if (!why.empty()) GTEST_SKIP() << why;
    Netns ns("names");
    ASSERT_TRUE(ns.ok());
    struct Case {
        std::string name;
        const char* shown;  // in the report and in the tool's answer
    } cases[] = {
        {"a>b", "a>b"}, {"q\"x", "q\"x"}, {"w?z", "w?z"}, {"s*t", "s*t"},
        {"-lead", "-lead"}, {"e\x1b[2J", "e?[2J"}, {"n\xFFx\xC3", "n?x?"}, {"plain0", "plain0"},
    };
    int peer = 0;
    for (const auto& c : cases) {
        const std::string other = "peer" + std::to_string(++peer);
        ASSERT_TRUE(ns.ip({"link", "add", "name", c.name, "type", "veth", "peer", "name", other})) << c.name;
        ASSERT_TRUE(ns.ip({"link", "set", "dev", c.name, "up"})) << c.name;
        ASSERT_TRUE(ns.ip({"link", "set", "dev", other, "up"})) << other;  // carrier for both ends
    }

    ExecResult report = ns.exec({binPath("ipconfig"), "/all"});
    ASSERT_EQ(report.exitCode, 0) << report.output;
    for (unsigned char ch : report.output)
        EXPECT_TRUE((ch >= 0x20 && ch < 0x80) || ch == '\r' || ch == '\n') << "control character or bad UTF-8 " << int(ch);
    app::AdapterTable table{};
    auto r = capture::parseReport(splitCrLf(report.output), "vista", "12:00:00", table);
    ASSERT_EQ(r.adapterEntries.size(), 2 * std::size(cases)) << report.output;  // each with its peer

    const std::string work = ns.folder() + "/work";
    ASSERT_EQ(mkdir(work.c_str(), 0700), 0);
    ASSERT_TRUE(writeScripts(work, r.scripts));
    const auto written = filesIn(work);
    for (const auto& c : cases) {
        const std::string header = std::string(" adapter ") + c.shown;
        auto entry = std::find_if(r.adapterEntries.begin(), r.adapterEntries.end(), [&](const std::string& e) {
            return e.size() >= header.size() && e.compare(e.size() - header.size(), header.size(), header) == 0;
        });
        ASSERT_NE(entry, r.adapterEntries.end()) << c.shown << "\n" << report.output;
        if (c.name == "plain0") continue;  // the bystander
        ExecResult run = ns.batrun(work, entry->substr(0, entry->find(')')) + "release.bat");
        EXPECT_NE(run.output.find(std::string("Adapter ") + c.shown), std::string::npos) << *entry << ": " << run.output;
        EXPECT_EQ(run.output.find("plain0"), std::string::npos) << *entry << ": " << run.output;
    }
    EXPECT_EQ(filesIn(work), written) << "no script made a file";
}
