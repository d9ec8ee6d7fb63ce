// Reports in every language Windows writes, composed from the vocabulary
// of each, read as the English report: adapters, fields, faults, layout
// and language.
#include <gtest/gtest.h>

#include "capture/Diagnosis.h"
#include "capture/DiagnosisReport.h"
#include "capture/ReportTranslation.h"
#include "capture/ReportVocabulary.h"
#include "ReportBuilder.h"

using namespace capture;

namespace {

std::string_view localOf(const std::vector<Term>& terms, std::string_view english) {
    for (const Term& t : terms)
        if (t.english == english) return t.local;
    return {};
}

std::size_t characters(std::string_view s) {
    std::size_t n = 0;
    for (char c : s) n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return n;
}

// A label line as Windows writes it: the label, its leader to column
// `indent` + 33 (counted in characters), then ": " and the value.
std::string labelled(std::size_t indent, std::string_view label, std::string_view value) {
    std::string line(indent, ' ');
    line += label;
    line += ' ';
    while (characters(line) < indent + 33) line += characters(line) % 2 ? '.' : ' ';
    return line + ": " + std::string(value);
}

struct Composed {
    std::vector<std::string> lines;
    bool complete = true;  // every label and kind the report uses is known
};

// A report of `t`'s language: an Ethernet adapter with its address and two
// DNS servers, a disconnected wireless adapter and, in the newer layout, a
// tunnel.
Composed compose(const LanguageTerms& t, bool xp) {
    Composed c;
    const std::size_t indent = xp ? 8 : 3;
    auto label = [&](std::string_view english, std::string_view value) {
        std::string_view local = localOf(t.labels, english);
        if (local.empty()) c.complete = false;
        c.lines.push_back(labelled(indent, local, value));
    };
    auto word = [&](std::string_view english) {
        std::string_view local = localOf(t.values, english);
        return local.empty() ? english : local;
    };
    auto header = [&](std::string_view kind, std::string_view name) {
        std::string_view local = localOf(t.kinds, kind);
        if (local.empty()) c.complete = false;
        c.lines.push_back(std::string(local) + " " + std::string(name) + ":");
    };
    std::string preferred = "(" + std::string(localOf(t.statuses, "Preferred")) + ")";
    c.lines = {std::string(t.titles.front()), ""};
    label("Host Name", "Büro-PC");
    label("Node Type", word("Hybrid"));
    label("IP Routing Enabled", word("No"));
    c.lines.push_back("");
    header("Ethernet adapter", "LAN Küche 2");
    label("Connection-specific DNS Suffix", "fritz.box");
    label("Description", "Realtek PCIe GbE");
    label("Physical Address", "00-11-22-33-44-55");
    label("DHCP Enabled", word("Yes"));
    label("Autoconfiguration Enabled", word("Yes"));
    if (xp) label("IP Address", "192.168.178.20");
    else label("IPv4 Address", "192.168.178.20" + (xp ? "" : preferred));
    label("Subnet Mask", "255.255.255.0");
    label("Default Gateway", "192.168.178.1");
    label("DHCP Server", "192.168.178.1");
    label("DNS Servers", "192.168.178.1");
    c.lines.push_back(std::string(indent + 35, ' ') + "fd00::1");
    label("NetBIOS over Tcpip", word("Enabled"));
    c.lines.push_back("");
    header("Wireless LAN adapter", "WLAN");
    label("Media State", word("Media disconnected"));
    label("Description", "Intel Wireless-AC");
    if (!xp) {
        header("Tunnel adapter", "isatap.fritz.box");
        label("Media State", word("Media disconnected"));
    }
    return c;
}

}  // namespace

TEST(ReportTranslation, EveryLanguageReadsAsTheEnglishReport) {
    for (const LanguageTerms& t : reportLanguages()) {
        for (bool xp : {false, true}) {
            Composed c = compose(t, xp);
            if (!c.complete) {
                EXPECT_TRUE(xp) << t.code << ": every language has the newer layout's words";
                continue;
            }
            const std::string where = std::string(t.code) + (xp ? " xp" : " vista");
            TranslatedReport english = translateReport(c.lines);
            EXPECT_EQ(english.language, t.code) << where;
            EXPECT_EQ(detectDialect(english.lines), xp ? "xp" : "vista") << where;
            DiagnosisSummary s = diagnoseLines(english.lines, xp ? "xp" : "vista", "T");
            ASSERT_EQ(s.adapterEntries, (std::vector<std::string>{"1) Ethernet adapter LAN Küche 2",
                                                                   "2) Wireless LAN adapter WLAN"}))
                << where;
            EXPECT_EQ(s.hostName, "BüRO-PC") << where;
            EXPECT_EQ(s.table[1][1], "Name:             Realtek PCIe GbE") << where;
            EXPECT_EQ(s.table[1][2], xp ? "IP Address:       192.168.178.20" : "IP Address:       192.168.178.20(Preferred)")
                << where;
            EXPECT_EQ(s.table[1][4], "Dhcp Enabled:     Yes") << where;
            EXPECT_EQ(s.table[1][11], "DNS Server 1:     192.168.178.1") << where;
            EXPECT_EQ(s.table[1][12], "DNS Server 2:     fd00::1") << where;
            EXPECT_EQ(s.table[2][13], "Media State:      Media disconnected") << where;
            // The one fault: the wireless adapter's (the tunnel is skipped).
            EXPECT_EQ(s.faultCount, 1) << where;
            EXPECT_EQ(s.log.back(), "T Adapter 2 Media not connected: Wireless Network Disconnected") << where;
        }
    }
}

