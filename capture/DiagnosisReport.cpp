#include "capture/DiagnosisReport.h"

#include "capture/AdapterView.h"
#include "capture/Diagnosis.h"
#include "capture/ReportParser.h"
#include "capture/ReportText.h"

namespace capture {

std::string detectDialect(const std::vector<std::string>& lines) {
    for (const auto& line : lines)
        // An IPv6-only machine has no IPv4 line; XP wrote "IP Address" for both.
        if (containsNoCase(line, "IPv4 Address") || containsNoCase(line, "IPv6 Address")) return "vista";
    return "xp";
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
