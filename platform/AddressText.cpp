#include "platform/AddressText.h"

namespace platform {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isHexDigit(char c) { return isDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

}  // namespace

bool isIpv4Address(std::string_view text) {
    int parts = 0;
    std::size_t i = 0;
    while (true) {
        std::size_t begin = i;
        int value = 0;
        while (i < text.size() && isDigit(text[i]) && i - begin < 3) value = value * 10 + (text[i++] - '0');
        if (i == begin || value > 255 || (i < text.size() && isDigit(text[i]))) return false;
        if (++parts == 4) return i == text.size();
        if (i >= text.size() || text[i] != '.') return false;
        ++i;
    }
}

bool isIpAddress(std::string_view text) {
    if (isIpv4Address(text)) return true;
    if (text.size() < 2 || text.size() > 45) return false;
    int groups = 0;
    bool gap = false;  // "::" seen
    std::size_t i = 0;
    if (text.substr(0, 2) == "::") {
        gap = true;
        i = 2;
        if (i == text.size()) return true;
    } else if (text[0] == ':') {
        return false;
    }
    while (i < text.size()) {
        std::size_t begin = i;
        while (i < text.size() && isHexDigit(text[i]) && i - begin < 4) ++i;
        if (i < text.size() && text[i] == '.') {
            // The last 32 bits as an IPv4 address.
            if (!isIpv4Address(text.substr(begin))) return false;
            groups += 2;
            return gap ? groups <= 7 : groups == 8;
        }
        if (i == begin) return false;
        ++groups;
        if (i == text.size()) break;
        if (text[i] != ':') return false;
        ++i;
        if (i < text.size() && text[i] == ':') {
            if (gap) return false;
            gap = true;
            ++i;
            if (i == text.size()) break;
        } else if (i == text.size()) {
            return false;  // a single ":" at the end
        }
    }
    return gap ? groups <= 7 : groups == 8;
}

std::string_view trimmedText(std::string_view text) {
    const char* blanks = " \t\r\n";
    std::size_t begin = text.find_first_not_of(blanks);
    if (begin == std::string_view::npos) return {};
    return text.substr(begin, text.find_last_not_of(blanks) - begin + 1);
}

}  // namespace platform
