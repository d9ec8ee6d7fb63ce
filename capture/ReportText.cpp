#include "capture/ReportText.h"

#include <algorithm>
#include <charconv>

namespace capture {

namespace {

char upperChar(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool isHex(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// Counts the 16-bit groups of one side of "::"; -1 when malformed.
int countGroups(std::string_view side, bool mayEndInQuad) {
    if (side.empty()) return 0;
    int groups = 0;
    std::size_t start = 0;
    while (true) {
        std::size_t colon = side.find(':', start);
        std::string_view group = side.substr(start, colon == std::string_view::npos ? side.npos : colon - start);
        if (colon == std::string_view::npos && mayEndInQuad && group.find('.') != std::string_view::npos) {
            if (!ipv4Number(group)) return -1;
            return groups + 2;
        }
        if (group.empty() || group.size() > 4 || !std::all_of(group.begin(), group.end(), isHex)) return -1;
        ++groups;
        if (colon == std::string_view::npos) return groups;
        start = colon + 1;
    }
}

bool isIpv6Core(std::string_view text) {
    std::size_t gap = text.find("::");
    if (gap == std::string_view::npos) return countGroups(text, true) == 8;
    if (text.find("::", gap + 1) != std::string_view::npos) return false;
    int left = countGroups(text.substr(0, gap), false);
    int right = countGroups(text.substr(gap + 2), true);
    return left >= 0 && right >= 0 && left + right <= 7;
}

}  // namespace

std::size_t findNoCase(std::string_view line, std::string_view needle) {
    if (needle.empty() || needle.size() > line.size()) return 0;
    // Scan for the first letter in either case, then compare the rest.
    const char first = upperChar(needle[0]);
    const char firstLower = first >= 'A' && first <= 'Z' ? static_cast<char>(first - 'A' + 'a') : first;
    const std::size_t last = line.size() - needle.size();
    for (std::size_t i = 0; i <= last; ++i) {
        if (line[i] != first && line[i] != firstLower) continue;
        std::size_t j = 1;
        while (j < needle.size() && upperChar(line[i + j]) == upperChar(needle[j])) ++j;
        if (j == needle.size()) return i + 1;
    }
    return 0;
}

std::string upperAscii(std::string_view text) {
    std::string out(text);
    for (auto& c : out) c = upperChar(c);
    return out;
}

void lowerAscii(std::string_view text, std::string& out) {
    out.assign(text);
    for (auto& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
}

std::size_t colonPosition(std::string_view line) {
    auto at = line.find(':');
    return at == std::string_view::npos ? 0 : at + 1;
}

std::string cutAt(std::string_view line, std::size_t position) {
    return position >= line.size() ? std::string{} : std::string(line.substr(position));
}

std::string takeValue(std::string_view line, std::size_t& cutPosition) {
    cutPosition = colonPosition(line) + 1;
    return cutAt(line, cutPosition);
}

bool failsLetterTest(std::string_view value) {
    return std::any_of(value.begin(), value.end(), [](char c) {
        char u = upperChar(c);
        return u >= 'A' && u <= 'Z';
    });
}

bool isIpv6Address(std::string_view value) {
    while (!value.empty() && value.back() == ' ') value.remove_suffix(1);
    constexpr std::string_view preferred = "(Preferred)";
    if (value.size() >= preferred.size() && value.substr(value.size() - preferred.size()) == preferred)
        value.remove_suffix(preferred.size());
    if (auto percent = value.find('%'); percent != std::string_view::npos) {
        std::string_view zone = value.substr(percent + 1);
        if (zone.empty() || !std::all_of(zone.begin(), zone.end(), [](char c) {
                return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' ||
                       c == '-' || c == '.';
            }))
            return false;
        value = value.substr(0, percent);
    }
    return value.find(':') != std::string_view::npos && isIpv6Core(value);
}

std::string labelColumn(std::string_view label) {
    std::string out(label);
    if (out.size() < kLabelColumn) out.append(kLabelColumn - out.size(), ' ');
    return out;
}

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

std::string_view trimmedLeft(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    return s;
}

std::string_view trimmedRight(std::string_view s) {
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

std::size_t utf8Length(std::string_view s, std::size_t at) {
    auto byte = [&](std::size_t i) { return i < s.size() ? static_cast<unsigned char>(s[i]) : 0u; };
    const unsigned lead = byte(at);
    if (lead < 0x80) return 1;
    const std::size_t n = lead >= 0xC2 && lead <= 0xDF ? 2 : lead >= 0xE0 && lead <= 0xEF ? 3 : lead >= 0xF0 && lead <= 0xF4 ? 4 : 0;
    if (n == 0) return 0;
    // The second byte's range excludes overlong forms, surrogates and code points past U+10FFFF.
    const unsigned low = lead == 0xE0 ? 0xA0 : lead == 0xF0 ? 0x90 : 0x80;
    const unsigned high = lead == 0xED ? 0x9F : lead == 0xF4 ? 0x8F : 0xBF;
    if (byte(at + 1) < low || byte(at + 1) > high) return 0;
    for (std::size_t k = 2; k < n; ++k)
        if ((byte(at + k) & 0xC0) != 0x80) return 0;
    return n;
}

char32_t firstCodePoint(std::string_view s, std::size_t& length) {
    auto b = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    length = 1;
    if (s.empty()) return 0;
    unsigned char c = b(0);
    std::size_t n = c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : (c >> 3) == 0x1E ? 4 : 1;
    if (n > s.size()) return c;
    char32_t cp = n == 1 ? c : n == 2 ? (c & 0x1F) : n == 3 ? (c & 0x0F) : (c & 0x07);
    for (std::size_t i = 1; i < n; ++i) cp = (cp << 6) | (b(i) & 0x3F);
    length = n;
    return cp;
}

std::optional<unsigned> ipv4Number(std::string_view text) {
    unsigned result = 0;
    for (int part = 0; part < 4; ++part) {
        if (part > 0) {
            if (text.empty() || text.front() != '.') return std::nullopt;
            text.remove_prefix(1);
        }
        unsigned octet = 0;
        auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), octet);
        if (ec != std::errc() || end == text.data() || octet > 255 || end - text.data() > 3) return std::nullopt;
        text.remove_prefix(static_cast<std::size_t>(end - text.data()));
        result = (result << 8) | octet;
    }
    if (!text.empty()) return std::nullopt;
    return result;
}

}  // namespace capture
