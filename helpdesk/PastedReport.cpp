#include "helpdesk/PastedReport.h"

#include <algorithm>

#include "capture/ReportText.h"
#include "platform/TextLines.h"

namespace helpdesk {

namespace {

std::size_t leadingBlanks(std::string_view s) {
    std::size_t n = 0;
    while (n < s.size() && (s[n] == ' ' || s[n] == '\t')) ++n;
    return n;
}

bool isWide(char32_t c) {
    return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) || (c >= 0xAC00 && c <= 0xD7A3) ||
           (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
           (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x20000 && c <= 0x3FFFD);
}

// A header ("Ethernet adapter LAN:", in any language) stands in the first
// column, holds a blank and ends with a colon; a piece of a wrapped value
// hardly ever does.
bool looksLikeHeader(std::string_view line) {
    return !line.empty() && leadingBlanks(line) == 0 && line.back() == ':' && line.find(' ') != std::string_view::npos;
}

// The console moved `next` to a new row: the row before it was full, or
// one column short (a trailing blank the copy dropped, or a double-width
// character that did not fit).
bool continues(std::size_t previousWidth, std::string_view next) {
    if (next.empty() || leadingBlanks(next) > 1 || looksLikeHeader(next)) return false;
    std::size_t length = 0;
    const bool wide = isWide(capture::firstCodePoint(next, length));
    return previousWidth == kConsoleColumns || previousWidth == kConsoleColumns - 1 ||
           (wide && previousWidth == kConsoleColumns - 2);
}

}  // namespace

std::size_t consoleWidth(std::string_view s) {
    std::size_t width = 0;
    while (!s.empty()) {
        std::size_t length = 0;
        width += isWide(capture::firstCodePoint(s, length)) ? 2 : 1;
        s.remove_prefix(length);
    }
    return width;
}

bool isLabelLine(std::string_view line) {
    std::size_t colon = line.find(':');
    if (colon == std::string_view::npos || leadingBlanks(line) == 0) return false;
    std::string_view label = line.substr(0, colon);
    return label.find(". ") != std::string_view::npos || label.find(" .") != std::string_view::npos ||
           (!label.empty() && (label.back() == '.' || label.back() == ' '));
}

namespace {

// True when a remote shell padded the lines: most of them share one width
// beyond the console's (a majority vote, then its count).
bool isPadded(std::string_view text) {
    std::size_t candidate = 0, votes = 0, lines = 0, count = 0;
    platform::LineCursor cursor(text);
    for (std::string_view raw; cursor.next(raw);) {
        if (votes == 0) candidate = raw.size();
        votes += raw.size() == candidate ? 1 : std::size_t(0) - 1;
    }
    if (candidate <= kConsoleColumns) return false;
    platform::LineCursor again(text);
    for (std::string_view raw; again.next(raw);) {
        if (capture::trimmedRight(raw).empty()) continue;
        ++lines;
        count += raw.size() == candidate;
    }
    return count * 2 > lines;
}

}  // namespace

std::vector<std::string> unwrapPastedLines(std::string_view text) {
    std::vector<std::string> lines;
    unwrapPastedLines(text, lines);
    return lines;
}

void unwrapPastedLines(std::string_view text, std::vector<std::string>& lines) {
    const std::size_t first = lines.size();
    lines.reserve(first + static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1);
    // Values keep their trailing blanks as the console wrote them, but for
    // a remote shell's padding.
    const bool padded = isPadded(text);
    std::size_t lastRowWidth = 0;
    platform::LineCursor cursor(text);
    for (std::string_view raw; cursor.next(raw);) {
        while (!raw.empty() && raw.back() == '\r') raw.remove_suffix(1);
        std::string_view line = capture::trimmedRight(raw);
        if (line.empty()) continue;
        const std::size_t width = consoleWidth(raw);
        if (padded) raw = line;
        // After a full row a blank line is the console's own (the row was
        // exactly full) or a double-spaced copy's; an unindented line that
        // is no header is a wrapped value's rest after either.
        if (lines.size() > first && continues(lastRowWidth, line)) lines.back() += raw;
        else lines.emplace_back(raw);
        lastRowWidth = width;
    }
}

}  // namespace helpdesk
