#include "helpdesk/SavedReport.h"

#include <algorithm>
#include <array>

#include "capture/AdapterView.h"
#include "capture/ReportParser.h"
#include "capture/ReportText.h"
#include "capture/ReportTranslation.h"
#include "helpdesk/CopyAllReport.h"
#include "helpdesk/PastedReport.h"
#include "platform/TextLines.h"

namespace helpdesk {

namespace {

constexpr const char* kNotAReport =
    "it is not a report: neither an 'ipconfig /all' report (no \"Windows IP Configuration\" line, in any language, "
    "near the top) "
    "nor a Copy All report";

// Where the report's title line, in any language, stands among its first
// lines (its offset).
std::optional<std::size_t> ipconfigStart(std::string_view text) {
    return startNearTop(text, [](std::string_view line, platform::LineCursor) { return capture::isReportTitle(line); });
}

// A report pasted without its title and global section still has label
// lines with leader dots from its first lines on.
std::optional<std::size_t> untitledStart(std::string_view text) {
    constexpr int kLinesLooked = 30, kLabelLinesNeeded = 3;
    platform::LineCursor cursor(text);
    std::optional<std::size_t> start;
    int labels = 0, seen = 0;
    std::string_view line;
    for (std::size_t at = 0; seen < kLinesLooked && cursor.next(line); ++seen, at = cursor.offset()) {
        if (!start && !capture::trimmed(line).empty()) start = at;
        if (isLabelLine(line) && ++labels == kLabelLinesNeeded) return start;
    }
    return std::nullopt;
}

// A report line for the verdict: label, leader, value.
std::string labelled(std::string_view label, std::string_view value) {
    return "   " + std::string(label) + " . . . : " + std::string(value);
}

bool holdsMailLineEnds(std::string_view text) {
    return text.find("%0A") != std::string_view::npos || text.find("%0a") != std::string_view::npos;
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// The e-mail report's body: "mailto:...body=" dropped, every "%XX" decoded
// once ("%0A" the line ends), so an encoded "%" in a value stays in it and
// never becomes a line of its own.
std::string mailBody(std::string_view text) {
    std::string_view start = capture::trimmed(text.substr(0, 8));
    if (start.rfind("mailto:", 0) == 0) {
        std::size_t body = text.find("body=");
        if (body != std::string_view::npos) text.remove_prefix(body + 5);
    }
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        int high = text[i] == '%' && i + 2 < text.size() ? hexValue(text[i + 1]) : -1;
        int low = high >= 0 ? hexValue(text[i + 2]) : -1;
        if (low >= 0) {
            out += static_cast<char>(high * 16 + low);
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

DiagnosedReport fromIpconfig(std::string&& text, std::size_t start, const ReadOptions& o) {
    // The report list a capture loads: the waiting line, then the lines.
    std::vector<std::string> list{capture::kPleaseWait};
    unwrapPastedLines(std::string_view(text).substr(start), list);
    std::string().swap(text);  // the list holds the report from here on
    capture::TranslatedReport english = capture::translateReport(std::move(list));
    list = std::move(english.lines);
    DiagnosedReport r;
    r.kind = ReportKind::Ipconfig;
    r.language = std::move(english.language);
    r.verdict = verdictOnLines(list);
    r.dialect = o.dialect ? *o.dialect : capture::detectDialect(list);
    r.summary = capture::diagnoseReportList(list, r.dialect, o.timeText);
    if (!r.summary.hostName.empty()) r.host.computerName = r.summary.hostName;
    r.host.privateAddresses = tableAddresses(r.summary);
    return r;
}

DiagnosedReport fromCopyAll(std::string_view text, ReportKind kind, const ReadOptions& o) {
    reports::ReportFields f = readCopyAll(text);
    DiagnosedReport r;
    r.kind = kind;
    r.language = "en";  // the program's own report
    r.dialect = o.dialect ? *o.dialect : copyAllDialect(f);
    r.summary = diagnoseCopyAll(f, r.dialect, o.timeText);
    r.verdict = verdictOnTable(r.summary);
    HostFacts& h = r.host;
    auto fact = [](std::string& value) {
        return value.empty() ? std::nullopt : std::optional<std::string>(std::move(value));
    };
    h.computerName = fact(f.host);
    h.lanGroup = fact(f.domain);
    h.groupKind = fact(f.groupKind);
    h.userName = fact(f.user);
    h.windowsFolder = fact(f.windowsFolder);
    h.operatingSystem = fact(f.operatingSystem);
    h.memory = fact(f.memory);
    h.publicAddress = fact(f.publicAddress);
    h.privateAddresses = tableAddresses(r.summary);
    return r;
}

}  // namespace

const char* kindName(ReportKind kind) {
    switch (kind) {
        case ReportKind::Ipconfig: return "ipconfig";
        case ReportKind::CopyAll: return "copy-all";
        case ReportKind::Email: return "e-mail";
        case ReportKind::Live: return "live";
    }
    return "";
}

std::vector<std::string> tableAddresses(const capture::DiagnosisSummary& summary) {
    std::vector<std::string> addresses;
    for (std::size_t pos = 0; pos < summary.adapterEntries.size(); ++pos) {
        int n = capture::adapterNumberOf(summary.adapterEntries[pos], static_cast<int>(pos) + 1);
        if (n < 1 || n >= app::kAdapterRows) continue;
        const std::string& cell = summary.table[static_cast<std::size_t>(n)][2];
        if (cell.size() <= capture::kLabelColumn) continue;
        std::string_view value = std::string_view(cell).substr(capture::kLabelColumn);
        value = capture::trimmed(value.substr(0, value.find('(')));
        if (!value.empty()) addresses.emplace_back(value);
    }
    return addresses;
}

Verdict verdictOnLines(const std::vector<std::string>& lines) { return judge(readMachineFacts(lines)); }

Verdict verdictOnTable(const capture::DiagnosisSummary& summary) {
    // The table's fields written back as report lines: what a Copy All
    // report carries of each adapter.
    constexpr std::array<std::pair<int, std::string_view>, 8> kLabels{{{1, "Description"},
                                                                      {4, "DHCP Enabled"},
                                                                      {2, "IP Address"},
                                                                      {6, "Subnet Mask"},
                                                                      {7, "Default Gateway"},
                                                                      {8, "DHCP Server"},
                                                                      {11, "DNS Servers"},
                                                                      {12, ""}}};
    std::vector<std::string> lines;
    for (std::size_t pos = 0; pos < summary.adapterEntries.size(); ++pos) {
        const std::string& entry = summary.adapterEntries[pos];
        int n = capture::adapterNumberOf(entry, static_cast<int>(pos) + 1);
        if (n < 1 || n >= app::kAdapterRows) continue;
        std::size_t name = entry.find(") ");
        lines.push_back((name == std::string::npos ? entry : entry.substr(name + 2)) + ":");
        for (auto [field, label] : kLabels) {
            const std::string& cell = summary.table[static_cast<std::size_t>(n)][static_cast<std::size_t>(field)];
            if (cell.size() <= capture::kLabelColumn) continue;
            std::string_view value = std::string_view(cell).substr(capture::kLabelColumn);
            lines.push_back(label.empty() ? std::string(40, ' ') + std::string(value) : labelled(label, value));
        }
    }
    MachineFacts facts = readMachineFacts(lines);
    facts.mediaStateKnown = false;
    return judge(facts);
}

SavedReportResult diagnoseSavedReport(std::string&& bytes, const ReadOptions& options) {
    if (bytes.empty()) return {std::nullopt, "it is empty"};
    // The raw bytes go as soon as they are decoded.
    DecodedText decoded = [&] {
        std::string raw = std::move(bytes);
        return decodeReport(std::move(raw), options.codePage);
    }();
    std::string_view text = decoded.text;
    std::optional<std::size_t> ipconfig = ipconfigStart(text);
    std::optional<std::size_t> copyAll = copyAllStart(text);
    if (!ipconfig && !copyAll) ipconfig = untitledStart(text);
    SavedReportResult result;
    if (ipconfig && (!copyAll || *ipconfig < *copyAll)) {
        result.report = fromIpconfig(std::move(decoded.text), *ipconfig, options);
    } else if (copyAll) {
        result.report = fromCopyAll(text.substr(*copyAll), ReportKind::CopyAll, options);
    } else if (holdsMailLineEnds(text)) {
        std::string body = mailBody(text);
        if (auto start = copyAllStart(body))
            result.report = fromCopyAll(std::string_view(body).substr(*start), ReportKind::Email, options);
    }
    if (!result.report) return {std::nullopt, kNotAReport};
    result.report->encoding = std::move(decoded.encoding);
    return result;
}

}  // namespace helpdesk
