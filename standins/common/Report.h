// The configuration snapshot the report tool prints, and the text of the
// `/all` report in the modern layout. Pure: values in, text out.
#pragma once

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace standins {

enum class AdapterKind { Ethernet, Wireless, Ppp, Tunnel, Unknown };

enum class AddressState { Preferred, Tentative, Deprecated, Duplicate };

struct Address {
    std::string text;  // "192.168.1.2" or "fe80::1" (no zone)
    int prefix = 0;
    AddressState state = AddressState::Preferred;
    bool temporary = false;  // IPv6 privacy address
};

struct Adapter {
    std::string name;  // the interface name
    int index = 0;     // the interface index, the zone of link-local addresses
    AdapterKind kind = AdapterKind::Ethernet;
    bool physical = false;
    bool carrier = false;
    std::string description;
    std::vector<unsigned char> mac;  // empty when the link has none
    bool dhcp = false;
    std::string dnsSuffix;
    std::vector<Address> ipv4;
    std::vector<Address> ipv6;
    std::vector<std::string> gateways4;
    std::vector<std::string> gateways6;
    std::optional<std::uint64_t> routeRank;  // carries the default traffic; lower first
    std::vector<std::string> dnsServers;  // IPv4 first
    std::string dhcpServer;
    std::optional<std::time_t> leaseObtained;
    std::optional<std::time_t> leaseExpires;
};

struct HostInfo {
    std::string hostName;
    std::string primaryDnsSuffix;
    bool ipRouting = false;
    std::vector<std::string> searchList;
};

// The text with each control character written as "?" (C0, DEL, and the C1
// range as its two UTF-8 bytes, each a "?"), and each byte that is not part
// of well-formed UTF-8 too: interface names, lease values and resolver
// options never bring a line break or a terminal escape into what the tool
// prints, the report stays UTF-8 for its reader, and a "?" in an adapter
// pattern still matches the name.
// `keepLineEnds` leaves CR, LF and tabs, for a whole text of several lines.
std::string printable(std::string_view text, bool keepLineEnds = false);

// One labelled line: three blanks, the label padded with ". " to the
// 36-column label field, ": ", the value, CR LF.
std::string labelLine(const std::string& label, const std::string& value);
// A further value of the line above, in the value column.
std::string continuationLine(const std::string& value);

// "255.255.255.0" for prefix 24.
std::string subnetMask(int prefix);
// "00-1D-D9-4A-5B-6C".
std::string physicalAddress(const std::vector<unsigned char>& mac);
// "Thursday, March 13, 2008 7:55:12 PM", in local time.
std::string leaseTime(std::time_t when);

// The report's first lines, and the line that replaces the rest when the
// configuration cannot be read.
inline constexpr const char* kReportBanner = "\r\nWindows IP Configuration\r\n\r\n";
inline constexpr const char* kInternalError = "An internal error occurred: ";

// An IPv6 link-local address ("fe80::...") and an IPv4 address the host gave
// itself (169.254.x.x).
bool isLinkLocal6(const std::string& address);
bool isAutoconf4(const std::string& address);

// The adapters that carry the default traffic first, the one the kernel
// uses first at the top; then physical ones, then those with a gateway,
// then the rest, each group by index.
bool shownBefore(const Adapter& x, const Adapter& y);

// The whole `ipconfig /all` report, CR LF line ends.
std::string formatReport(const HostInfo& host, const std::vector<Adapter>& adapters);

}  // namespace standins
