#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "reports/ConfigReport.h"

namespace {

using reports::ReportFields;

const std::string kDashes(55, '-');

ReportFields machine() {
    ReportFields f;
    f.host = "DESK1";
    f.domain = "HOME";
    f.groupKind = "Workgroup";
    f.user = "anna";
    f.windowsFolder = "C:\\WINDOWS";
    f.operatingSystem = "Windows XP Professional";
    f.memory = "1,024 MB";
    return f;
}

std::string header(const std::string& publicAddress) {
    return "Computer name:    DESK1\r\n"
           "Domain/Workgroup: HOME(Workgroup)\r\n"
           "Username:         anna\r\n"
           "Windows Dir:      C:\\WINDOWS\r\n"
           "Operating System: Windows XP Professional\r\n"
           "Memory:           1,024 MB\r\n"
           "Public (WAN) IP : " +
           publicAddress + "\r\n" + kDashes + "\r\nNetwork Adapter Configuration\r\n\r\n";
}

const std::string kClosing = std::string(reports::kReportClosingLine) + "\r\n";

TEST(ConfigurationReport, LinesForTheDocumentedCases) {
    struct Case {
        const char* name;
        std::string publicAddress;
        std::vector<std::array<std::string, 13>> adapters;
        std::string body;  // between the header and the closing line
    };
    std::array<std::string, 13> full{"1) Local Area Connection",
                                     "Description:      Intel PRO/100",
                                     "Physical Address: 00-11-22-33-44-55",
                                     "DHCP Enabled:     Yes",
                                     "IP Address:       192.168.1.10",
                                     "Subnet Mask:      255.255.255.0",
                                     "",
                                     "Default Gateway:  192.168.1.1"};
    std::array<std::string, 13> headerOnly{"2) Wireless Network Connection"};
    const std::vector<Case> cases{
        {"no lookup yet", "", {}, ""},
        {"failed lookup", "Unable to Connect/err2", {}, ""},
        {"lookup done", "203.0.113.7", {}, ""},
        {"header-only adapter", "", {headerOnly}, "2) Wireless Network Connection\r\n" + kDashes + "\r\n"},
        {"empty fields skipped, order kept",
         "",
         {full, headerOnly},
         "1) Local Area Connection\r\nDescription:      Intel PRO/100\r\nPhysical Address: 00-11-22-33-44-55\r\n"
         "DHCP Enabled:     Yes\r\nIP Address:       192.168.1.10\r\nSubnet Mask:      255.255.255.0\r\n"
         "Default Gateway:  192.168.1.1\r\n" +
             kDashes + "\r\n2) Wireless Network Connection\r\n" + kDashes + "\r\n"},
    };
    for (const auto& c : cases) {
        ReportFields f = machine();
        f.publicAddress = c.publicAddress;
        f.adapters = c.adapters;
        EXPECT_EQ(reports::configurationReport(f, "\r\n"), header(c.publicAddress) + c.body + kClosing) << c.name;
    }
}

TEST(ConfigurationReport, MailAddressEncodesWhatWouldEndOrExtendTheBody) {
    ReportFields f = machine();
    f.domain = "R&D (lab)";
    f.publicAddress = "6.6.6.6&bcc=x@evil.test#?";
    f.adapters.push_back({"1) LAN & more", "DNS Suffix: a%0Ab\tc\rd\x7f\xc3\xa4"});
    const std::string address = reports::mailtoAddress(f);
    const std::string prefix = "mailto:?subject=Lanomat Info&body=Computer name:    DESK1%0ADomain/Workgroup: R%26D (lab)(Workgroup)%0A";
    EXPECT_EQ(address.substr(0, prefix.size()), prefix);
    EXPECT_NE(address.find("Public (WAN) IP : 6.6.6.6%26bcc=x@evil.test%23%3F%0A"), std::string::npos) << address;
    EXPECT_NE(address.find("%0A%0A1) LAN %26 more%0ADNS Suffix: a%250Ab%09c%0Dd%7F\xc3\xa4%0A" + kDashes + "%0A"),
              std::string::npos)
        << address;
    EXPECT_EQ(address.find('&', address.find("body=")), std::string::npos);
    EXPECT_EQ(address.find('#'), std::string::npos);
    EXPECT_EQ(address.substr(address.size() - 3), "%0A");
    // Decoded, the e-mail body is the clipboard report with the other line end.
    std::string body = reports::configurationReport(f, "\n"), decoded;
    const std::string encoded = address.substr(std::string(reports::kMailtoPrefix).size());
    for (std::size_t i = 0; i < encoded.size(); ++i) {
        if (encoded[i] == '%') {
            decoded += static_cast<char>(std::stoi(encoded.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            decoded += encoded[i];
        }
    }
    EXPECT_EQ(decoded, body);
}

TEST(AddressList, Texts) {
    struct Case {
        std::vector<std::string> privates;
        std::string publicAddress, expected;
    };
    const std::vector<Case> cases{
        {{}, "", "Private IP:\n"},
        {{}, "203.0.113.7", "Private IP:\n\nPublic IP:\n  203.0.113.7"},
        {{"192.168.1.10"}, "", "Private IP:\n  192.168.1.10\n"},
        {{"192.168.1.10", "10.0.0.5"}, "", "Private IPs:\n  192.168.1.10\n  10.0.0.5\n"},
        {{"192.168.1.10"}, "Unable to Connect/err2", "Private IP:\n  192.168.1.10\n\nPublic IP:\n  Unable to Connect/err2"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(reports::addressListText(c.privates, c.publicAddress), c.expected) << c.expected;
}

}  // namespace
