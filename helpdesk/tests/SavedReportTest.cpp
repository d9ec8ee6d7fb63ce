// Saved reports as users send them: every encoding and both kinds of
// report, read back and diagnosed as the window diagnoses them.
#include <gtest/gtest.h>
#include <iconv.h>

#include <fstream>
#include <nlohmann/json.hpp>
#include <random>

#include "capture/Diagnosis.h"
#include "helpdesk/CopyAllReport.h"
#include "helpdesk/ReportOutput.h"
#include "helpdesk/SavedReport.h"
#include "reports/ConfigReport.h"
#include "ReportBuilder.h"

using namespace helpdesk;

namespace {

std::string sample(const std::string& name) {
    std::ifstream in(std::string(TEST_DATA_DIR) + "/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

SavedReportResult diagnose(std::string bytes, CodePage page = CodePage::Automatic) {
    return diagnoseSavedReport(std::move(bytes), {page, std::nullopt, "T"});
}

DiagnosedReport mustRead(std::string bytes) {
    auto r = diagnose(std::move(bytes));
    EXPECT_TRUE(r.report) << r.refusal;
    return r.report ? *r.report : DiagnosedReport{};
}

// The faults a Copy All report can carry: every log entry but the media
// faults and the framing entries.
std::vector<std::string> carriedFaults(const capture::DiagnosisSummary& s) {
    std::vector<std::string> out;
    for (const auto& entry : s.log)
        if (entry.find("Media not connected") == std::string::npos && entry.find("Refreshing") == std::string::npos &&
            entry.find("No errors found") == std::string::npos)
            out.push_back(entry);
    return out;
}

// What the window's Copy All writes for a diagnosed report.
reports::ReportFields copyAllFields(const DiagnosedReport& r) {
    reports::ReportFields f;
    f.host = r.host.computerName.value_or("");
    f.domain = "WORKGROUP";
    f.groupKind = "Workgroup";
    f.user = "someone";
    for (std::size_t n = 1; n <= r.summary.adapterEntries.size() && n < app::kAdapterRows; ++n) {
        auto& a = f.adapters.emplace_back();
        std::copy_n(r.summary.table[n].begin(), a.size(), a.begin());
    }
    return f;
}

}  // namespace

TEST(SavedReport, EveryEncodingAndKindFromSavedSamples) {
    struct Case {
        const char* file;
        const char* encoding;
        ReportKind kind;
        int faults;
        std::vector<const char*> shown;  // in the text output
    } cases[] = {
        {"cp850-xp-accented-names.txt", "cp850", ReportKind::Ipconfig, 3,
         {"Computer name: LAB-øST\n", "1) Ethernet adapter Conexão de Área Local\n",
          "  Name:             Contrôleur Realtek RTL8139 Família\n", "Media not connected: Cable Error"}},
        {"cp437-xp-us-names.txt", "cp437", ReportKind::Ipconfig, 0,
         {"1) Ethernet adapter Señor Café LAN\n", "Netzwerkverbindung für Büro\n", "Status: No errors found\n"}},
        {"utf16-vista-powershell.txt", "utf-16le", ReportKind::Ipconfig, 1,
         {"1) Wireless LAN adapter Wireless Network Connection Küche\n",
          "Media not connected: Wireless Network Disconnected", "IP Address:       192.168.1.102(Preferred) \n"}},
        {"utf8-linux-report.txt", "utf-8", ReportKind::Ipconfig, 0, {"Name:             Virtio “net” Ethernet — café\n"}},
        {"copyall-xp-clipboard.txt", "ascii", ReportKind::CopyAll, 3,
         {"Username: jsmith\n", "Public IP: Unable to Connect/err2\n", "Private IP: 169.254.23.5 / 0.0.0.0\n",
          kNoMediaStateLine, "Status:  DNS 1 CORRUPTION ERROR detected.  Click to see log.\n",
          "T Adapter 3 : IP address is not set. (0.0.0.0)\n", "\nVerdict: Not connected: ",
          "  unset-address on 1394 Connection: "}},
        {"email-vista-mailto.txt", "ascii", ReportKind::Email, 0,
         {"Username: Anna & Ben\n", "Domain/Workgroup: HOME (Workgroup)\n", kNoMediaStateLine,
          "  Lease Expires:    Friday, March 14, 2008 7:55:12 PM\n", "Status: No errors found\n",
          // Without media state an adapter without an address may be unplugged: idle, no fault.
          "\nVerdict: Connected through Local Area Connection (", "\n  idle-adapter on Wireless Network Connection: "}},
    };
    for (const auto& c : cases) {
        DiagnosedReport r = mustRead(sample(c.file));
        EXPECT_EQ(r.encoding, c.encoding) << c.file;
        EXPECT_EQ(r.kind, c.kind) << c.file;
        EXPECT_EQ(r.summary.faultCount, c.faults) << c.file;
        std::string text = reportText(r);
        for (const char* s : c.shown) EXPECT_NE(text.find(s), std::string::npos) << c.file << ": " << s << "\n" << text;
        EXPECT_EQ(text.find(kNoMediaStateLine) != std::string::npos, !carriesMediaState(r.kind)) << c.file;
    }
}

TEST(SavedReport, DecodingEdges) {
    auto utf16le = [](std::u16string_view s) {
        std::string out;
        for (char16_t c : s) {
            out += static_cast<char>(c & 0xFF);
            out += static_cast<char>(c >> 8);
        }
        return out;
    };
    struct Case {
        std::string bytes;
        CodePage page;
        std::string text, encoding;
    } cases[] = {
        // Letters only 850 has win; where the pages read alike, 437.
        {"a\x9B", CodePage::Automatic, "aø", "cp850"},
        {"a\x9B", CodePage{437}, "a¢", "cp437"},
        {"caf\x82", CodePage::Automatic, "café", "cp437"},
        {"Conex\xC6o \xB5rea", CodePage::Automatic, "Conexão Área", "cp850"},
        // UTF-8 stays UTF-8 whatever page is asked for; its mark goes.
        {"caf\xC3\xA9", CodePage{850}, "café", "utf-8"},
        {"\xEF\xBB\xBFWin", CodePage::Automatic, "Win", "utf-8"},
        {"plain", CodePage::Automatic, "plain", "ascii"},
        {"\xFF\xFE" + utf16le(u"K\u00fcche \U0001F600"), CodePage::Automatic, "Küche 😀", "utf-16le"},
        {std::string("\xFE\xFF\x00W\x00i", 6), CodePage::Automatic, "Wi", "utf-16be"},
        {utf16le(u"Windows"), CodePage::Automatic, "Windows", "utf-16le"},  // no mark
        // A lone surrogate and an odd last byte become U+FFFD.
        {"\xFF\xFE" + utf16le(u"a") + std::string("\x00\xD8", 2) + "b", CodePage::Automatic, "a\uFFFD\uFFFD",
         "utf-16le"},
    };
    for (auto& c : cases) {
        DecodedText d = decodeReport(std::string(c.bytes), c.page);
        EXPECT_EQ(d.text, c.text) << c.bytes;
        EXPECT_EQ(d.encoding, c.encoding) << c.bytes;
    }
}

TEST(SavedReport, EveryConsoleCodePageRoundTrips) {
    using testing_support::vista;
    auto encoded = [](const std::string& text, int page) {
        iconv_t cd = iconv_open(("CP" + std::to_string(page)).c_str(), "UTF-8");
        EXPECT_NE(cd, reinterpret_cast<iconv_t>(-1)) << page;
        std::string out(text.size() * 2, '\0');
        char* in = const_cast<char*>(text.data());
        char* to = out.data();
        std::size_t inLeft = text.size(), outLeft = out.size();
        EXPECT_NE(iconv(cd, &in, &inLeft, &to, &outLeft), static_cast<std::size_t>(-1)) << page;
        iconv_close(cd);
        out.resize(out.size() - outLeft);
        return out;
    };
    struct Case {
        int page;
        bool forced;  // the page is named: its text reads alike in another
        const char* language;
        std::vector<std::string> lines;
        const char* adapter;
        int misreadIn = 0;  // also pasted from an editor that read it in this Windows page
    } cases[] = {
        {437, false, "en", {"Windows IP Configuration", "", "Ethernet adapter Señor Café:", vista("Description", "NIC"),
          vista("IPv4 Address", "10.0.0.2")},
         "Ethernet adapter Señor Café"},
        {850, false, "de", {"Windows-IP-Konfiguration", "", vista("Primäres DNS-Suffix", ""), "Drahtlos-LAN-Adapter WLAN Küche:",
          vista("IPv4-Adresse", "192.168.178.20(Bevorzugt)")}, "Wireless LAN adapter WLAN Küche", 1252},
        {850, false, "fr", {"Configuration IP de Windows", "", "Carte Ethernet Connexion au réseau local :",
          vista("Adresse IPv4", "10.0.0.2(préféré)"), vista("Passerelle par défaut", "10.0.0.1")},
         "Ethernet adapter Connexion au réseau local"},
        {852, false, "pl", {"Konfiguracja IP systemu Windows", "", "Karta Ethernet Połączenie lokalne:",
          vista("Typ węzła", "Hybrydowy"), vista("Brama domyślna", "10.0.0.1")}, "Ethernet adapter Połączenie lokalne", 1250},
        {866, false, "ru", {"Настройка протокола IP для Windows", "", "Адаптер Ethernet Подключение по локальной сети:",
          vista("IPv4-адрес", "10.0.0.2(Основной)")}, "Ethernet adapter Подключение по локальной сети", 1251},
        {855, false, "ru", {"Настройка протокола IP для Windows", "", "Адаптер Ethernet Подключение:",
          vista("Маска подсети", "255.0.0.0")}, "Ethernet adapter Подключение"},
        {857, false, "tr", {"Windows IP Yapılandırması", "", "Ethernet bağdaştırıcısı Yerel Ağ Bağlantısı:",
          vista("Varsayılan Ağ Geçidi", "10.0.0.1")}, "Ethernet adapter Yerel Ağ Bağlantısı", 1254},
        {737, false, "el", {"Ρύθμιση παραμέτρων IP των Windows", "", "Προσαρμογέας Ethernet Τοπική σύνδεση:",
          vista("Μάσκα υποδικτύου", "255.0.0.0")}, "Ethernet adapter Τοπική σύνδεση"},
        {865, true, "da", {"Windows IP-konfiguration", "", "Ethernet-netværkskort LAN-forbindelse Ø:",
          vista("Værtsnavn", "pc"), vista("Undernetmaske", "255.0.0.0")}, "Ethernet adapter LAN-forbindelse Ø"},
        {775, true, "en", {"Windows IP Configuration", "", "Ethernet adapter Vietinis ryšys:", vista("Description", "NIC"),
          vista("IPv4 Address", "10.0.0.2")},
         "Ethernet adapter Vietinis ryšys"},
        {932, false, "ja", {"Windows IP 構成", "", "イーサネット アダプター イーサネット:",
          vista("IPv4 アドレス", "10.0.0.2(優先)"), vista("サブネット マスク", "255.0.0.0")}, "Ethernet adapter イーサネット"},
        {936, false, "zh-CN", {"Windows IP 配置", "", "以太网适配器 本地连接:", vista("IPv4 地址", "10.0.0.2(首选)"),
          vista("子网掩码", "255.0.0.0")}, "Ethernet adapter 本地连接"},
        {949, false, "ko", {"Windows IP 구성", "", "이더넷 어댑터 로컬 영역 연결:", vista("IPv4 주소", "10.0.0.2(기본 설정)"),
          vista("서브넷 마스크", "255.0.0.0")}, "Ethernet adapter 로컬 영역 연결"},
        {950, false, "zh-TW", {"Windows IP 設定", "", "乙太網路卡 區域連線:", vista("IPv4 位址", "10.0.0.2(偏好選項)"),
          vista("子網路遮罩", "255.0.0.0")}, "Ethernet adapter 區域連線"},
        // English labels, names in the console page of a Chinese Windows.
        {936, false, "en", {"Windows IP Configuration", "", "PPP adapter 宽带:", vista("Description", "无线网络连接"),
          vista("IPv4 Address", "10.0.0.2")}, "PPP adapter 宽带"},
    };
    for (const auto& c : cases) {
        std::string text;
        for (const auto& line : c.lines) text += line + "\r\n";
        const std::string where = std::to_string(c.page) + " " + c.language;
        DecodedText d = decodeReport(encoded(text, c.page), c.forced ? CodePage{c.page} : CodePage::Automatic);
        EXPECT_EQ(d.encoding, "cp" + std::to_string(c.page)) << where;
        EXPECT_EQ(d.text, text) << where;
        auto r = diagnose(encoded(text, c.page), c.forced ? CodePage{c.page} : CodePage::Automatic);
        ASSERT_TRUE(r.report) << where << ": " << r.refusal;
        EXPECT_EQ(r.report->language, c.language) << where;
        EXPECT_EQ(r.report->summary.adapterEntries, std::vector<std::string>{std::string("1) ") + c.adapter}) << where;
        EXPECT_EQ(r.report->summary.faultCount, 0) << where << "\n" << reportText(*r.report);
        if (c.misreadIn) {
            // Each byte as the editor showed it; those its page leaves undefined as C1 controls.
            std::string pasted;
            for (char b : encoded(text, c.page)) {
                std::string one = fromCodePage(std::string(1, b), c.misreadIn).value_or("");
                if (one == "\uFFFD") one = std::string{static_cast<char>(0xC2), b};
                pasted += one;
            }
            DecodedText repaired = decodeReport(std::move(pasted), CodePage::Automatic);
            EXPECT_EQ(repaired.encoding, "cp" + std::to_string(c.page)) << where << " read in " << c.misreadIn;
            EXPECT_EQ(repaired.text, text) << where << " read in " << c.misreadIn;
        }
    }
    EXPECT_FALSE(fromCodePage("x", 1234));
    EXPECT_EQ(fromCodePage("\x81", 932).value_or(""), "\uFFFD");  // a lead byte cut short
}

TEST(SavedReport, LanguageAndRemarkedTitleInTheOutput) {
    DiagnosedReport r = mustRead("Windows IP Configuration (minus the serial numbers)\r\n\r\n"
                                 "Ethernet adapter LAN:\r\n   IPv4 Address. . . . . . . . . . . : 10.0.0.2\r\n");
    EXPECT_EQ(r.summary.adapterEntries, std::vector<std::string>{"1) Ethernet adapter LAN"});
    EXPECT_NE(reportText(r).find("Language: en\n"), std::string::npos);
    r = mustRead("Configuration IP de Windows\n\nCarte Ethernet Ethernet :\n   Statut du média. . . . : Média déconnecté\n");
    auto j = nlohmann::json::parse(reportJson(r, std::string("fr.txt")));
    EXPECT_EQ(j["language"], "fr");
    EXPECT_EQ(j["adapters"][0]["fields"]["Media State"], "Media disconnected");
    // Nothing recognised: no language, and a fault rather than "No errors found".
    r = mustRead("Windows IP Configuration\n\nEthernet adapter LAN:\n   Adresse inconnue . . . : 10.0.0.2\n");
    EXPECT_EQ(r.summary.status, capture::kReportNotRead);
    EXPECT_EQ(exitStatusOf(r), 1);
}

TEST(SavedReport, ReportAndItsCopyAllTextGiveTheSameFaults) {
    for (const char* file : {"xp-cable-apipa-unset.txt", "xp-dhcp-two-dns.txt", "vista-ethernet-wifi-tunnels.txt",
                             "cp850-xp-accented-names.txt", "utf16-vista-powershell.txt"}) {
        DiagnosedReport direct = mustRead(sample(file));
        reports::ReportFields fields = copyAllFields(direct);
        int mediaFaults = 0;
        for (const auto& entry : direct.summary.log) mediaFaults += entry.find("Media not connected") != std::string::npos;
        for (auto [text, kind] : {std::pair{reports::configurationReport(fields, "\r\n"), ReportKind::CopyAll},
                                  std::pair{reports::mailtoAddress(fields), ReportKind::Email}}) {
            DiagnosedReport back = mustRead(text);
            EXPECT_EQ(back.kind, kind) << file;
            EXPECT_EQ(back.dialect, direct.dialect) << file;
            EXPECT_EQ(carriedFaults(back.summary), carriedFaults(direct.summary)) << file;
            EXPECT_EQ(back.summary.faultCount, direct.summary.faultCount - mediaFaults) << file;
            EXPECT_EQ(back.summary.adapterEntries, direct.summary.adapterEntries) << file;
            EXPECT_EQ(back.host.privateAddresses, direct.host.privateAddresses) << file;
            // Every field the report carries comes back as the table held it.
            for (std::size_t n = 1; n <= direct.summary.adapterEntries.size(); ++n)
                for (std::size_t f = 0; f < reports::kReportFieldsPerAdapter; ++f)
                    EXPECT_EQ(back.summary.table[n][f], direct.summary.table[n][f]) << file << " " << n << "/" << f;
        }
    }
}

// Values that hold "%0A", "&" or "#" (a DHCP-supplied suffix, a forged
// public address) come back from the e-mail as one value each: no adapter
// is forged, nothing is cut.
TEST(SavedReport, AValueInTheMailStaysOneValue) {
    reports::ReportFields f;
    f.host = "DESK1";
    f.domain = "R&D#1";
    f.groupKind = "Workgroup";
    f.publicAddress = "6.6.6.6&bcc=x@evil.test";
    std::array<std::string, reports::kReportFieldsPerAdapter> adapter{};
    adapter[0] = "1) Local Area Connection";
    adapter[1] = "Name:             evil%0A2) Forged adapter%0AIP Address:       169.254.6.6";
    adapter[2] = "IP Address:       192.168.1.10";
    f.adapters.push_back(adapter);
    DiagnosedReport r = mustRead(reports::mailtoAddress(f));
    EXPECT_EQ(r.kind, ReportKind::Email);
    EXPECT_EQ(r.summary.adapterEntries.size(), 1u);
    EXPECT_EQ(r.summary.table[1][1], adapter[1]);
    EXPECT_EQ(r.host.lanGroup.value_or(""), "R&D#1");
    EXPECT_EQ(r.host.publicAddress.value_or(""), f.publicAddress);
}

TEST(SavedReport, CopyAllTextAsMailProgramsPassItOn) {
    const std::string original = sample("copyall-xp-clipboard.txt");
    auto lf = original;
    std::erase(lf, '\r');
    std::string lowerMail = "mailto:?subject=Lanomat Info&body=";
    for (char c : original) {
        if (c == '\r') continue;
        lowerMail += c == '\n' ? std::string("%0a") : std::string(1, c);
    }
    // A mail program that collapsed the label column's blanks.
    std::string collapsed = lf;
    for (std::size_t at; (at = collapsed.find("  ")) != std::string::npos;) collapsed.erase(at, 1);
    for (const std::string& text : {lf, lowerMail, "Hello, here is my configuration:\n\n" + lf, collapsed}) {
        DiagnosedReport r = mustRead(text);
        EXPECT_EQ(r.summary.faultCount, 3) << text;
        EXPECT_EQ(r.host.userName.value_or(""), "jsmith") << text;
        EXPECT_EQ(r.summary.table[3][11], "DNS Server 1:     dns.lab.example") << text;
    }
    // A report holds ten adapters at most: more blocks are not read.
    std::string many = lf.substr(0, lf.find("1) "));
    for (int n = 1; n <= 40; ++n) many += std::to_string(n) + ") Ethernet adapter eth" + std::to_string(n) + "\nIP Address:       169.254.0.1\n";
    DiagnosedReport r = mustRead(many);
    EXPECT_EQ(r.summary.adapterEntries.size(), 10u);
    EXPECT_EQ(r.summary.faultCount, 10);
}

TEST(SavedReport, WhatIsNoReportIsRefusedWithTheReason) {
    std::mt19937 rng(18);
    std::string random(64 * 1024, '\0');
    for (auto& c : random) c = static_cast<char>(rng());
    std::string late = std::string(12, '\n');
    for (int i = 0; i < 11; ++i) late += "line " + std::to_string(i) + "\n";
    late += "Windows IP Configuration\n";
    const std::string copyAllHead = "Computer name:    PC\nDomain/Workgroup: W(Workgroup)\nUsername:         u\n";
    for (const std::string& bytes :
         {std::string("root:x:0:0:root:/root:/bin/bash\ndaemon:x:1:1::/usr/sbin:/usr/sbin/nologin\n"), random,
          std::string(4096, '\0'), std::string("\n\r\n  \n"), late, copyAllHead, std::string("Windows IP Config\n")}) {
        auto r = diagnose(bytes);
        EXPECT_FALSE(r.report) << bytes.substr(0, 60);
        EXPECT_NE(r.refusal.find("not a report"), std::string::npos) << r.refusal;
    }
    EXPECT_EQ(diagnose("").refusal, "it is empty");
    // Near the top: a prompt line and a blank before the title are fine.
    EXPECT_TRUE(diagnose("C:\\>ipconfig /all\r\n\r\nWindows IP Configuration\r\n").report);
}

TEST(SavedReport, JsonLinesCarryEveryPartOfTheDiagnosis) {
    DiagnosedReport r = mustRead(sample("copyall-xp-clipboard.txt"));
    std::string line = reportJson(r, std::string("in\x01vo\xFFice.txt"));
    ASSERT_EQ(line.back(), '\n');
    ASSERT_EQ(line.find('\n'), line.size() - 1) << "one line per report";
    auto j = nlohmann::json::parse(line);
    EXPECT_EQ(j["file"], "in\x01vo\xEF\xBF\xBD" "ice.txt");
    EXPECT_EQ(j["kind"], "copy-all");
    EXPECT_EQ(j["encoding"], "ascii");
    EXPECT_EQ(j["dialect"], "xp");
    EXPECT_EQ(j["mediaState"], false);
    EXPECT_EQ(j["host"]["userName"], "jsmith");
    EXPECT_EQ(j["host"]["privateAddresses"], nlohmann::json({"169.254.23.5", "0.0.0.0"}));
    EXPECT_EQ(j["status"], " DNS 1 CORRUPTION ERROR detected.  Click to see log.");
    EXPECT_EQ(j["faultCount"], 3);
    EXPECT_EQ(j["exitStatus"], 1);
    ASSERT_EQ(j["adapters"].size(), 3u);
    EXPECT_EQ(j["adapters"][2]["number"], 3);
    EXPECT_EQ(j["adapters"][2]["name"], "Ethernet adapter 1394 Connection");
    EXPECT_EQ(j["adapters"][2]["fields"]["DNS Server 1"], "dns.lab.example");
    EXPECT_EQ(j["adapters"][1]["fields"]["Autocfg. Enabled"], "Yes");
    EXPECT_EQ(j["log"].back(), "T DNS 1 ERROR detected.");

    auto refused = nlohmann::json::parse(refusalJson("/dev/zero", "it is not a regular file but a character device"));
    EXPECT_EQ(refused, nlohmann::json({{"file", "/dev/zero"},
                                       {"error", "it is not a regular file but a character device"},
                                       {"exitStatus", 2}}));
    auto live = nlohmann::json::parse(reportJson(r, std::nullopt));
    EXPECT_TRUE(live["file"].is_null());
}

TEST(SavedReport, ControlCharactersNeverReachTheTerminal) {
    std::string report = "Windows IP Configuration\r\nEthernet adapter \x1b]0;owned\x07 LAN:\r\n"
                         "        Description . . . . . . . . . . . : \xc2\x9b" "31mred\x7f\r\n";
    std::string text = reportText(mustRead(report));
    EXPECT_NE(text.find("1) Ethernet adapter ?]0;owned? LAN\n"), std::string::npos) << text;
    EXPECT_NE(text.find("Name:             ?31mred?\n"), std::string::npos) << text;
    EXPECT_EQ(reportHeading("a\nb"), "Report: a?b\n");
}

namespace {

bool validUtf8(const std::string& text) {
    iconv_t cd = iconv_open("UTF-8", "UTF-8");
    std::string copy = text, out(text.size() + 16, '\0');
    char* in = copy.data();
    char* to = out.data();
    std::size_t inLeft = copy.size(), outLeft = out.size();
    bool ok = iconv(cd, &in, &inLeft, &to, &outLeft) != static_cast<std::size_t>(-1) && inLeft == 0;
    iconv_close(cd);
    return ok;
}

}  // namespace

// Damaged UTF-16 reports (a byte lost or doubled on the way, so every
// character after it is read a byte off): 410 of them, from the reports the
// tests hold widened to UTF-16. Every text and JSON output is valid UTF-8.
TEST(HostileReports, DamagedUtf16ReportsGiveValidUtf8) {
    std::vector<std::string> reports{sample("utf16-vista-powershell.txt")};
    for (const char* file : {"xp-dhcp-two-dns.txt", "vista-ethernet-wifi-tunnels.txt", "utf8-linux-report.txt",
                             "cp850-xp-accented-names.txt"}) {
        std::string text = sample(file), wide = "\xFF\xFE";
        for (unsigned char c : text) wide += std::string{static_cast<char>(c), c >= 0x80 ? '\x04' : '\0'};
        reports.push_back(wide);
    }
    int damaged = 0, invalidText = 0, invalidJson = 0;
    for (const auto& report : reports) {
        for (int k = 0; k < 82; ++k) {
            std::string bytes = report;
            std::size_t at = 3 + (bytes.size() - 4) * static_cast<std::size_t>(k) / 82;
            if (k % 2 == 0) bytes.erase(at, 1);
            else bytes.insert(at, 1, bytes[at]);
            ++damaged;
            auto r = diagnose(bytes);
            if (!r.report) continue;
            const std::string text = reportText(*r.report), json = reportJson(*r.report, "damaged.txt");
            invalidText += !validUtf8(text);
            invalidJson += !validUtf8(json) || !nlohmann::json::accept(json);
            if (!validUtf8(text)) ADD_FAILURE() << "report " << damaged << ":\n" << text;
        }
    }
    EXPECT_EQ(damaged, 410);
    EXPECT_EQ(invalidText, 0);
    EXPECT_EQ(invalidJson, 0);
}
