// Maps a report written in any display language of Windows onto the English
// report the parser reads: the title line, the labels, the adapter kinds of
// the headers ("Carte Ethernet Wi-Fi :" -> "Ethernet adapter Wi-Fi:"), the
// word values (Yes/No, node types, "Media disconnected", Enabled/Disabled)
// and the address status words ("(Bevorzugt)" -> "(Preferred)"). Adapter
// names and every other value stay as written. Pure.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace capture {

struct TranslatedReport {
    std::vector<std::string> lines;
    // "en", "de", "fr", "pt-BR", "zh-CN", ...; empty when neither the title
    // nor any label was recognised.
    std::string language;
};

// An English report is handed back as it came. A label line that was
// rewritten keeps its value; the continuation lines under it (a second DNS
// server) are moved to its value column, and a value Windows wrote on the
// next line is joined to its label.
TranslatedReport translateReport(std::vector<std::string> lines);

// The report's title line in any language ("Windows IP Configuration",
// "Configuration IP de Windows", "Windows IP 構成", ...), case ignored,
// leading blanks and a remark after it allowed.
bool isReportTitle(std::string_view line);

// How many of `lines` hold a label of any language: how well a text reads.
int recognisedLabels(const std::vector<std::string>& lines);

}  // namespace capture
