#include "shortcuts/RouterTexts.h"

#include <array>

#include "capture/ReportText.h"

namespace shortcuts {

namespace {

struct RouterMaker {
    const char* label;
    int blanks;  // after the label, so that the addresses line up
    const char* address;
    const char* credentials;
};

// The makers' factory user names and passwords.
constexpr const char* kAdminAdmin = "Username: admin / Password: admin";
constexpr const char* kAdminBlank = "Username: admin / Password: (blank)";
constexpr const char* kNetgear = "Username: admin / Password: password or 1234";

constexpr std::array<RouterMaker, 4> kMakers{{
    {"Linksys:", 2, "192.168.1.1", kAdminAdmin},
    {"Dlink:", 2, "192.168.0.1", kAdminBlank},
    {"Netgear:", 1, "192.168.0.1", kNetgear},
    {"Belkin:", 2, "192.168.2.1", kAdminBlank},
}};

}  // namespace

std::string routerLoginDefault(const std::string& gatewayField) {
    // The gateway field is the label column, then the address.
    return "http://" + capture::cutAt(gatewayField, capture::kLabelColumn);
}

std::string routerHelpText() {
    std::string text = "    Default IP Addresses, Usernames & Passwords\r\n\r\n\r\n";
    for (const auto& maker : kMakers) {
        text += maker.label + std::string(static_cast<std::size_t>(maker.blanks), ' ') + "(http://" + maker.address +
                ")\r\n";
        text += std::string(8, ' ') + maker.credentials + "\r\n\r\n";
    }
    return text;
}

}  // namespace shortcuts
