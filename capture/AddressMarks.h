// What follows an address on a report line: the status word Windows puts
// in parentheses ("(Preferred)", "(Duplicate)", ..., in every language)
// and the masks people type over a value before they post a report
// ("x.x.x.x", "xx-xx", "{Hidden}"). Pure.
#pragma once

#include <string_view>

namespace capture {

enum class AddressMark { None, Preferred, Duplicate, Tentative, Deprecated, Cut, OtherWord, Unknown };

struct MarkedAddress {
    std::string_view address;  // blanks and the status word removed
    AddressMark mark = AddressMark::None;
};

// Splits the value of an address line into the address and its status word.
// A word cut off at the line's end ("(Pref") is `Cut`; a word of letters
// after a whole address is `OtherWord` (a status word of a language the
// vocabulary lacks); any other parenthesised text is `Unknown` and stays
// part of the address.
MarkedAddress splitAddressMark(std::string_view value);

// True when a sender masked the value: braces, brackets or angle brackets
// round it, or digits and separators with x, X, * or # standing for digits.
bool isMaskedValue(std::string_view value);

// True when the value ends in a status word, whole, cut at the line's end or
// of an unknown language.
bool carriesStatusWord(std::string_view value);

// True when the value begins, after blanks, with "169.254.".
bool isAutomaticAddress(std::string_view value);

}  // namespace capture
