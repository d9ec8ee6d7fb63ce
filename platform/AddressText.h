// Whether a text is one IP address, written as the address and nothing else.
// Pure text: fetched pages claim to hold one, and only then is it used.
#pragma once

#include <string_view>

namespace platform {

// "192.0.2.1", "2001:db8::1", "::ffff:192.0.2.1"; false for anything else,
// blanks and line ends included.
bool isIpv4Address(std::string_view text);
bool isIpAddress(std::string_view text);

// The text without the blanks, tabs and line ends around it.
std::string_view trimmedText(std::string_view text);

}  // namespace platform
