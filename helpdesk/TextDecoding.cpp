#include "helpdesk/TextDecoding.h"

#include <array>
#include <cstdint>

namespace helpdesk {

namespace {

// Bytes 0x80-0xFF of the two console code pages of English and Western
// European Windows.
constexpr std::array<char16_t, 128> kCp437{
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7, 0x00EA, 0x00EB, 0x00E8, 0x00EF, 0x00EE,
    0x00EC, 0x00C4, 0x00C5, 0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9, 0x00FF, 0x00D6,
    0x00DC, 0x00A2, 0x00A3, 0x00A5, 0x20A7, 0x0192, 0x00E1, 0x00ED, 0x00F3, 0x00FA, 0x00F1, 0x00D1, 0x00AA,
    0x00BA, 0x00BF, 0x2310, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB, 0x2591, 0x2592, 0x2593, 0x2502,
    0x2524, 0x2561, 0x2562, 0x2556, 0x2555, 0x2563, 0x2551, 0x2557, 0x255D, 0x255C, 0x255B, 0x2510, 0x2514,
    0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F, 0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550,
    0x256C, 0x2567, 0x2568, 0x2564, 0x2565, 0x2559, 0x2558, 0x2552, 0x2553, 0x256B, 0x256A, 0x2518, 0x250C,
    0x2588, 0x2584, 0x258C, 0x2590, 0x2580, 0x03B1, 0x00DF, 0x0393, 0x03C0, 0x03A3, 0x03C3, 0x00B5, 0x03C4,
    0x03A6, 0x0398, 0x03A9, 0x03B4, 0x221E, 0x03C6, 0x03B5, 0x2229, 0x2261, 0x00B1, 0x2265, 0x2264, 0x2320,
    0x2321, 0x00F7, 0x2248, 0x00B0, 0x2219, 0x00B7, 0x221A, 0x207F, 0x00B2, 0x25A0, 0x00A0};
constexpr std::array<char16_t, 128> kCp850{
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7, 0x00EA, 0x00EB, 0x00E8, 0x00EF, 0x00EE,
    0x00EC, 0x00C4, 0x00C5, 0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9, 0x00FF, 0x00D6,
    0x00DC, 0x00F8, 0x00A3, 0x00D8, 0x00D7, 0x0192, 0x00E1, 0x00ED, 0x00F3, 0x00FA, 0x00F1, 0x00D1, 0x00AA,
    0x00BA, 0x00BF, 0x00AE, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB, 0x2591, 0x2592, 0x2593, 0x2502,
    0x2524, 0x00C1, 0x00C2, 0x00C0, 0x00A9, 0x2563, 0x2551, 0x2557, 0x255D, 0x00A2, 0x00A5, 0x2510, 0x2514,
    0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x00E3, 0x00C3, 0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550,
    0x256C, 0x00A4, 0x00F0, 0x00D0, 0x00CA, 0x00CB, 0x00C8, 0x0131, 0x00CD, 0x00CE, 0x00CF, 0x2518, 0x250C,
    0x2588, 0x2584, 0x00A6, 0x00CC, 0x2580, 0x00D3, 0x00DF, 0x00D4, 0x00D2, 0x00F5, 0x00D5, 0x00B5, 0x00FE,
    0x00DE, 0x00DA, 0x00DB, 0x00D9, 0x00FD, 0x00DD, 0x00AF, 0x00B4, 0x00AD, 0x00B1, 0x2017, 0x00BE, 0x00B6,
    0x00A7, 0x00F7, 0x00B8, 0x00B0, 0x00A8, 0x00B7, 0x00B9, 0x00B3, 0x00B2, 0x25A0, 0x00A0};

constexpr char32_t kReplacement = 0xFFFD;

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

// Length of the UTF-8 sequence at `at`, 0 when it is not a well-formed one
// (overlong forms, surrogates and values past U+10FFFF are not).
std::size_t utf8Sequence(std::string_view s, std::size_t at) {
    auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    unsigned char b = byte(at);
    if (b < 0x80) return 1;
    std::size_t n;
    unsigned char low = 0x80, high = 0xBF;
    if (b >= 0xC2 && b <= 0xDF) n = 2;
    else if (b >= 0xE0 && b <= 0xEF) {
        n = 3;
        if (b == 0xE0) low = 0xA0;
        if (b == 0xED) high = 0x9F;
    } else if (b >= 0xF0 && b <= 0xF4) {
        n = 4;
        if (b == 0xF0) low = 0x90;
        if (b == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    if (at + n > s.size()) return 0;
    if (byte(at + 1) < low || byte(at + 1) > high) return 0;
    for (std::size_t i = 2; i < n; ++i)
        if (byte(at + i) < 0x80 || byte(at + i) > 0xBF) return 0;
    return n;
}

bool validUtf8(std::string_view s, bool& ascii) {
    ascii = true;
    for (std::size_t i = 0; i < s.size();) {
        std::size_t n = utf8Sequence(s, i);
        if (n == 0) return false;
        if (n > 1) ascii = false;
        i += n;
    }
    return true;
}

std::string fromUtf16(std::string_view s, bool littleEndian) {
    std::string out;
    out.reserve(s.size());
    auto unit = [&](std::size_t i) -> char16_t {
        auto lo = static_cast<unsigned char>(s[littleEndian ? i : i + 1]);
        auto hi = static_cast<unsigned char>(s[littleEndian ? i + 1 : i]);
        return static_cast<char16_t>(lo | (hi << 8));
    };
    std::size_t i = 0;
    for (; i + 1 < s.size(); i += 2) {
        char16_t u = unit(i);
        if (u >= 0xD800 && u <= 0xDBFF && i + 3 < s.size()) {
            char16_t next = unit(i + 2);
            if (next >= 0xDC00 && next <= 0xDFFF) {
                appendUtf8(out, 0x10000 + ((static_cast<char32_t>(u) - 0xD800) << 10) + (next - 0xDC00));
                i += 2;
                continue;
            }
        }
        appendUtf8(out, u >= 0xD800 && u <= 0xDFFF ? kReplacement : static_cast<char32_t>(u));
    }
    if (i < s.size()) appendUtf8(out, kReplacement);  // an odd last byte
    return out;
}

// Characters no network report is written with: box drawing, Greek,
// mathematical and currency signs. Latin letters pass.
bool unlikelyInReport(char32_t c) { return c > 0x17F || c == 0xA2 || c == 0xA5; }

// The two pages agree on the letters of 0x80-0xA8; elsewhere 437 has box
// drawing, Greek and mathematical signs where 850 has Latin-1 letters.
CodePage likelierCodePage(std::string_view s) {
    int odd437 = 0, odd850 = 0;
    for (char ch : s) {
        auto b = static_cast<unsigned char>(ch);
        if (b < 0x80) continue;
        odd437 += unlikelyInReport(kCp437[b - 0x80]);
        odd850 += unlikelyInReport(kCp850[b - 0x80]);
    }
    // On a tie the text reads the same in both: 437, the console's page on
    // English Windows, the language of the reports read here.
    return odd850 < odd437 ? CodePage::Cp850 : CodePage::Cp437;
}

std::string fromCodePage(std::string_view s, CodePage page) {
    std::string out;
    out.reserve(s.size() + s.size() / 4);
    for (char ch : s) {
        auto b = static_cast<unsigned char>(ch);
        if (b < 0x80) out += ch;
        else appendUtf8(out, oemCharacter(b, page));
    }
    return out;
}

bool startsWith(std::string_view s, std::string_view prefix) { return s.substr(0, prefix.size()) == prefix; }

}  // namespace

char32_t oemCharacter(unsigned char byte, CodePage codePage) {
    if (byte < 0x80) return byte;
    return (codePage == CodePage::Cp437 ? kCp437 : kCp850)[byte - 0x80];
}

DecodedText decodeReport(std::string&& bytes, CodePage codePage) {
    if (startsWith(bytes, "\xFF\xFE")) return {fromUtf16(std::string_view(bytes).substr(2), true), "utf-16le"};
    if (startsWith(bytes, "\xFE\xFF")) return {fromUtf16(std::string_view(bytes).substr(2), false), "utf-16be"};
    const bool utf8Mark = startsWith(bytes, "\xEF\xBB\xBF");
    if (utf8Mark) bytes.erase(0, 3);
    std::string_view s = bytes;
    // UTF-16 LE without a mark: the report begins with ASCII characters
    // whose high bytes are zero.
    if (s.size() >= 4 && s[0] != 0 && s[1] == 0 && s[2] != 0 && s[3] == 0) return {fromUtf16(s, true), "utf-16le"};
    bool ascii = false;
    if (validUtf8(s, ascii)) return {std::move(bytes), ascii && !utf8Mark ? "ascii" : "utf-8"};
    // The code page only decides for text that is not UTF-8: one batch may
    // hold reports saved on Linux beside those of a console.
    CodePage page = codePage == CodePage::Automatic ? likelierCodePage(s) : codePage;
    return {fromCodePage(s, page), page == CodePage::Cp437 ? "cp437" : "cp850"};
}

}  // namespace helpdesk
