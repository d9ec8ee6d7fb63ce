// Text primitives of the report parser: label matching, value cutting and
// the character tests of the fault rules. Positions are 1-based as in the
// report's columns.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace capture {

// Position (1-based) of the first occurrence of `needle` in `line`, letters
// compared without regard to case; 0 when absent.
std::size_t findNoCase(std::string_view line, std::string_view needle);
inline bool containsNoCase(std::string_view line, std::string_view needle) {
    return findNoCase(line, needle) != 0;
}
inline bool equalsNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && findNoCase(a, b) == 1;
}

std::string upperAscii(std::string_view text);

// `s` without leading blanks and tabs, and without trailing blanks, tabs and CR.
std::string_view trimmedLeft(std::string_view s);
std::string_view trimmedRight(std::string_view s);
inline std::string_view trimmed(std::string_view s) { return trimmedRight(trimmedLeft(s)); }

// Appends the UTF-8 form of the character `c` (up to U+10FFFF).
void appendUtf8(std::string& out, char32_t c);
// Length of the well-formed UTF-8 sequence at `at` (1 to 4); 0 when the bytes
// there are none (overlong forms, surrogates, past U+10FFFF, cut short).
std::size_t utf8Length(std::string_view s, std::size_t at);
// The first character of UTF-8 text and its length in bytes; a byte that
// begins no whole character is taken as it stands, with length 1.
char32_t firstCodePoint(std::string_view s, std::size_t& length);

// "192.168.1.20" as a number; nothing unless it is four numbers of one to
// three digits up to 255, joined by dots, and nothing else.
std::optional<unsigned> ipv4Number(std::string_view text);
// Lower-cases the ASCII letters of `text` into `out` (reusing its storage).
void lowerAscii(std::string_view text, std::string& out);

// Position (1-based) of the first ":"; 0 when there is none.
std::size_t colonPosition(std::string_view line);

// The line without its first `position` characters; empty when the line is
// not longer than that.
std::string cutAt(std::string_view line, std::size_t position);

// Label value: cut position = colon position + 1, then cut. Updates `cutPosition`.
std::string takeValue(std::string_view line, std::size_t& cutPosition);

// True when a character, upper-cased, is one of the letters A to Z.
bool failsLetterTest(std::string_view value);

// A valid IPv6 address, optionally followed by "%zone", then optionally by
// "(Preferred)", then by blanks.
bool isIpv6Address(std::string_view value);

// Left-aligned label padded with blanks to the 18-character label column.
std::string labelColumn(std::string_view label);

inline constexpr std::size_t kLabelColumn = 18;

}  // namespace capture
