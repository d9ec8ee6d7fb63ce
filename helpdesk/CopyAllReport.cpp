#include "helpdesk/CopyAllReport.h"

#include <array>

#include "capture/AdapterView.h"
#include "capture/Diagnosis.h"
#include "capture/FieldLabels.h"
#include "capture/ReportText.h"

namespace helpdesk {

namespace {

constexpr std::size_t kAdapterFieldsInReport = reports::kReportFieldsPerAdapter;  // fields 0 to 12
// Lines from "Computer name:" to the adapter section title.
constexpr std::size_t kHostBlockLines = 12;

std::string_view trimmedRight(std::string_view s) {
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return s;
}

bool isDashLine(std::string_view line) {
    line = trimmedRight(line);
    return line.size() >= 10 && line.find_first_not_of('-') == std::string_view::npos;
}

// "3) Ethernet adapter ...": digits, ")" and a blank.
bool isAdapterHeader(std::string_view line) {
    std::size_t digits = line.find_first_not_of("0123456789");
    return digits != 0 && digits != std::string_view::npos && line.substr(digits, 2) == ") ";
}

// The cell of a field: label column and value.
std::string cell(int field, const std::string& value) {
    return capture::labelColumn(capture::kFieldLabels[static_cast<std::size_t>(field)]) + value;
}

std::string valueOf(const std::string& cellText) {
    return cellText.size() > capture::kLabelColumn ? cellText.substr(capture::kLabelColumn) : std::string{};
}

void readHostLine(std::string_view line, reports::ReportFields& f) {
    struct Target {
        const char* label;
        std::string* value;
    };
    const std::array<Target, 6> plain{{{reports::kComputerNameLabel, &f.host},
                                       {reports::kUserLabel, &f.user},
                                       {reports::kWindowsFolderLabel, &f.windowsFolder},
                                       {reports::kOperatingSystemLabel, &f.operatingSystem},
                                       {reports::kMemoryLabel, &f.memory},
                                       {reports::kPublicAddressLabel, &f.publicAddress}}};
    for (const auto& t : plain) {
        if (auto v = labelledValue(line, trimmedRight(t.label))) {
            *t.value = std::move(*v);
            return;
        }
    }
    // "WORKGROUP(Workgroup)": the group, then its kind in parentheses.
    if (auto v = labelledValue(line, trimmedRight(reports::kGroupLabel))) {
        std::size_t open = v->rfind('(');
        if (!v->empty() && v->back() == ')' && open != std::string::npos) {
            f.domain = v->substr(0, open);
            f.groupKind = v->substr(open + 1, v->size() - open - 2);
        } else {
            f.domain = std::move(*v);
        }
    }
}

}  // namespace

std::optional<std::string> labelledValue(std::string_view line, std::string_view label) {
    if (line.substr(0, label.size()) != label) return std::nullopt;
    std::size_t column = capture::kLabelColumn;
    if (line.size() >= column && label.size() < column &&
        line.substr(label.size(), column - label.size()).find_first_not_of(' ') == std::string_view::npos)
        return std::string(line.substr(column));
    std::string_view rest = line.substr(label.size());
    std::size_t text = rest.find_first_not_of(' ');
    return std::string(text == std::string_view::npos ? std::string_view{} : rest.substr(text));
}

std::optional<std::size_t> startNearTop(std::string_view text,
                                        const std::function<bool(std::string_view, platform::LineCursor)>& begins) {
    platform::LineCursor cursor(text);
    int seen = 0;
    for (std::string_view line; seen < kReportStartWindow;) {
        std::size_t start = cursor.offset();
        if (!cursor.next(line)) return std::nullopt;
        if (line.empty()) continue;
        ++seen;
        if (begins(line, cursor)) return start;
    }
    return std::nullopt;
}

std::optional<std::size_t> copyAllStart(std::string_view text) {
    const std::string_view first = trimmedRight(reports::kComputerNameLabel);
    return startNearTop(text, [&](std::string_view line, platform::LineCursor after) {
        if (line.substr(0, first.size()) != first) return false;
        for (std::size_t j = 0; j < kHostBlockLines && after.next(line); ++j)
            if (trimmedRight(line) == reports::kAdapterSectionTitle) return true;
        return false;
    });
}

reports::ReportFields readCopyAll(std::string_view text) {
    reports::ReportFields f;
    platform::LineCursor cursor(text);
    std::string_view line;
    while (cursor.next(line) && trimmedRight(line) != reports::kAdapterSectionTitle) readHostLine(line, f);
    std::array<std::string, kAdapterFieldsInReport>* adapter = nullptr;
    while (cursor.next(line)) {
        if (line.substr(0, std::string_view(reports::kClosingLinePrefix).size()) == reports::kClosingLinePrefix) break;
        if (isDashLine(line)) {
            adapter = nullptr;
            continue;
        }
        if (isAdapterHeader(line)) {
            // The report carries the table's rows, ten at most: no more is read.
            if (f.adapters.size() + 1 >= static_cast<std::size_t>(app::kAdapterRows)) break;
            adapter = &f.adapters.emplace_back();
            (*adapter)[0] = std::string(line);
            continue;
        }
        if (!adapter) continue;
        for (std::size_t field = 1; field < kAdapterFieldsInReport; ++field) {
            if (auto v = labelledValue(line, capture::kFieldLabels[field])) {
                if (!v->empty()) (*adapter)[field] = cell(static_cast<int>(field), *v);
                break;
            }
        }
    }
    return f;
}

std::string copyAllDialect(const reports::ReportFields& fields) {
    for (const auto& adapter : fields.adapters)
        if (adapter[2].find("(Preferred)") != std::string::npos) return "vista";
    return "xp";
}

capture::DiagnosisSummary diagnoseCopyAll(const reports::ReportFields& fields, std::string_view marker,
                                          std::string_view timeText) {
    capture::DiagnosisSummary summary;
    capture::Diagnosis d;
    d.time = std::string(timeText);
    const bool xp = marker == "xp", vista = marker == "vista";
    int position = 0;
    for (const auto& adapter : fields.adapters) {
        summary.adapterEntries.push_back(adapter[0]);
        const int n = capture::adapterNumberOf(adapter[0], ++position);
        if (n >= 1 && n < app::kAdapterRows)
            std::copy(adapter.begin(), adapter.end(), summary.table[static_cast<std::size_t>(n)].begin());
        // The rules in the order the parse reaches the lines: address, then name servers.
        if (std::string tested = valueOf(adapter[2]); !tested.empty()) {
            d.automaticAddressFault(tested, n);
            if (xp && !capture::isIpv6Address(tested)) d.xpAddressRules(tested, n);
            if (vista) d.vistaAddressRules(tested, n);
        }
        if (std::string dns1 = valueOf(adapter[11]); !dns1.empty()) d.dnsFault(1, dns1);
        if (std::string dns2 = valueOf(adapter[12]); !dns2.empty()) d.dnsFault(2, dns2);
    }
    if (d.faults == 0) d.noFaultReport();
    summary.status = d.status;
    summary.faultCount = d.faults;
    summary.hostName = capture::upperAscii(fields.host);
    capture::setLog(summary, timeText, d.log);
    return summary;
}

}  // namespace helpdesk
