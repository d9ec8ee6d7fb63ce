#include "standins/common/Report.h"

#include <algorithm>
#include <cstdio>

#include "capture/ReportText.h"

namespace standins {

namespace {

constexpr std::size_t kIndent = 3;
constexpr std::size_t kLabelEnd = 36;  // the ": " follows column 36
const std::string kCrLf = "\r\n";

// Two labels keep a double blank before their dots, as the report always
// printed them; the trailing blank in the label text does that.
const char* kPrimarySuffix = "Primary Dns Suffix ";
const char* kLinkSuffix = "Connection-specific DNS Suffix ";

std::string yesNo(bool b) { return b ? "Yes" : "No"; }

std::string stateText(AddressState s) {
    switch (s) {
        case AddressState::Preferred: return "(Preferred) ";
        case AddressState::Tentative: return "(Tentative) ";
        case AddressState::Deprecated: return "(Deprecated) ";
        case AddressState::Duplicate: return "(Duplicate) ";
    }
    return {};
}

const char* header(AdapterKind kind) {
    switch (kind) {
        case AdapterKind::Ethernet: return "Ethernet adapter ";
        case AdapterKind::Wireless: return "Wireless LAN adapter ";
        case AdapterKind::Ppp: return "PPP adapter ";
        case AdapterKind::Tunnel: return "Tunnel adapter ";
        case AdapterKind::Unknown: return "Unknown adapter ";
    }
    return "Ethernet adapter ";
}

// The label line, then one continuation line per further value.
void listLines(std::string& out, const std::string& label, const std::vector<std::string>& values) {
    for (std::size_t i = 0; i < values.size(); ++i)
        out += i == 0 ? labelLine(label, values[i]) : continuationLine(values[i]);
}

void adapterBlock(std::string& out, const Adapter& a) {
    out += header(a.kind) + printable(a.name) + ":" + kCrLf + kCrLf;
    if (!a.carrier) out += labelLine("Media State", "Media disconnected");
    out += labelLine(kLinkSuffix, a.dnsSuffix);
    out += labelLine("Description", a.description);
    if (!a.mac.empty()) out += labelLine("Physical Address", physicalAddress(a.mac));
    out += labelLine("DHCP Enabled", yesNo(a.dhcp));
    out += labelLine("Autoconfiguration Enabled", "Yes");
    if (!a.carrier) return;  // a disconnected adapter shows no addresses
    for (const auto& v6 : a.ipv6) {
        if (isLinkLocal6(v6.text)) continue;
        out += labelLine(v6.temporary ? "Temporary IPv6 Address" : "IPv6 Address", v6.text + stateText(v6.state));
    }
    for (const auto& v6 : a.ipv6) {
        if (!isLinkLocal6(v6.text)) continue;
        out += labelLine("Link-local IPv6 Address",
                         v6.text + "%" + std::to_string(a.index) + stateText(v6.state));
    }
    for (const auto& v4 : a.ipv4) {
        out += labelLine(isAutoconf4(v4.text) ? "Autoconfiguration IPv4 Address" : "IPv4 Address",
                         v4.text + stateText(v4.state));
        out += labelLine("Subnet Mask", subnetMask(v4.prefix));
    }
    if (a.dhcp && a.leaseObtained) out += labelLine("Lease Obtained", leaseTime(*a.leaseObtained));
    if (a.dhcp && a.leaseExpires) out += labelLine("Lease Expires", leaseTime(*a.leaseExpires));
    // The IPv4 gateway stands first: it is the one the adapter view shows.
    std::vector<std::string> gateways = a.gateways4;
    gateways.insert(gateways.end(), a.gateways6.begin(), a.gateways6.end());
    out += gateways.empty() ? labelLine("Default Gateway", "") : std::string{};
    listLines(out, "Default Gateway", gateways);
    if (a.dhcp && !a.dhcpServer.empty()) out += labelLine("DHCP Server", a.dhcpServer);
    listLines(out, "DNS Servers", a.dnsServers);
    out += labelLine("NetBIOS over Tcpip", a.ipv4.empty() ? "Disabled" : "Enabled");
}

}  // namespace

std::string printable(std::string_view text, bool keepLineEnds) {
    std::string out(text);
    for (std::size_t i = 0; i < out.size(); ++i) {
        const auto c = static_cast<unsigned char>(out[i]);
        if (keepLineEnds && (c == '\r' || c == '\n' || c == '\t')) continue;
        if (c < 0x20 || c == 0x7F) {
            out[i] = '?';
            continue;
        }
        if (c < 0x80) continue;
        const std::size_t length = capture::utf8Length(out, i);
        if (length == 0) {
            out[i] = '?';  // a byte that starts no valid character
        } else if (c == 0xC2 && static_cast<unsigned char>(out[i + 1]) <= 0x9F) {
            out[i] = out[i + 1] = '?';  // U+0080 to U+009F
            ++i;
        } else {
            i += length - 1;
        }
    }
    return out;
}

std::string labelLine(const std::string& label, const std::string& value) {
    std::string line(kIndent, ' ');
    line += label;
    // Dots stand in the odd columns up to the end of the label field.
    for (std::size_t col = line.size(); col < kLabelEnd; ++col) line += (col % 2 == 1) ? '.' : ' ';
    if (line.size() <= kLabelEnd) line += ' ';
    return line + ": " + printable(value) + kCrLf;
}

std::string continuationLine(const std::string& value) {
    return std::string(kLabelEnd + 3, ' ') + printable(value) + kCrLf;
}

std::string subnetMask(int prefix) {
    prefix = std::clamp(prefix, 0, 32);
    unsigned long mask = prefix == 0 ? 0UL : (0xFFFFFFFFUL << (32 - prefix)) & 0xFFFFFFFFUL;
    char buf[20];
    std::snprintf(buf, sizeof buf, "%lu.%lu.%lu.%lu", (mask >> 24) & 255, (mask >> 16) & 255, (mask >> 8) & 255,
                  mask & 255);
    return buf;
}

std::string physicalAddress(const std::vector<unsigned char>& mac) {
    std::string out;
    char buf[4];
    for (std::size_t i = 0; i < mac.size(); ++i) {
        std::snprintf(buf, sizeof buf, i == 0 ? "%02X" : "-%02X", mac[i]);
        out += buf;
    }
    return out;
}

std::string leaseTime(std::time_t when) {
    std::tm tm{};
    localtime_r(&when, &tm);
    char date[64];
    std::strftime(date, sizeof date, "%A, %B %d, %Y", &tm);
    int hour = tm.tm_hour % 12 == 0 ? 12 : tm.tm_hour % 12;
    char buf[100];
    std::snprintf(buf, sizeof buf, "%s %d:%02d:%02d %s", date, hour, tm.tm_min, tm.tm_sec,
                  tm.tm_hour < 12 ? "AM" : "PM");
    return buf;
}

bool isLinkLocal6(const std::string& a) {
    return a.size() >= 4 && (a.compare(0, 4, "fe80") == 0 || a.compare(0, 4, "FE80") == 0);
}

bool isAutoconf4(const std::string& a) { return a.rfind("169.254.", 0) == 0; }

bool shownBefore(const Adapter& x, const Adapter& y) {
    if (x.routeRank != y.routeRank && (x.routeRank || y.routeRank))
        return x.routeRank && (!y.routeRank || *x.routeRank < *y.routeRank);
    if (x.physical != y.physical) return x.physical;
    bool xr = !x.gateways4.empty() || !x.gateways6.empty(), yr = !y.gateways4.empty() || !y.gateways6.empty();
    if (xr != yr) return xr;
    return x.index < y.index;
}

std::string formatReport(const HostInfo& host, const std::vector<Adapter>& adapters) {
    std::string out = kReportBanner;
    out += labelLine("Host Name", host.hostName);
    out += labelLine(kPrimarySuffix, host.primaryDnsSuffix);
    out += labelLine("Node Type", "Hybrid");
    out += labelLine("IP Routing Enabled", yesNo(host.ipRouting));
    out += labelLine("WINS Proxy Enabled", "No");
    listLines(out, "DNS Suffix Search List", host.searchList);
    for (const auto& a : adapters) {
        out += kCrLf;
        adapterBlock(out, a);
    }
    return out;
}

}  // namespace standins
