// The lines of a text file's contents, as every backend reads them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Walks the lines of a text without copying it: lines end at LF, and one CR
// before each LF is dropped. A final line without a line end is a line;
// the empty tail after a last LF is not.
class LineCursor {
public:
    explicit LineCursor(std::string_view text) : text_(text) {}
    // The next line; false at the end.
    bool next(std::string_view& line) {
        if (at_ >= text_.size()) return false;
        std::size_t end = text_.find('\n', at_);
        std::size_t next = end == std::string_view::npos ? text_.size() : end + 1;
        std::size_t stop = end == std::string_view::npos ? text_.size() : end;
        if (end != std::string_view::npos && stop > at_ && text_[stop - 1] == '\r') --stop;
        line = text_.substr(at_, stop - at_);
        at_ = next;
        return true;
    }
    // Where the next line begins.
    std::size_t offset() const { return at_; }

private:
    std::string_view text_;
    std::size_t at_ = 0;
};

// Splits text into lines as LineCursor walks them.
inline std::vector<std::string> splitLines(std::string_view text) {
    std::vector<std::string> lines;
    LineCursor cursor(text);
    for (std::string_view line; cursor.next(line);) lines.emplace_back(line);
    return lines;
}

}  // namespace platform
