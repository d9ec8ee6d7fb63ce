#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "fakes/FakePlatform.h"
#include "sysinfo/Edition.h"

namespace {

using platform::VersionRecord;

VersionRecord rec(std::uint32_t id, std::uint32_t major, std::uint32_t minor, std::uint32_t build, std::string sp,
                  std::uint8_t type = 1) {
    VersionRecord r;
    r.platformId = id;
    r.major = major;
    r.minor = minor;
    r.build = build;
    r.servicePack = std::move(sp);
    r.productType = type;
    return r;
}

enum Files { None, Pro, MediaCenter, Both };

struct Case {
    const char* what;
    std::optional<VersionRecord> extended, shortRecord;
    Files files;
    std::string mainText;
    std::optional<std::string> marker, detail;
    std::string monitorText;
    std::optional<std::string> verser;
};

const std::string kRoot = "C:\\WINDOWS";

void setUp(fakes::FakePlatform& f, const Case& c) {
    f.system.extended = c.extended;
    f.system.shortRecord = c.shortRecord;
    f.env.vars["SystemRoot"] = kRoot;
    if (c.files == MediaCenter || c.files == Both) f.files.files[kRoot + "\\ehome\\ehshell.exe"] = {};
    if (c.files == Pro || c.files == Both) f.files.files[kRoot + "\\system32\\efsadu.dll"] = {};
}

const auto N = std::nullopt;
const std::string SP2 = "Service Pack 2";
const std::string V2600 = "Service Pack 2 (v5.1 Build 2600)";
const std::string V3790 = "Service Pack 1 (v5.2 Build 3790)";

const Case kCases[] = {
    {"95", rec(1, 4, 0, 950, ""), N, None, "Windows 95 v4.0  (Build 950)", N, ",  (v4.0 Build 950)",
     "Windows 95\r\nv4.0  (Build 950)", " (v4.0 Build 950)"},
    // The 9x family fills the whole build field and a service-pack text that
    // begins with a blank; both are used unchanged.
    {"98 SE", N, rec(1, 4, 10, 67766446, " A"), None, "Windows 98 v4.10  A (Build 67766446)", N,
     ",  A (v4.10 Build 67766446)", "Windows 98\r\nv4.10  A (Build 67766446)", " A (v4.10 Build 67766446)"},
    {"Me", rec(1, 4, 90, 3000, ""), N, Both, "Windows Millenium v4.90  (Build 3000)", N, ",  (v4.90 Build 3000)",
     "Windows Millenium\r\nv4.90  (Build 3000)", " (v4.90 Build 3000)"},
    {"9x other minor", rec(1, 4, 3, 1, "x", 3), N, None, "Windows 9? v4.3 x (Build 1)", N, ", x (v4.3 Build 1)",
     "Windows 9?\r\nv4.3 x (Build 1)", "x (v4.3 Build 1)"},
    {"NT 4", rec(2, 4, 0, 1381, "Service Pack 6"), N, None, "Windows NT Service Pack 6 (v4.0 Build 1381)", N,
     ", Service Pack 6 (v4.0 Build 1381)", "Windows NT\r\nService Pack 6 (v4.0 Build 1381)",
     "Service Pack 6 (v4.0 Build 1381)"},
    {"NT 3", rec(2, 3, 51, 1057, ""), N, None, "Windows NT  (v3.51 Build 1057)", N, ",  (v3.51 Build 1057)",
     "Windows NT\r\n (v3.51 Build 1057)", " (v3.51 Build 1057)"},
    {"2000", rec(2, 5, 0, 2195, "Service Pack 4"), N, Both, "Windows 2000 Service Pack 4 (v5.0 Build 2195)", N,
     ", Service Pack 4 (v5.0 Build 2195)", "Windows 2000\r\nService Pack 4 (v5.0 Build 2195)",
     "Service Pack 4 (v5.0 Build 2195)"},
    {"5.3 is 2000", rec(2, 5, 3, 1, ""), N, None, "Windows 2000  (v5.3 Build 1)", N, ",  (v5.3 Build 1)",
     "Windows 2000\r\n (v5.3 Build 1)", " (v5.3 Build 1)"},
    {"XP Home", rec(2, 5, 1, 2600, SP2), N, None, "Windows XP Home " + V2600, "xp", ", " + V2600,
     "Windows XP Home\r\n" + V2600, V2600},
    {"XP Professional", rec(2, 5, 1, 2600, SP2), N, Pro, "Windows XP Professional " + V2600, "xp", ", " + V2600,
     "Windows XP Professional\r\n" + V2600, V2600},
    // The main program breaks the line after "Media Center"; the monitor
    // names both editions.
    {"XP Media Center", rec(2, 5, 1, 2600, SP2), N, Both, "Windows XP Media Center\r\n " + V2600, "xp",
     ", " + V2600, "Windows XP Media Center Professional\r\n" + V2600, V2600},
    {"XP Media Center file only", rec(2, 5, 1, 2600, SP2), N, MediaCenter,
     "Windows XP Media Center\r\n " + V2600, "xp", ", " + V2600, "Windows XP Media Center Home\r\n" + V2600,
     V2600},
    {"XP without service pack", rec(2, 5, 1, 2600, ""), N, Pro, "Windows XP Professional  (v5.1 Build 2600)",
     "xp", ",  (v5.1 Build 2600)", "Windows XP Professional\r\n (v5.1 Build 2600)", " (v5.1 Build 2600)"},
    // A server in the monitor gets an empty line: the suffix and the layout
    // both break the line.
    {"Server 2003", rec(2, 5, 2, 3790, "Service Pack 1", 3), N, None, "Windows Server 2003 Server " + V3790, N,
     ", " + V3790, "Windows Server 2003 Server\r\n\r\n" + V3790, V3790},
    {"Server 2003 DC", rec(2, 5, 2, 3790, "Service Pack 1", 2), N, None,
     "Windows Server 2003 Domain Controller " + V3790, N, ", " + V3790,
     "Windows Server 2003 Domain Controller\r\n" + V3790, V3790},
    {"short record only: no suffix", N, rec(2, 5, 2, 3790, "Service Pack 1", 3), None,
     "Windows Server 2003 " + V3790, N, ", " + V3790, "Windows Server 2003\r\n" + V3790, V3790},
    {"Vista", rec(2, 6, 0, 6000, ""), N, None, "Windows Vista  (v6.0 Build 6000)", "vista",
     ",  (v6.0 Build 6000)", "Windows Vista\r\n (v6.0 Build 6000)", " (v6.0 Build 6000)"},
    {"Vista server", rec(2, 6, 0, 6001, "Service Pack 1", 3), N, None,
     "Windows Vista Server Service Pack 1 (v6.0 Build 6001)", "vista", ", Service Pack 1 (v6.0 Build 6001)",
     "Windows Vista Server\r\n\r\nService Pack 1 (v6.0 Build 6001)", "Service Pack 1 (v6.0 Build 6001)"},
    {"product type 0 adds nothing", rec(2, 5, 0, 2195, "", 0), N, None, "Windows 2000  (v5.0 Build 2195)", N,
     ",  (v5.0 Build 2195)", "Windows 2000\r\n (v5.0 Build 2195)", " (v5.0 Build 2195)"},
    {"major 7 workstation", rec(2, 7, 0, 7600, ""), N, None, "  (v7.0 Build 7600)", N, ",  (v7.0 Build 7600)",
     "\r\n (v7.0 Build 7600)", " (v7.0 Build 7600)"},
    {"major 7 server", rec(2, 7, 0, 7600, "SP", 3), N, None, " Server SP (v7.0 Build 7600)", N,
     ", SP (v7.0 Build 7600)", " Server\r\n\r\nSP (v7.0 Build 7600)", "SP (v7.0 Build 7600)"},
    {"major 2 domain controller", rec(2, 2, 0, 1, "", 2), N, None, " Domain Controller  (v2.0 Build 1)", N,
     ",  (v2.0 Build 1)", " Domain Controller\r\n (v2.0 Build 1)", " (v2.0 Build 1)"},
    {"service pack cut at NUL", rec(2, 5, 1, 2600, std::string("Service Pack 2\0junk", 19)), N, Pro,
     "Windows XP Professional " + V2600, "xp", ", " + V2600, "Windows XP Professional\r\n" + V2600, V2600},
    {"build written signed and whole", rec(2, 5, 0, 0x80000001u, ""), N, None,
     "Windows 2000  (v5.0 Build -2147483647)", N, ",  (v5.0 Build -2147483647)",
     "Windows 2000\r\n (v5.0 Build -2147483647)", " (v5.0 Build -2147483647)"},
    {"unknown platform id", rec(3, 5, 1, 2600, SP2), N, Both, "", N, N, "", N},
    {"platform id 0", rec(0, 6, 0, 6000, ""), N, None, "", N, N, "", N},
    {"both queries fail", N, N, Both, "Windows (Unknown)", N, N, "Microsoft Windows (Unknown)", N},
};

TEST(Edition, RecordTable) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.what);
        fakes::FakePlatform main;
        setUp(main, c);
        auto e = sysinfo::mainEdition(main.platform);
        EXPECT_EQ(e.text, c.mainText);
        EXPECT_EQ(e.marker, c.marker);
        EXPECT_EQ(e.versionDetail, c.detail);
        EXPECT_EQ(e.verser, std::nullopt);

        fakes::FakePlatform monitor;
        setUp(monitor, c);
        auto m = sysinfo::monitorEdition(monitor.platform);
        EXPECT_EQ(m.text, c.monitorText);
        EXPECT_EQ(m.verser, c.verser);
        EXPECT_EQ(m.marker, std::nullopt);
        EXPECT_EQ(m.versionDetail, std::nullopt);
    }
}

