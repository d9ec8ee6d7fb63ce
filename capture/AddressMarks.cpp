#include "capture/AddressMarks.h"

#include <algorithm>

#include "capture/ReportText.h"
#include "capture/ReportVocabulary.h"

namespace capture {

namespace {

AddressMark markOf(std::string_view english) {
    if (english == "Preferred") return AddressMark::Preferred;
    if (english == "Duplicate") return AddressMark::Duplicate;
    if (english == "Tentative") return AddressMark::Tentative;
    if (english == "Deprecated") return AddressMark::Deprecated;
    return AddressMark::Unknown;
}

// Calls `found` with each status word of every language and its mark until
// it returns true.
template <typename Found>
bool anyStatusWord(Found found) {
    for (const auto& language : reportLanguages())
        for (const auto& term : language.statuses)
            if (found(term.local, markOf(term.english))) return true;
    return false;
}

// `text` is the start of `word`, letters compared without regard to case.
bool startsNoCase(std::string_view text, std::string_view word) {
    return text.size() <= word.size() && !text.empty() && equalsNoCase(word.substr(0, text.size()), text);
}

// "192.168.1.20": four numbers of one to three digits.
bool isDottedQuad(std::string_view text) {
    int parts = 0;
    std::size_t digits = 0;
    for (char c : text) {
        if (c >= '0' && c <= '9') {
            if (++digits > 3) return false;
        } else if (c == '.' && digits > 0 && parts < 3) {
            ++parts;
            digits = 0;
        } else {
            return false;
        }
    }
    return parts == 3 && digits > 0;
}

// A word written with letters only: no digit, dot or colon of an address.
bool isLetterWord(std::string_view word) {
    bool letter = false;
    for (char c : word) {
        if ((c >= '0' && c <= '9') || c == '.' || c == ':' || c == '(' || c == ')' || c == '%') return false;
        if (c != ' ' && c != '-') letter = true;
    }
    return letter;
}

}  // namespace

MarkedAddress splitAddressMark(std::string_view value) {
    value = trimmed(value);
    std::size_t open = value.rfind('(');
    if (open == std::string_view::npos || open == 0) return {value, AddressMark::None};
    std::string_view address = trimmed(value.substr(0, open));
    // A value cut at a column left of its label's colon still holds the
    // label's end: the address follows the last ": ".
    if (std::size_t colon = address.rfind(": "); colon != std::string_view::npos)
        address = trimmed(address.substr(colon + 2));
    if (value.back() == ')') {
        std::string_view word = value.substr(open + 1, value.size() - open - 2);
        AddressMark mark = AddressMark::Unknown;
        anyStatusWord([&](std::string_view local, AddressMark m) {
            if (!equalsNoCase(word, local)) return false;
            mark = m;
            return true;
        });
        if (mark == AddressMark::Unknown && isLetterWord(word) && (isDottedQuad(address) || isIpv6Address(address)))
            mark = AddressMark::OtherWord;
        return {mark == AddressMark::Unknown ? value : address, mark};
    }
    // A copy cut at its edge or a wrap left unjoined: the start of a word.
    std::string_view start = value.substr(open + 1);
    if (anyStatusWord([&](std::string_view local, AddressMark) { return startsNoCase(start, local); }))
        return {address, AddressMark::Cut};
    return {value, AddressMark::Unknown};
}

bool isMaskedValue(std::string_view value) {
    value = trimmed(value);
    if (value.size() < 2) return false;
    const char first = value.front(), last = value.back();
    if ((first == '{' && last == '}') || (first == '[' && last == ']') || (first == '<' && last == '>')) return true;
    bool mask = false;
    for (char c : value) {
        if (c == 'x' || c == 'X' || c == '*' || c == '#') mask = true;
        else if (!((c >= '0' && c <= '9') || c == '.' || c == '-' || c == ':' || c == '/'))
            return false;
    }
    return mask;
}

bool carriesStatusWord(std::string_view value) {
    AddressMark mark = splitAddressMark(value).mark;
    return mark != AddressMark::None && mark != AddressMark::Unknown;
}

bool isAutomaticAddress(std::string_view value) {
    return trimmedLeft(value).starts_with("169.254.");
}

}  // namespace capture
