// The help-desk diagnosis of a saved report, as printable text.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "forms/AdapterTable.h"

namespace capture {

// "vista" when any line holds "IPv4 Address" (case ignored), else "xp".
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

// "Status: ...", "Adapters:", each entry with its detail lines indented by
// two blanks, "Log:" and the log entries; lines end in LF.
std::string formatDiagnosis(const DiagnosisSummary& summary);

}  // namespace capture
