#include "shortcuts/ManufacturerFile.h"

#include <cctype>

namespace shortcuts {

namespace {

std::string lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

bool contains(const std::string& text, const char* word) { return text.find(word) != std::string::npos; }

}  // namespace

ManufacturerInfo readManufacturerLines(const std::vector<std::string>& lines) {
    ManufacturerInfo info;
    for (const auto& line : lines) {
        if (line.empty()) continue;
        const auto eq = line.find('=');
        std::string value = eq == std::string::npos ? line : line.substr(eq + 1);
        const std::string key = lower(line);
        if (contains(key, "manufacturer")) info.manufacturer = value;
        if (contains(key, "model")) info.model = value;
        if (contains(key, "supporturl")) {
            info.supportHeading = "Web Support";
            info.supportUrl = value;
        }
        if (contains(key, "line")) {
            if (!value.empty() && value.front() == '"') value.erase(0, 1);
            if (!value.empty() && value.back() == '"') value.pop_back();
            info.supportLines += "  " + value + "\r\n";
        }
    }
    return info;
}

}  // namespace shortcuts
