#include "shortcuts/ManufacturerFile.h"

#include "capture/ReportText.h"

namespace shortcuts {

using capture::containsNoCase;

ManufacturerInfo readManufacturerLines(const std::vector<std::string>& lines) {
    ManufacturerInfo info;
    for (const auto& line : lines) {
        if (line.empty()) continue;
        const auto eq = line.find('=');
        std::string value = eq == std::string::npos ? line : line.substr(eq + 1);
        if (containsNoCase(line, "manufacturer")) info.manufacturer = value;
        if (containsNoCase(line, "model")) info.model = value;
        if (containsNoCase(line, "supporturl")) {
            info.supportHeading = "Web Support";
            info.supportUrl = value;
        }
        if (containsNoCase(line, "line")) {
            if (!value.empty() && value.front() == '"') value.erase(0, 1);
            if (!value.empty() && value.back() == '"') value.pop_back();
            info.supportLines += "  " + value + "\r\n";
        }
    }
    return info;
}

}  // namespace shortcuts
