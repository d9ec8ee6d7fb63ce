// A saved report as a help desk receives it: decoded, recognised as an
// `ipconfig /all` report or the program's own Copy All or e-mail report,
// its pasted lines mended, diagnosed by the window's parser and fault rules
// and judged by the help desk's verdict. Pure.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "capture/DiagnosisReport.h"
#include "helpdesk/TextDecoding.h"
#include "helpdesk/Verdict.h"

namespace helpdesk {

enum class ReportKind { Ipconfig, CopyAll, Email, Live };

// "ipconfig", "copy-all", "e-mail", "live".
const char* kindName(ReportKind kind);
// Only the `ipconfig /all` report has "Media State" lines.
inline bool carriesMediaState(ReportKind kind) { return kind == ReportKind::Ipconfig || kind == ReportKind::Live; }

inline constexpr const char* kReportTitle = "Windows IP Configuration";

// The facts about the reporting computer that its report holds; a fact it
// does not hold stays empty (never this computer's).
struct HostFacts {
    std::optional<std::string> computerName, lanGroup, groupKind, userName, windowsFolder, operatingSystem, memory,
        publicAddress;
    std::vector<std::string> privateAddresses;
};

struct DiagnosedReport {
    ReportKind kind = ReportKind::Ipconfig;
    std::string encoding;
    std::string dialect;  // "xp" or "vista"
    HostFacts host;
    capture::DiagnosisSummary summary;
    Verdict verdict;
    // The report's language: "en", "de", "fr", "pt-BR", "zh-CN", ...; empty
    // when nothing in it was recognised. This machine's report tool and the
    // program's own reports write English.
    std::string language = "en";
};

struct ReadOptions {
    CodePage codePage = CodePage::Automatic;
    std::optional<std::string> dialect;  // else detected
    std::string timeText;                // the log's time stamp
};

// The diagnosis, or why the bytes are no report (`refusal`).
struct SavedReportResult {
    std::optional<DiagnosedReport> report;
    std::string refusal;
};

SavedReportResult diagnoseSavedReport(std::string&& bytes, const ReadOptions& options);

// The addresses of the listed adapters' "IP Address" fields, without the
// "(Preferred)" suffix.
std::vector<std::string> tableAddresses(const capture::DiagnosisSummary& summary);

// The verdict on the lines of an `ipconfig /all` report in English.
Verdict verdictOnLines(const std::vector<std::string>& lines);
// The verdict on what the window's table holds (a Copy All report).
Verdict verdictOnTable(const capture::DiagnosisSummary& summary);

// 0 connected with no fault finding, 1 otherwise.
inline int exitStatusOf(const DiagnosedReport& r) { return exitStatusOf(r.verdict); }

}  // namespace helpdesk
