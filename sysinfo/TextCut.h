// Small text helpers for values taken from platform records.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace sysinfo {

// The part of a text before its first NUL character.
std::string cutAtNul(std::string_view text);
// At most `count` characters of UTF-8 text, never splitting a character.
std::string firstCharacters(std::string_view text, std::size_t count);
// Leading and trailing blanks removed (blanks only, like the toolkit's Trim).
std::string trimBlanks(std::string_view text);
std::string lowerAscii(std::string_view text);
std::string upperAscii(std::string_view text);

}  // namespace sysinfo
