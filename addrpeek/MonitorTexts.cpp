#include "addrpeek/MonitorTexts.h"

#include <charconv>

#include "sysinfo/TextCut.h"

namespace addrpeek {

namespace {

const ui::Color kOrange{255, 128, 0};
const ui::Color kRed{255, 0, 0};
const ui::Color kGreen{0, 192, 0};

bool inDomain(const Facts& facts) { return facts.groupKind == "Domain"; }

}  // namespace

std::string labelColumn(std::string_view label) {
    std::string text(label);
    if (text.size() < static_cast<std::size_t>(kLabelColumn)) text.resize(kLabelColumn, ' ');
    return text;
}

std::vector<std::string> summaryLines(const Facts& facts) {
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < facts.privateAddresses.size(); ++i)
        lines.push_back(labelColumn(i == 0 ? "Private IP" : "") + facts.privateAddresses[i]);
    lines.push_back(labelColumn(facts.computerCaption) + facts.computerName);
    lines.push_back(labelColumn(facts.groupKind) + facts.lanGroup);
    // The prefix is itself 15 characters long.
    std::string membership = "Part Of Domain ";
    if (facts.partOfDomain) membership += *facts.partOfDomain ? "Yes" : "No";
    lines.push_back(membership);
    if (inDomain(facts)) lines.push_back(labelColumn(facts.logonCaption) + facts.logonServer);
    lines.push_back(labelColumn(facts.userCaption) + facts.userName);
    lines.push_back(labelColumn("Memory") + facts.memory);
    lines.push_back(labelColumn("Public IP") + facts.publicAddress);
    return lines;
}

std::string copyText(const std::string& osCaption, const Facts& facts, const std::string& date,
                     const std::string& time) {
    const std::string crlf = "\r\n";
    std::string text = osCaption + crlf;
    text += facts.computerCaption + ": " + facts.computerName + " " + facts.groupKind + ": " + facts.lanGroup + crlf;
    text += facts.userCaption + ": " + facts.userName + crlf;
    text += "Memory: " + facts.memory + crlf;
    if (inDomain(facts)) text += facts.logonCaption + ": " + facts.logonServer + crlf;
    if (!facts.privateAddresses.empty()) {
        text += "Private IP: " + facts.privateAddresses.front();
        for (std::size_t i = 1; i < facts.privateAddresses.size(); ++i) text += " / " + facts.privateAddresses[i];
    }
    text += crlf;
    text += "Public IP: " + facts.publicAddress + crlf;
    text += crlf;
    text += date + " " + time + crlf;
    return text;
}

std::optional<bool> partOfDomain(const std::optional<std::vector<std::string>>& instances) {
    if (!instances || instances->empty()) return std::nullopt;
    const std::string value = sysinfo::lowerAscii(instances->back());
    return !(value == "false" || value == "0");
}

Status connectionStatus(const std::string& publicText) {
    if (publicText.empty() || publicText == kAcquiring) return {"Checking Internet Connection ...", kOrange};
    if (publicText == kCannotAcquire) return {"No Internet Connection", kRed};
    return {"Connected to Internet", kGreen};
}

std::string countdownCaption(int refreshCounter) {
    return "Refresh in " + std::to_string(kRefreshSeconds - refreshCounter) + " sec";
}

int counterValue(const std::string& text) {
    int value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size()) return 0;
    return value;
}

}  // namespace addrpeek