TEST(Edition, AsksExtendedRecordFirstThenShort) {
    fakes::FakePlatform f;
    sysinfo::mainEdition(f.platform);
    EXPECT_EQ(f.system.versionSizes, (std::vector<int>{156, 148}));

    fakes::FakePlatform g;
    g.system.extended = rec(2, 6, 0, 6000, "");
    sysinfo::mainEdition(g.platform);
    EXPECT_EQ(g.system.versionSizes, (std::vector<int>{156}));
}

// A platform without the record (the Linux stand-ins) names its report
// dialect; the monitor has no marker to set.
TEST(Edition, PlatformWithoutRecordSetsItsMarker) {
    fakes::FakePlatform f;
    f.system.markerWithoutRecord = "vista";
    f.system.versionLineWithoutRecord = "Linux 6.1.0-28-amd64 x86_64";
    auto e = sysinfo::mainEdition(f.platform);
    EXPECT_EQ(e.text, "Windows (Unknown)");
    EXPECT_EQ(e.marker, "vista");
    EXPECT_EQ(e.versionDetail, std::nullopt);
    EXPECT_EQ(e.verser, std::nullopt);
    // The monitor has no marker to set, and shows the platform's own version line.
    auto m = sysinfo::monitorEdition(f.platform);
    EXPECT_EQ(m.marker, std::nullopt);
    EXPECT_EQ(m.verser, "Linux 6.1.0-28-amd64 x86_64");
}

// Without SystemRoot the files are looked for relative to the current drive.
TEST(Edition, XpFilesWithoutSystemRoot) {
    fakes::FakePlatform f;
    f.system.extended = rec(2, 5, 1, 2600, SP2);
    f.files.files["\\system32\\efsadu.dll"] = {};
    EXPECT_EQ(sysinfo::mainEdition(f.platform).text, "Windows XP Professional " + V2600);
}

}  // namespace
