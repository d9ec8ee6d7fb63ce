// libFuzzer entry: any bytes as a saved report, in both layouts.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "capture/DiagnosisReport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.emplace_back(line);
        start = end + 1;
    }
    const char* marker = size > 0 && (data[0] & 1) ? "vista" : "xp";
    auto summary = capture::diagnoseLines(lines, marker, "00:00:00");
    auto text_out = capture::formatDiagnosis(summary);
    return text_out.empty() ? 1 : 0;
}
