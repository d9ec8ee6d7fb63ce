#include "reports/ConfigReport.h"

namespace reports {

namespace {

const std::string kDashes(55, '-');

}  // namespace

std::string configurationReport(const ReportFields& f, const std::string& lineEnd) {
    std::string text;
    auto line = [&](const std::string& s) {
        text += s;
        text += lineEnd;
    };
    line("Computer name:    " + f.host);
    line("Domain/Workgroup: " + f.domain + "(" + f.groupKind + ")");
    line("Username:         " + f.user);
    line("Windows Dir:      " + f.windowsFolder);
    line("Operating System: " + f.operatingSystem);
    line("Memory:           " + f.memory);
    line("Public (WAN) IP : " + f.publicAddress);
    line(kDashes);
    line("Network Adapter Configuration");
    line("");
    for (const auto& adapter : f.adapters) {
        for (const auto& field : adapter)
            if (!field.empty()) line(field);
        line(kDashes);
    }
    line(kReportClosingLine);
    return text;
}

std::string mailtoAddress(const ReportFields& fields) {
    return kMailtoPrefix + configurationReport(fields, kMailLineEnd);
}

std::string addressListText(const std::vector<std::string>& privateAddresses, const std::string& publicAddress) {
    std::string text = privateAddresses.size() >= 2 ? "Private IPs:\n" : "Private IP:\n";
    for (const auto& address : privateAddresses) text += "  " + address + "\n";
    if (!publicAddress.empty()) text += "\nPublic IP:\n  " + publicAddress;
    return text;
}

}  // namespace reports
