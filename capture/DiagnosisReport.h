// The help-desk diagnosis of a saved report, as printable text.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "forms/AdapterTable.h"

namespace capture {

// The layout of an English (or translated) report: "vista" when a label
// only the newer layout writes is there ("IPv4 Address", "Link-local IPv6
// Address", ...), "xp" when "IP Address" is; without either, by the labels'
// indentation and the spelling of "DHCP Enabled"; else "xp".
std::string detectDialect(const std::vector<std::string>& lines);

struct DiagnosisSummary {
    std::string status;
    std::vector<std::string> adapterEntries;
    app::AdapterTable table{};
    std::vector<std::string> log;
    int faultCount = 0;
    std::string hostName;  // from the report, upper-cased; empty when it names none
};

// Runs a Refresh's load, parse and diagnosis on the lines of a saved
// report, without writing any script.
DiagnosisSummary diagnoseLines(const std::vector<std::string>& fileLines, std::string_view marker,
                               std::string_view timeText);
// The same on the report list a load makes of them (reportListFrom).
DiagnosisSummary diagnoseReportList(const std::vector<std::string>& reportList, std::string_view marker,
                                    std::string_view timeText);

// The summary's log as a Refresh leaves it: the " Refreshing ..." entry,
// the rules' entries, then the trim to the window's last entries (not
// after an internal error, which ends the parse before its trim).
void setLog(DiagnosisSummary& summary, std::string_view timeText, const std::vector<std::string>& ruleLog,
            bool trim = true);

// "Status: ...", "Adapters:", each entry with its detail lines indented by
// two blanks, "Log:" and the log entries; lines end in LF.
std::string formatDiagnosis(const DiagnosisSummary& summary);

}  // namespace capture
