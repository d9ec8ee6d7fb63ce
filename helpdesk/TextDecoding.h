// The bytes of a saved report as UTF-8 text. Reports arrive as the console
// wrote them (an OEM code page), as PowerShell wrote them (UTF-16 with a
// byte-order mark) or as UTF-8. Pure: no platform, no toolkit.
#pragma once

#include <string>
#include <string_view>

namespace helpdesk {

// The console code page of a report without a byte-order mark; Automatic
// picks 437 or 850 by what the text reads as.
enum class CodePage { Automatic, Cp437, Cp850 };

struct DecodedText {
    std::string text;      // UTF-8
    std::string encoding;  // "utf-8", "utf-16le", "utf-16be", "cp437", "cp850" or "ascii"
};

// A byte-order mark decides first (UTF-8, UTF-16 LE, UTF-16 BE); UTF-16 LE
// without one is recognised by its zero high bytes; text that is valid UTF-8
// stays as it is; anything else is read in the console code page. Invalid
// UTF-16 becomes U+FFFD. `bytes` may be moved into the result.
DecodedText decodeReport(std::string&& bytes, CodePage codePage);

// The Unicode character of a byte 0x80-0xFF in code page 437 or 850.
char32_t oemCharacter(unsigned char byte, CodePage codePage);

}  // namespace helpdesk
