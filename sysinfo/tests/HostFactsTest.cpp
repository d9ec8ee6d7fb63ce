#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "fakes/FakePlatform.h"
#include "sysinfo/HostFacts.h"
#include "sysinfo/HostReport.h"

namespace {

TEST(HostFacts, GroupKindWord) {
    struct Case {
        std::optional<std::string> userdomain, logonserver;
        const char* word;
    };
    const Case cases[] = {
        {"PC1", "\\\\PC1", "Workgroup"},
        {"pc1", "\\\\PC1", "Workgroup"},  // case ignored on both sides
        {"PC1", "\\\\pc1", "Workgroup"},
        {"CORP", "\\\\DC01", "Domain"},
        {"PC1", "\\\\PC1X", "Domain"},
        {"PC1", "//PC1", "Workgroup"},  // only the first two characters are dropped, whatever they are
        {std::nullopt, "\\\\", "Workgroup"},
        {"PC1", "\\\\", "Domain"},
        // Fewer than two characters, or unset: no logon server, a workgroup.
        {"PC1", "\\", "Workgroup"},
        {"PC1", std::nullopt, "Workgroup"},
        {std::nullopt, std::nullopt, "Workgroup"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.userdomain.value_or("(unset)") + " / " + c.logonserver.value_or("(unset)"));
        fakes::FakePlatform f;
        if (c.userdomain) f.env.vars["userdomain"] = *c.userdomain;
        if (c.logonserver) f.env.vars["logonserver"] = *c.logonserver;
        EXPECT_EQ(sysinfo::groupKindWord(f.platform), c.word);
    }
}

TEST(HostFacts, LanGroup) {
    struct Case {
        const char* what;
        std::optional<std::string> group;  // nothing: the service fails
        std::optional<std::string> expected;
    };
    const std::string long128(128, 'G');
    const std::string umlauts = std::string(126, 'A') + "\xC3\xA4\xC3\xB6";  // 128 characters, 130 bytes
    const Case cases[] = {
        {"plain", "WORKGROUP", "WORKGROUP"},
        {"cut at NUL", std::string("CORP\0junk", 9), "CORP"},
        {"empty", "", ""},
        {"127 characters kept", std::string(127, 'G'), std::string(127, 'G')},
        {"128 cut to 127", long128, std::string(127, 'G')},
        {"cut counts characters, not bytes", umlauts, std::string(126, 'A') + "\xC3\xA4"},
        {"service fails", std::nullopt, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fakes::FakePlatform f;
        f.env.vars["COMPUTERNAME"] = "PC1";
        if (c.group) f.system.workstation = platform::WorkstationInfo{500, "PC1", *c.group, 5};
        EXPECT_EQ(sysinfo::lanGroup(f.platform), c.expected);
        EXPECT_EQ(f.system.serverNames, (std::vector<std::string>{"\\\\PC1"}));
    }
}

TEST(HostFacts, CollectPrivateAddresses) {
    struct Case {
        const char* what;
        std::optional<std::vector<std::string>> adapters;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"three adapters, one without address",
         std::vector<std::string>{"192.168.1.20", "0.0.0.0", "10.0.0.5"},
         {"192.168.1.20", "0.0.0.0", "10.0.0.5"}},
        {"raw 16-byte fields cut at NUL",
         std::vector<std::string>{std::string("10.0.0.1\0\0\0\0\0\0\0\0", 16),
                                  std::string("255.255.255.255\0", 16)},
         {"10.0.0.1", "255.255.255.255"}},
        {"no NUL within 16 bytes", std::vector<std::string>{"123456789012345678"}, {"1234567890123456"}},
        {"an IPv6-only adapter's address kept whole", std::vector<std::string>{"2001:db8:77:1::abcd:1234"},
         {"2001:db8:77:1::abcd:1234"}},
        {"no adapters", std::vector<std::string>{}, {}},
        {"fetch fails", std::nullopt, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fakes::FakePlatform f;
        f.system.addresses = c.adapters;
        ui::ListBox list("List2");
        list.add("stale");
        sysinfo::collectPrivateAddresses(list, f.platform);
        EXPECT_EQ(list.items(), c.lines);
    }
}

TEST(HostFacts, OperatingSystemCaptionAndCpuName) {
    fakes::FakePlatform f;
    EXPECT_EQ(sysinfo::operatingSystemCaption(f.platform, ", SP (v5.1 Build 2600)"), std::nullopt);
    EXPECT_EQ(sysinfo::cpuName(f.platform), std::nullopt);

    f.system.management["Win32_OperatingSystem.Caption"] = {};
    EXPECT_EQ(sysinfo::operatingSystemCaption(f.platform, ", x"), std::nullopt);  // no instance

    f.system.management["Win32_OperatingSystem.Caption"] = {"  Microsoft Windows XP Professional  "};
    EXPECT_EQ(sysinfo::operatingSystemCaption(f.platform, ", Service Pack 2 (v5.1 Build 2600)"),
              "Microsoft Windows XP Professional, Service Pack 2 (v5.1 Build 2600)");

    // Several processors: the last one's name remains.
    f.system.management["Win32_Processor.Name"] = {" CPU A ", "  CPU B"};
    EXPECT_EQ(sysinfo::cpuName(f.platform), "CPU B");
}

TEST(HostFacts, MemoryTextUsesPlatformSeparator) {
    fakes::FakePlatform f;
    EXPECT_EQ(sysinfo::memoryText(f.platform), std::nullopt);
    f.system.memory = 990000000;
    f.system.separator = ",";
    EXPECT_EQ(sysinfo::memoryText(f.platform), "944,14 MB");
    f.system.memory = 0;
    EXPECT_EQ(sysinfo::memoryText(f.platform), std::nullopt);
}

TEST(HostReport, GathersAndFormatsTheFacts) {
    fakes::FakePlatform f;
    f.env.vars = {{"COMPUTERNAME", "PC1"}, {"username", "ann"}, {"userdomain", "PC1"}, {"logonserver", "\\\\PC1"}};
    f.system.workstation = platform::WorkstationInfo{500, "PC1", "HOME", 5};
    f.system.memory = 2147483647;
    f.system.management["Win32_OperatingSystem.Caption"] = {"Debian GNU/Linux 12 (bookworm)"};
    f.system.addresses = std::vector<std::string>{"192.168.1.20", "0.0.0.0"};
    EXPECT_EQ(sysinfo::formatHostReport(sysinfo::gatherHostReport(f.platform)),
              "Computer name: PC1\n"
              "Domain/Workgroup: HOME (Workgroup)\n"
              "Username: ann\n"
              "Operating System: Debian GNU/Linux 12 (bookworm)\n"
              "Memory: 2.048 GB\n"
              "Private IP: 192.168.1.20 / 0.0.0.0\n");
}

TEST(HostReport, MissingFactsLeaveTheirLinesShort) {
    fakes::FakePlatform f;
    f.system.extended = platform::VersionRecord{5, 1, 2600, 2, "Service Pack 2", 1};
    EXPECT_EQ(sysinfo::formatHostReport(sysinfo::gatherHostReport(f.platform)),
              "Computer name: \n"
              "Domain/Workgroup: (Workgroup)\n"
              "Username: \n"
              "Operating System: Windows XP Home Service Pack 2 (v5.1 Build 2600)\n"
              "Memory: \n"
              "Private IP: \n");
}

}  // namespace
