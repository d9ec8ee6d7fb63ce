// The program's own Copy All and e-mail report, read back into the texts it
// was written from, and diagnosed with the fault rules its fields allow: it
// carries addresses and name servers, but no media state. Pure.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "capture/DiagnosisReport.h"
#include "platform/TextLines.h"
#include "reports/ConfigReport.h"

namespace helpdesk {

// How many non-empty lines may stand before a report's first line (a
// greeting in an e-mail, a prompt in a console).
inline constexpr int kReportStartWindow = 10;

// The offset of the first line among the first lines of `text` (up to
// kReportStartWindow non-empty ones) for which `begins` holds; `begins` may
// read the lines after it from the cursor it is given.
std::optional<std::size_t> startNearTop(std::string_view text,
                                        const std::function<bool(std::string_view, platform::LineCursor)>& begins);

// Where the "Computer name:" line that begins a Copy All report stands
// among the first lines of `text` (its offset), when the adapter section
// title follows it.
std::optional<std::size_t> copyAllStart(std::string_view text);

// The host lines and adapter blocks of the report `text` begins with:
// fields 0 to 12 of each adapter as the table held them (label column and
// value), for the ten adapters a report can carry.
reports::ReportFields readCopyAll(std::string_view text);

// "vista" when an address keeps the newer report's "(Preferred)" suffix, else "xp".
std::string copyAllDialect(const reports::ReportFields& fields);

// The adapter list and table the report was written from, and the address
// and name-server rules run on them adapter by adapter.
capture::DiagnosisSummary diagnoseCopyAll(const reports::ReportFields& fields, std::string_view marker,
                                          std::string_view timeText);

// The value of a line written as label column + value: what follows the
// 18-character column, or, when blanks were lost on the way, what follows
// the label and its blanks. Nothing when the line has another label.
std::optional<std::string> labelledValue(std::string_view line, std::string_view label);

}  // namespace helpdesk
