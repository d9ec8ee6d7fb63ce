#include "platform/Download.h"

#include <cctype>

namespace platform {

namespace {

bool startsWithNoCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(text[i])) != prefix[i]) return false;
    return true;
}

}  // namespace

std::string shownText(std::string text) {
    std::size_t chars = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        // A character starts at every byte that is no UTF-8 continuation byte.
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80 && ++chars > kMaxShownChars) {
            text.resize(i);
            break;
        }
    }
    return text;
}

bool redirectAllowed(std::string_view from, std::string_view to) {
    if (startsWithNoCase(to, "https://")) return true;
    return startsWithNoCase(to, "http://") && !startsWithNoCase(from, "https://");
}

}  // namespace platform