TEST(ReportTranslation, HeadersLabelsAndValuesAsWindowsWritesThem) {
    // A label line is compared as "label|value" (label without its leader).
    auto labelAndValue = [](const std::string& line) {
        std::size_t colon = line.find(':');
        if (line.empty() || line[0] != ' ' || colon == std::string::npos) return line;
        std::string label = line.substr(0, colon);
        while (!label.empty() && (label.back() == ' ' || label.back() == '.')) label.pop_back();
        std::string value = line.substr(colon + 1);
        if (!value.empty() && value[0] == ' ') value.erase(0, 1);
        return label.substr(label.find_first_not_of(' ')) + "|" + value;
    };
    struct Case {
        std::string line, english;
    } cases[] = {
        // Adapter kinds before and after the connection name, the French blank before the colon.
        {"Carte Ethernet Connexion au réseau local :", "Ethernet adapter Connexion au réseau local:"},
        {"Ethernet-Adapter LAN-Verbindung:", "Ethernet adapter LAN-Verbindung:"},
        {"Адаптер Ethernet Ethernet:", "Ethernet adapter Ethernet:"},
        {"以太网适配器 以太网:", "Ethernet adapter 以太网:"},
        {"イーサネット アダプター イーサネット：", "Ethernet adapter イーサネット:"},
        {"Подключение по локальной сети - Ethernet адаптер:", "Ethernet adapter Подключение по локальной сети:"},
        {"Tunneladapter Teredo Tunneling Pseudo-Interface:", "Tunnel adapter Teredo Tunneling Pseudo-Interface:"},
        // A name that is no kind stays as it is.
        {"Ethernet Ethernet:", "Ethernet Ethernet:"},
        // Case, irregular leaders, the label that fills its column, a colon inside the label.
        {"   nom DE L’HÔTE .  . . . . . . . . . : PC", "Host Name|PC"},
        {"   Verbindungsspezifisches DNS-Suffix: fritz.box", "Connection-specific DNS Suffix|fritz.box"},
        {"   Vínculo: dirección IPv6 local. . . : fe80::1%11(Preferido) ", "Link-local IPv6 Address|fe80::1%11(Preferred) "},
        {"   IPv4 地址 . . . . . . . . . . . . : 192.168.0.101（首选）", "IPv4 Address|192.168.0.101(Preferred)"},
        {"   Состояние среды. . . . . . . . : Среда передачи недоступна.", "Media State|Media disconnected"},
        {"        NetBIOS Tcpip:n kautta. . . . . : Käytössä", "NetBIOS over Tcpip|Enabled"},
        {"   DHCP 有効 . . . . . . . . . . . . ：はい", "DHCP Enabled|Yes"},
        // Wordings of the same language's other Windows versions.
        {"   IPv4-adress. . . . . . . . . . . : 192.168.1.20(Önskad)", "IPv4 Address|192.168.1.20(Preferred)"},
        {"   Stav média. . . . . . . . . . . . : Médium odpojeno", "Media State|Media disconnected"},
        {"   Kapcsolatszintű helyi IPv6-cím . : fe80::1%4(Előnyben részesített)",
         "Link-local IPv6 Address|fe80::1%4(Preferred)"},
        {"   DHCPv6 İstemcisi DUID . . . . . . : 00-01", "DHCPv6 Client DUID|00-01"},
        // A value that is no word of the vocabulary stays as written.
        {"   Beschreibung. . . . . . . . . . . : Ja", "Description|Ja"},
        {"   Unbekanntes Feld. . . . . . . . . : Ja", "Unbekanntes Feld|Ja"},
    };
    for (const auto& c : cases) {
        TranslatedReport r = translateReport({"Windows-IP-Konfiguration", "", c.line});
        EXPECT_EQ(labelAndValue(r.lines[2]), c.english) << c.line;
    }
}

