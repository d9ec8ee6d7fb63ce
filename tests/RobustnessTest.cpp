// The parser must survive any report: mutated sample reports, random bytes,
// huge lines and very many adapters, in both layouts.
#include <gtest/gtest.h>

#include <fstream>
#include <random>

#include "FormFixture.h"
#include "ReportBuilder.h"
#include "capture/DiagnosisReport.h"

using namespace testing_support;

namespace {

const char* kLabels[] = {"",
                         "Name:             ",
                         "IP Address:       ",
                         "Mac Address:      ",
                         "Dhcp Enabled:     ",
                         "Autocfg. Enabled: ",
                         "Subnet Mask:      ",
                         "Default Gateway:  ",
                         "DHCP Server:      ",
                         "Lease Obtained:   ",
                         "Lease Expires:    ",
                         "DNS Server 1:     ",
                         "DNS Server 2:     ",
                         "Media State:      "};

std::vector<std::string> sampleLines() {
    std::vector<std::string> all;
    for (const char* name : {"xp-dhcp-two-dns.txt", "xp-cable-apipa-unset.txt", "vista-ethernet-wifi-tunnels.txt"}) {
        std::ifstream in(std::string(TEST_DATA_DIR) + "/" + name, std::ios::binary);
        std::string line;
        while (std::getline(in, line)) all.push_back(line);
    }
    return all;
}

std::vector<std::string> mutate(const std::vector<std::string>& source, std::mt19937& rng) {
    std::vector<std::string> out;
    std::uniform_int_distribution<int> pick(0, 9);
    for (const auto& line : source) {
        std::string l = line;
        switch (pick(rng)) {
            case 0: l.resize(rng() % (l.size() + 1)); break;  // truncated
            case 1: l.insert(rng() % (l.size() + 1), 1, static_cast<char>(rng() % 256)); break;
            case 2: l.insert(rng() % (l.size() + 1), 1, '\0'); break;
            case 3: out.push_back(l); break;  // duplicated
            case 4: continue;                 // dropped
            case 5: l = std::string(rng() % 12, ' ') + l; break;
            default: break;
        }
        out.push_back(l);
    }
    return out;
}

// What any parse must hold: cells carry their label, numbering is sane.
void checkInvariants(const capture::DiagnosisSummary& s) {
    for (int row = 0; row < app::kAdapterRows; ++row)
        for (int field = 1; field <= 13; ++field) {
            const auto& cell = s.table[row][field];
            if (!cell.empty()) {
                ASSERT_EQ(cell.rfind(kLabels[field], 0), 0u) << cell;
            }
        }
    for (int row = 0; row < app::kAdapterRows; ++row)
        for (int field = 14; field < app::kAdapterFields; ++field) ASSERT_TRUE(s.table[row][field].empty());
    ASSERT_FALSE(s.status.empty());
    ASSERT_LE(s.log.size(), 20u + 4u);
}

}  // namespace

TEST(Robustness, MutatedSampleReports) {
    std::mt19937 rng(20261207);
    auto source = sampleLines();
    for (int round = 0; round < 400; ++round) {
        auto lines = mutate(source, rng);
        for (const char* marker : {"xp", "vista", "Windows XP"}) {
            auto s = capture::diagnoseLines(lines, marker, "T");
            checkInvariants(s);
            (void)capture::formatDiagnosis(s);
        }
    }
}

TEST(Robustness, RandomBytes) {
    std::mt19937 rng(7);
    const std::string alphabet = "adapterADAPTER: .\t\r\0xyzIPv4 AddressDNS ServersMedia StateTunnel error169.254(Preferred)";
    for (int round = 0; round < 300; ++round) {
        std::vector<std::string> lines(rng() % 40);
        for (auto& l : lines) {
            l.resize(rng() % 90);
            for (auto& c : l) c = rng() % 3 ? alphabet[rng() % alphabet.size()] : static_cast<char>(rng() % 256);
        }
        checkInvariants(capture::diagnoseLines(lines, round % 2 ? "xp" : "vista", "T"));
    }
}

TEST(Robustness, ExtremeShapes) {
    std::vector<std::string> many;
    for (int i = 1; i <= 200; ++i) {
        many.push_back("Ethernet adapter eth" + std::to_string(i) + ":");
        many.push_back(xp("IP Address", "10.0." + std::to_string(i % 256) + ".1"));
        many.push_back(xp("DNS Servers", "10.0.0.53"));
    }
    auto s = capture::diagnoseLines(many, "xp", "T");
    EXPECT_EQ(s.adapterEntries.size(), 200u);
    checkInvariants(s);

    std::string huge(1 << 20, 'x');
    auto h = capture::diagnoseLines({"Ethernet adapter A:", xp("Description", huge), huge, xp("DNS Servers", huge)},
                                    "vista", "T");
    EXPECT_EQ(h.table[1][1].size(), 18 + huge.size());
    checkInvariants(h);

    std::string withNul = xp("IP Address", std::string("10.0.0.1\0x", 10));
    auto n = capture::diagnoseLines({std::string("Ethernet\0adapter A:", 19), "Ethernet adapter B:", withNul}, "xp", "T");
    EXPECT_EQ(n.adapterEntries.size(), 2u);
    checkInvariants(n);

    for (const auto& lines : std::vector<std::vector<std::string>>{
             {}, {""}, {":"}, {"adapter"}, {"a"}, {"DNS Servers"}, {"DNS Servers:", " "}, {"IPv4 Address"}})
        checkInvariants(capture::diagnoseLines(lines, "vista", "T"));
}

TEST(Robustness, WindowSurvivesRandomReports) {
    std::mt19937 rng(99);
    auto source = sampleLines();
    FormFixture f;
    for (int round = 0; round < 100; ++round) {
        f.parse(mutate(source, rng), round % 2 ? "xp" : "vista");
        for (int i = 0; i < f.form.adapters.count(); ++i) f.form.adapters.select(i);
        if (f.form.List1.count() > 0) {
            f.form.List1.select(static_cast<int>(rng() % f.form.List1.count()));
            capture::copyDetailLine(f.form, f.p);
        }
        ASSERT_LE(f.form.errorlog.count(), 24);
    }
}
