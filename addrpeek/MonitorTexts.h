// The texts addrpeek shows and copies, from plain values: the summary list,
// the copy text, the connection status and the countdown.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/Controls.h"

namespace addrpeek {

inline constexpr const char* kAcquiring = "Acquiring ...";
inline constexpr const char* kCannotAcquire = "Cannot Acquire";
inline constexpr int kLabelColumn = 15;
inline constexpr int kRefreshSeconds = 300;

// What the summary and the copy text are built from, as the window holds it.
struct Facts {
    std::vector<std::string> privateAddresses;
    std::string computerCaption, computerName;  // "Computer Name", its value
    std::string groupKind, lanGroup;            // "Workgroup" or "Domain", the group's name
    std::optional<bool> partOfDomain;           // nothing: no management instance
    std::string logonCaption, logonServer;      // "Logon Server", its value
    std::string userCaption, userName;          // "User Name", its value
    std::string memory;
    std::string publicAddress;
};

// The label written left-aligned in the 15-character column (never cut).
std::string labelColumn(std::string_view label);

// One line per private address, computer, group, domain membership, logon
// server (in a domain only), user, memory and public address.
std::vector<std::string> summaryLines(const Facts& facts);

// The clipboard text: the operating-system caption, the facts, an empty line
// and the date and time; every line ends in CR LF.
std::string copyText(const std::string& osCaption, const Facts& facts, const std::string& date,
                     const std::string& time);

// The management property PartOfDomain of the last instance ("True" or
// "False"); nothing without an instance or when the query cannot be made.
std::optional<bool> partOfDomain(const std::optional<std::vector<std::string>>& instances);

struct Status {
    std::string caption;
    ui::Color colour;  // of the text
};
// The connection status for the public address text.
Status connectionStatus(const std::string& publicText);

// "Refresh in N sec" for the refresh counter before its tick.
std::string countdownCaption(int refreshCounter);

// A whole number kept as text; anything else counts as 0.
int counterValue(const std::string& text);

}  // namespace addrpeek
