#include "platform/linux/DmiData.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <fstream>

#include "platform/linux/CommandWords.h"

namespace platform::linux_backend {

namespace {

bool placeholder(const std::string& value) {
    static const std::array<const char*, 8> kPlaceholders{
        "to be filled by o.e.m.", "default string", "system manufacturer", "system product name",
        "not applicable",         "not specified",  "none",                "o.e.m."};
    const std::string v = lower(value);
    return std::find(kPlaceholders.begin(), kPlaceholders.end(), v) != kPlaceholders.end();
}

// One attribute's first line, blanks around it dropped; empty when unreadable or a placeholder.
std::string attribute(const std::string& folder, const char* name) {
    std::ifstream in(folder + "/" + name);
    std::string value;
    if (!in || !std::getline(in, value)) return {};
    const auto first = value.find_first_not_of(" \t\r");
    if (first == std::string::npos) return {};
    value = value.substr(first, value.find_last_not_of(" \t\r") - first + 1);
    return placeholder(value) ? std::string{} : value;
}

std::string joined(std::initializer_list<std::string> parts) {
    std::string out;
    for (const auto& part : parts) {
        if (part.empty()) continue;
        if (!out.empty()) out += ' ';
        out += part;
    }
    return out;
}

}  // namespace

std::optional<std::vector<std::string>> dmiManufacturerLines(const std::string& folder) {
    const std::string maker = attribute(folder, "sys_vendor");
    const std::string model = joined({attribute(folder, "product_name"), attribute(folder, "product_version")});
    if (maker.empty() && model.empty()) return std::nullopt;

    std::vector<std::string> lines{"[General]"};
    if (!maker.empty()) lines.push_back("Manufacturer=" + maker);
    if (!model.empty()) lines.push_back("Model=" + model);
    std::vector<std::string> support;
    if (auto board = joined({attribute(folder, "board_vendor"), attribute(folder, "board_name")}); !board.empty())
        support.push_back("Board: " + board);
    if (auto bios = joined({attribute(folder, "bios_vendor"), attribute(folder, "bios_version")}); !bios.empty()) {
        const std::string date = attribute(folder, "bios_date");
        support.push_back("BIOS: " + bios + (date.empty() ? "" : " (" + date + ")"));
    }
    if (auto chassis = attribute(folder, "chassis_vendor"); !chassis.empty()) support.push_back("Chassis: " + chassis);
    if (!support.empty()) {
        lines.push_back("");
        lines.push_back("[Support Information]");
        for (std::size_t i = 0; i < support.size(); ++i)
            lines.push_back("Line" + std::to_string(i + 1) + "=\"" + support[i] + "\"");
    }
    return lines;
}

}  // namespace platform::linux_backend
