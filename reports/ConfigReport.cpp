#include "reports/ConfigReport.h"

namespace reports {

namespace {

const std::string kDashes(kDashCount, '-');

}  // namespace

std::string configurationReport(const ReportFields& f, const std::string& lineEnd) {
    std::string text;
    auto line = [&](const std::string& s) {
        text += s;
        text += lineEnd;
    };
    line(kComputerNameLabel + f.host);
    line(kGroupLabel + f.domain + "(" + f.groupKind + ")");
    line(kUserLabel + f.user);
    line(kWindowsFolderLabel + f.windowsFolder);
    line(kOperatingSystemLabel + f.operatingSystem);
    line(kMemoryLabel + f.memory);
    line(kPublicAddressLabel + f.publicAddress);
    line(kDashes);
    line(kAdapterSectionTitle);
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
    // Every character that would end the body, start another header field
    // (&bcc=, &attach=) or a fragment, or break the line, is percent-encoded,
    // so any value reaches the mail program as the text it was.
    static const char kHex[] = "0123456789ABCDEF";
    const std::string report = configurationReport(fields, "\n");
    std::string address = kMailtoPrefix;
    address.reserve(address.size() + report.size() * 11 / 10);
    for (char ch : report) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x20 || c == 0x7f || c == '&' || c == '%' || c == '#' || c == '?') {
            address += '%';
            address += kHex[c >> 4];
            address += kHex[c & 15];
        } else {
            address += ch;
        }
    }
    return address;
}

std::string addressListText(const std::vector<std::string>& privateAddresses, const std::string& publicAddress) {
    std::string text = privateAddresses.size() >= 2 ? "Private IPs:\n" : "Private IP:\n";
    for (const auto& address : privateAddresses) text += "  " + address + "\n";
    if (!publicAddress.empty()) text += "\nPublic IP:\n  " + publicAddress;
    return text;
}

}  // namespace reports
