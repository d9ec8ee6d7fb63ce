#include "capture/AddressMarks.h"

#include <algorithm>
#include <array>

#include "capture/ReportText.h"

namespace capture {

namespace {

struct StatusWord {
    std::string_view word;
    AddressMark mark;
};

// The English words and the translations Windows prints in their place.
constexpr std::array<StatusWord, 17> kStatusWords{{
    {"Preferred", AddressMark::Preferred},     {"Duplicate", AddressMark::Duplicate},
    {"Tentative", AddressMark::Tentative},     {"Deprecated", AddressMark::Deprecated},
    {"Bevorzugt", AddressMark::Preferred},     {"préféré", AddressMark::Preferred},
    {"Preferido", AddressMark::Preferred},     {"Preferenziale", AddressMark::Preferred},
    {"Preferencial", AddressMark::Preferred},  {"Voorkeur", AddressMark::Preferred},
    {"Preferowany", AddressMark::Preferred},   {"Основной", AddressMark::Preferred},
    {"首选", AddressMark::Preferred},          {"复制", AddressMark::Duplicate},
    {"偏好選項", AddressMark::Preferred},      {"優先", AddressMark::Preferred},
    {"기본 설정", AddressMark::Preferred},
}};

bool sameNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && findNoCase(a, b) == 1;
}

bool startsNoCase(std::string_view text, std::string_view prefix) {
    return text.size() <= prefix.size() && !text.empty() && findNoCase(prefix.substr(0, text.size()), text) == 1;
}

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
    return s;
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
        for (const auto& s : kStatusWords)
            if (sameNoCase(word, s.word)) return {address, s.mark};
        return {value, AddressMark::Unknown};
    }
    // A copy cut at its edge or a wrap left unjoined: the start of a word.
    std::string_view start = value.substr(open + 1);
    for (const auto& s : kStatusWords)
        if (startsNoCase(start, s.word)) return {address, AddressMark::Cut};
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
    while (!value.empty() && (value.front() == ' ' || value.front() == '\t')) value.remove_prefix(1);
    return value.substr(0, 8) == "169.254.";
}

}  // namespace capture
