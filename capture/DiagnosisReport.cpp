#include "capture/DiagnosisReport.h"

#include "capture/AdapterView.h"
#include "capture/Diagnosis.h"
#include "capture/ReportParser.h"
#include "capture/ReportText.h"

namespace capture {

std::string detectDialect(const std::vector<std::string>& lines) {
    for (const auto& line : lines)
        if (containsNoCase(line, "IPv4 Address")) return "vista";
    return "xp";
}

DiagnosisSummary diagnoseLines(const std::vector<std::string>& fileLines, std::string_view marker,
                               std::string_view timeText) {
    DiagnosisSummary summary;
    ParseResult result = parseReport(reportListFrom(fileLines), marker, timeText, summary.table);
    summary.hostName = result.hostName.value_or("");
    summary.status = result.status;
    summary.adapterEntries = result.adapterEntries;
    summary.faultCount = result.faultCount;
    summary.log.push_back(std::string(timeText) + kRefreshingEntry);
    summary.log.insert(summary.log.end(), result.log.begin(), result.log.end());
    // The parse trims the log at its end, but not after an internal error.
    if (!result.internalError && summary.log.size() > static_cast<std::size_t>(kLogLimit))
        summary.log.erase(summary.log.begin(), summary.log.end() - kLogLimit);
    return summary;
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
