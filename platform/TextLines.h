// The lines of a text file's contents, as every backend reads them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Splits text into lines at LF, dropping one CR before each LF. A final
// line without a line end is kept; the empty tail after a last LF is not.
inline std::vector<std::string> splitLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        std::size_t next = end == std::string_view::npos ? text.size() : end + 1;
        std::size_t stop = end == std::string_view::npos ? text.size() : end;
        if (end != std::string_view::npos && stop > start && text[stop - 1] == '\r') --stop;
        lines.emplace_back(text.substr(start, stop - start));
        start = next;
    }
    return lines;
}

}  // namespace platform
