#include "tools/HostCheck.h"

#include <cstdio>

namespace tools {

namespace {

bool isLetterOrDigit(unsigned char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'); }

// How a character the host may not hold is named in the message.
std::string nameOf(unsigned char c) {
    if (c == '\r' || c == '\n') return "a line break";
    if (c == ' ' || c == '\t') return "a blank";
    if (c < 0x20 || c == 0x7f) {
        char code[8];
        std::snprintf(code, sizeof code, "%02X", c);
        return std::string("a control character (") + code + ")";
    }
    if (c >= 0x80) return "a character other than the letters a-z, the digits, \".\", \"-\" and \":\"";
    return std::string("\"") + static_cast<char>(c) + "\"";
}

std::string refused(const std::string& why) {
    return "This is not a host name or an IP address: " + why +
           ".\n\nEnter one name or address, such as www.example.com, 192.0.2.1 or 2001:db8::1.";
}

}  // namespace

std::optional<std::string> hostProblem(const std::string& host) {
    if (host.empty()) return refused("it is empty");
    if (host.size() > 253) return refused("it is longer than 253 characters");
    if (host[0] == '-') return refused("it begins with \"-\"");
    const std::size_t zone = host.find('%');
    for (std::size_t i = 0; i < host.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(host[i]);
        if (isLetterOrDigit(c) || c == '.' || c == '-') continue;
        if (c == ':' && i < zone) continue;
        if (c == '_' && i > zone) continue;  // interface names in a zone index
        if (c == '%' && i == zone && host.find(':') < zone && i + 1 < host.size()) continue;
        return refused("it holds " + nameOf(c));
    }
    return std::nullopt;
}

}  // namespace tools