TEST(ReportTranslation, ContinuationLinesFollowTheirLabel) {
    // The second DNS server stands under the first, counted in characters:
    // after the label is rewritten it stands in its value column again.
    TranslatedReport r = translateReport({"Настройка протокола IP для Windows", "Адаптер Ethernet Ethernet:",
                                          "   DNS-серверы. . . . . . . . . . . : 192.168.55.1",
                                          "                                       192.168.56.113",
                                          "   NetBios через TCP/IP. . . . . . . . : Включен"});
    DiagnosisSummary s = diagnoseLines(r.lines, "vista", "T");
    EXPECT_EQ(s.table[1][12], "DNS Server 2:     192.168.56.113");
    // A value Windows wrote on the line under its label.
    r = translateReport({"Windows IP-configuratie", "Ethernet-adapter LAN-verbinding:",
                         "        Beschrijving . . . . . . . . . . .:", "          Realtek RTL8139 Family PCI NIC",
                         "        IP-adres. . . . . . . . . . . . . : 192.168.0.201"});
    s = diagnoseLines(r.lines, detectDialect(r.lines), "T");
    EXPECT_EQ(s.table[1][1], "Name:             Realtek RTL8139 Family PCI NIC");
    EXPECT_EQ(s.table[1][2], "IP Address:       192.168.0.201");
}

TEST(ReportTranslation, LayoutIsToldByLabelsEvenWithoutAddresses) {
    using testing_support::vista;
    using testing_support::xp;
    struct Case {
        std::vector<std::string> lines;
        const char* dialect;
        std::size_t adapters;
    } cases[] = {
        // Every adapter disconnected: no address line at all; the tunnels are skipped.
        {{"Windows IP Configuration", "", vista("Host Name", "PC"), "", "Ethernet adapter Local Area Connection:",
          vista("Media State", "Media disconnected"), vista("DHCP Enabled", "Yes"),
          "Wireless LAN adapter Wireless Network Connection:", vista("Media State", "Media disconnected"),
          "Tunnel adapter isatap.{A1}:", vista("Media State", "Media disconnected"),
          "Tunnel adapter Teredo Tunneling Pseudo-Interface:", vista("Media State", "Media disconnected")},
         "vista", 2},
        {{"Windows-IP-Konfiguration", "", vista("Hostname", "PC"), "", "Ethernet-Adapter Ethernet:",
          vista("Medienstatus", "Medium getrennt"), "Tunneladapter isatap.{A1}:", vista("Medienstatus", "Medium getrennt")},
         "vista", 1},
        // The older layout, with its "Dhcp Enabled", unindented as pasted.
        {{"Windows IP Configuration", "Ethernet adapter LAN:", "Media State . . . : Media disconnected",
          "Dhcp Enabled. . . : Yes"},
         "xp", 1},
        {{"Windows IP Configuration", "Ethernet adapter LAN:", xp("Media State", "Media disconnected"),
          "Tunnel adapter Teredo:", xp("Media State", "Media disconnected")},
         "xp", 2},
        {{"Windows IP Configuration", "Ethernet adapter LAN:", xp("IP Address", "fe80::1%4")}, "xp", 1},
    };
    for (const auto& c : cases) {
        TranslatedReport r = translateReport(c.lines);
        std::string dialect = detectDialect(r.lines);
        EXPECT_EQ(dialect, c.dialect) << c.lines[0];
        EXPECT_EQ(diagnoseLines(r.lines, dialect, "T").adapterEntries.size(), c.adapters) << c.lines[0];
    }
}

TEST(ReportTranslation, TitleInEveryLanguageWithOrWithoutRemark) {
    for (const LanguageTerms& t : reportLanguages()) {
        for (std::string_view title : t.titles) {
            EXPECT_TRUE(isReportTitle(title)) << title;
            EXPECT_TRUE(isReportTitle("  " + std::string(title) + " (minus the serial numbers)")) << title;
        }
    }
    for (const char* line : {"Windows IP Config", "Windows IP Configurations", "Ethernet adapter LAN:", ""})
        EXPECT_FALSE(isReportTitle(line)) << line;
}

TEST(ReportTranslation, ReportWithNoFieldRecognisedIsAFault) {
    TranslatedReport r = translateReport({"Windows IP Configuration", "", "Ethernet adapter LAN:",
                                          "   Etiqueta desconocida . . . : 10.0.0.1"});
    DiagnosisSummary s = diagnoseLines(r.lines, "vista", "T");
    EXPECT_EQ(s.status, kReportNotRead);
    EXPECT_EQ(s.faultCount, 1);
    EXPECT_EQ(translateReport({"Some text", "no report"}).language, "");
}
