#include "capture/DiagnosisReport.h"

#include "capture/AdapterView.h"
#include "capture/Diagnosis.h"
#include "capture/ReportParser.h"
#include "capture/ReportText.h"

namespace capture {

namespace {

// The label of a report line: the text before its first colon, without the
// leading blanks and the trailing leader.
std::string_view labelPart(std::string_view line) {
    std::size_t colon = line.find(':');
    if (colon == std::string_view::npos) return {};
    std::string_view label = line.substr(0, colon);
    label = trimmedLeft(label);
    while (!label.empty() && (label.back() == ' ' || label.back() == '.')) label.remove_suffix(1);
    return label;
}

}  // namespace

std::string detectDialect(const std::vector<std::string>& lines) {
    // Labels only the newer layout writes, then those only the older one
    // writes, decide; a report without any address (every adapter
    // disconnected) is told by its indentation (8 blanks before XP's
    // labels, 3 before the newer ones), then by the spelling of "DHCP Enabled".
    int xpIndent = 0, vistaIndent = 0, xpSpelling = 0, vistaSpelling = 0;
    bool xpLabel = false;
    for (const auto& line : lines) {
        std::string_view label = labelPart(line);
        if (label.empty()) continue;
        if (containsNoCase(label, "IPv4 Address") || containsNoCase(label, "IPv6 Address") ||
            containsNoCase(label, "DHCPv6") || containsNoCase(label, "Connection-specific DNS Suffix Search List"))
            return "vista";
        if (equalsNoCase(label, "IP Address") || equalsNoCase(label, "Autoconfiguration IP Address")) xpLabel = true;
        std::size_t indent = line.find_first_not_of(' ');
        xpIndent += indent == 8;
        vistaIndent += indent == 3;
        xpSpelling += label == "Dhcp Enabled";
        vistaSpelling += label == "DHCP Enabled";
    }
    if (xpLabel) return "xp";
    if (xpIndent != vistaIndent) return vistaIndent > xpIndent ? "vista" : "xp";
    return vistaSpelling > xpSpelling ? "vista" : "xp";
}

DiagnosisSummary diagnoseLines(const std::vector<std::string>& fileLines, std::string_view marker,
                               std::string_view timeText) {
    return diagnoseReportList(reportListFrom(fileLines), marker, timeText);
}

DiagnosisSummary diagnoseReportList(const std::vector<std::string>& reportList, std::string_view marker,
                                    std::string_view timeText) {
    DiagnosisSummary summary;
    ParseResult result = parseReport(reportList, marker, timeText, summary.table, false);
    summary.hostName = result.hostName.value_or("");
    summary.status = result.status;
    summary.adapterEntries = std::move(result.adapterEntries);
    summary.faultCount = result.faultCount;
    setLog(summary, timeText, result.log, !result.internalError);
    return summary;
}

void setLog(DiagnosisSummary& summary, std::string_view timeText, const std::vector<std::string>& ruleLog,
            bool trim) {
    const auto limit = static_cast<std::size_t>(kLogLimit);
    if (trim && ruleLog.size() >= limit) {
        // Only the last entries stay; the others are never copied.
        summary.log.assign(ruleLog.end() - static_cast<std::ptrdiff_t>(limit), ruleLog.end());
        return;
    }
    summary.log.clear();
    summary.log.push_back(std::string(timeText) + kRefreshingEntry);
    summary.log.insert(summary.log.end(), ruleLog.begin(), ruleLog.end());
}

std::string formatDiagnosis(const DiagnosisSummary& summary) {
    std::string out = "Status: " + summary.status + "\n";
    out += "Adapters:\n";
    for (std::size_t pos = 0; pos < summary.adapterEntries.size(); ++pos) {
        const std::string& entry = summary.adapterEntries[pos];
        out += entry + "\n";
        int n = adapterNumberOf(entry, static_cast<int>(pos) + 1);
        for (const auto& line : adapterDetails(summary.table, n).lines) out += "  " + line + "\n";
    }
    out += "Log:\n";
    for (const auto& entry : summary.log) out += entry + "\n";
    return out;
}

}  // namespace capture
