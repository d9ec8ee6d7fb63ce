// A report as people paste it, brought back to the lines the console
// printed. Works on line shapes only, in any language: lines wrapped at 80
// columns by a console window are joined again (a value continued on the
// next line, "(Pre" + "ferred)"); a line exactly 80 wide leaves an empty
// line behind, which goes; padding to 128 columns by a remote shell, blank
// lines and the blank line after every line of a double-spaced copy go too.
// A line cut at the copy's edge keeps what it has. Pure.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace helpdesk {

inline constexpr std::size_t kConsoleColumns = 80;

// The report's lines without blank lines and trailing blanks, wrapped
// values joined.
std::vector<std::string> unwrapPastedLines(std::string_view text);
// The same, appended to `lines`.
void unwrapPastedLines(std::string_view text, std::vector<std::string>& lines);

// Columns a line takes in a console: a CJK character takes two.
std::size_t consoleWidth(std::string_view utf8);

// True when the line has the shape of a report's label line: indented, a
// label with leader dots, then ":" ("   Subnet Mask . . . : 255.0.0.0").
bool isLabelLine(std::string_view line);

}  // namespace helpdesk
