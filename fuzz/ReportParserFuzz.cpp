// libFuzzer entry: any bytes as a saved report, in both layouts.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "capture/DiagnosisReport.h"
#include "platform/TextLines.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The lines as a saved report's file gives them.
    const std::vector<std::string> lines =
        platform::splitLines(std::string_view(reinterpret_cast<const char*>(data), size));
    const char* marker = size > 0 && (data[0] & 1) ? "vista" : "xp";
    auto summary = capture::diagnoseLines(lines, marker, "00:00:00");
    auto text_out = capture::formatDiagnosis(summary);
    return text_out.empty() ? 1 : 0;
}
