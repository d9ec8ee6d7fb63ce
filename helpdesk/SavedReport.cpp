#include "helpdesk/SavedReport.h"

#include <algorithm>

#include "capture/AdapterView.h"
#include "capture/ReportParser.h"
#include "capture/ReportText.h"
#include "helpdesk/CopyAllReport.h"
#include "platform/TextLines.h"

namespace helpdesk {

namespace {

constexpr const char* kNotAReport =
    "it is not a report: neither an 'ipconfig /all' report (no \"Windows IP Configuration\" line near the top) "
    "nor a Copy All report";

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

// Where the report's title line stands among its first lines (its offset).
std::optional<std::size_t> ipconfigStart(std::string_view text) {
    return startNearTop(text, [](std::string_view line, platform::LineCursor) { return trimmed(line) == kReportTitle; });
}

// The report list a capture loads from the report's lines: the waiting
// line, then every non-empty line. Made in one go, without a second copy.
std::vector<std::string> reportList(std::string_view text) {
    std::vector<std::string> list;
    list.reserve(static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 2);
    list.emplace_back(capture::kPleaseWait);
    platform::LineCursor cursor(text);
    for (std::string_view line; cursor.next(line);)
        if (!line.empty()) list.emplace_back(line);
    return list;
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
    std::string_view start = trimmed(text.substr(0, 8));
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
    std::vector<std::string> list = reportList(std::string_view(text).substr(start));
    std::string().swap(text);  // the list holds the lines from here on
    DiagnosedReport r;
    r.kind = ReportKind::Ipconfig;
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
    r.dialect = o.dialect ? *o.dialect : copyAllDialect(f);
    r.summary = diagnoseCopyAll(f, r.dialect, o.timeText);
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
        value = trimmed(value.substr(0, value.find('(')));
        if (!value.empty()) addresses.emplace_back(value);
    }
    return addresses;
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
