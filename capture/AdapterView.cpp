#include "capture/AdapterView.h"

#include "capture/ReportText.h"

namespace capture {

AdapterDetails adapterDetails(const app::AdapterTable& table, int adapter) {
    AdapterDetails details;
    if (adapter < 0 || adapter >= app::kAdapterRows) return details;
    const auto& row = table[static_cast<std::size_t>(adapter)];
    for (int field = 1; field <= 19; ++field) {
        const std::string& cell = row[static_cast<std::size_t>(field)];
        if (cell.empty()) continue;
        if (field == 7) details.hasGateway = true;
        if (field == 11) details.hasDns1 = true;
        if (field == 12) details.hasDns2 = true;
        details.lines.push_back(cell);
    }
    details.dhcp = upperAscii(row[4]) == upperAscii(labelColumn("Dhcp Enabled:") + "yes");
    return details;
}

int adapterNumberOf(std::string_view entry, int fallback) {
    std::size_t i = 0;
    long value = 0;
    while (i < entry.size() && entry[i] >= '0' && entry[i] <= '9' && i < 9) {
        value = value * 10 + (entry[i] - '0');
        ++i;
    }
    if (i == 0 || i >= entry.size() || entry[i] != ')') return fallback;
    return static_cast<int>(value);
}

int reselectPosition(const std::vector<std::string>& entries, int lastSelected) {
    for (std::size_t p = 0; p < entries.size(); ++p)
        if (adapterNumberOf(entries[p], -1) == lastSelected) return static_cast<int>(p);
    int position = lastSelected - 1;
    return position >= 0 && position < static_cast<int>(entries.size()) ? position : -1;
}

std::string copiedValue(std::string_view detailLine) {
    if (detailLine.size() < kLabelColumn) return std::string(detailLine);
    std::string value(detailLine.substr(kLabelColumn));
    if (value.find("(Preferred)") != std::string::npos)
        value.resize(value.size() >= 12 ? value.size() - 12 : 0);
    return value;
}

}  // namespace capture
