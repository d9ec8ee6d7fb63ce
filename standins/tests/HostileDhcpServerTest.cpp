// A rogue DHCP server in the lab: its domain name (option 15) reads as an
// adapter header with a redirection in it. dhclient keeps it and the report
// tool shows it as the DNS suffix; the window's parse still sees one adapter
// there, and the release scripts it writes, run as the window runs them,
// create no file and release nothing but their own adapters.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "Lab.h"
#include "Netns.h"
#include "capture/ReportParser.h"

using namespace standins;
using namespace standins::testing;

TEST(HostileDhcpServer, DomainNameStaysAValueAndNeverACommand) {
    Lab lab("dhclient", 0, "15,adapter >pwn:");
    if (lab.skip()) GTEST_SKIP() << lab.error();
    ASSERT_TRUE(lab.ok()) << lab.error();
    ASSERT_TRUE(lab.waitForAddress(true, 30000));

    ExecResult report = lab.run({kLabIpconfig, "/all"});
    ASSERT_EQ(report.exitCode, 0) << report.output;
    ASSERT_NE(report.output.find(": adapter >pwn:"), std::string::npos) << "the suffix as sent\n" << report.output;
    app::AdapterTable table{};
    auto r = capture::parseReport(splitCrLf(report.output), "vista", "12:00:00", table);
    ASSERT_FALSE(r.adapterEntries.empty());
    for (const auto& entry : r.adapterEntries) EXPECT_EQ(entry.find("pwn"), std::string::npos) << entry;

    const std::string work = lab.dir() + "/work";
    ASSERT_EQ(mkdir(work.c_str(), 0700), 0);
    ASSERT_TRUE(writeScripts(work, r.scripts));
    const auto written = filesIn(work);
    for (const auto& s : r.scripts) {
        if (s.name.find("release") == std::string::npos) continue;
        ExecResult run = lab.run({"sh", "-c", "cd \"$1\" && exec /usr/libexec/cfgscope/batrun \"$2\"", "sh", work, s.name});
        EXPECT_EQ(run.output.find("pwn"), std::string::npos) << s.name << ": " << run.output;
    }
    EXPECT_EQ(filesIn(work), written) << "no script made a file";
}
