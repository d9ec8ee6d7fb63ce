// The bytes of a saved report as UTF-8 text. Reports arrive as the console
// wrote them (its OEM code page: 437, 850, 866, 932, ...), as PowerShell
// wrote them (UTF-16 with a byte-order mark) or as UTF-8. Code pages are
// converted by the C library's iconv. Pure: no platform, no toolkit.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace helpdesk {

// A Windows code page by its number; Automatic picks the one the report
// reads in.
enum class CodePage : int { Automatic = 0 };

// The code pages a report may be read in: the console pages of every
// language, then the Windows pages Notepad saves in.
const std::vector<int>& supportedCodePages();
bool isSupportedCodePage(int number);

struct DecodedText {
    std::string text;      // UTF-8
    std::string encoding;  // "utf-8", "utf-16le", "utf-16be", "ascii" or "cp" and the page ("cp850")
};

// A byte-order mark decides first (UTF-8, UTF-16 LE, UTF-16 BE); UTF-16 LE
// without one is recognised by its zero high bytes; text that is valid UTF-8
// stays as it is; anything else is read in a code page: the one asked for,
// else among those in which the report's title line reads as a title, the
// one its labels and names read best in. Invalid sequences become U+FFFD.
// `bytes` may be moved into the result.
DecodedText decodeReport(std::string&& bytes, CodePage codePage);

// `bytes` in code page `number` as UTF-8, bytes it cannot read as U+FFFD;
// nothing when the page is not supported.
std::optional<std::string> fromCodePage(std::string_view bytes, int number);

}  // namespace helpdesk
