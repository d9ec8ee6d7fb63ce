// The words of `ipconfig /all` in every display language of Windows: the
// title line, the labels, the adapter kinds of the headers, the word values
// and the address status words, each beside its English form.
#pragma once

#include <string_view>
#include <vector>

namespace capture {

struct Term {
    std::string_view english;
    std::string_view local;
};

struct LanguageTerms {
    std::string_view code;  // "de", "pt-BR", "zh-CN", ...
    std::vector<std::string_view> titles;
    std::vector<Term> labels;
    std::vector<Term> kinds;     // "Ethernet adapter", ...
    std::vector<Term> values;    // Yes, No, Enabled, node types, "Media disconnected"
    std::vector<Term> statuses;  // "Preferred", ... (without the parentheses)
};

// English first; every language Windows writes its report in after it.
const std::vector<LanguageTerms>& reportLanguages();

// The English labels whose value is a word (yes/no, node type, media
// state), and those whose value is an address that may carry a status word.
bool hasWordValue(std::string_view englishLabel);
bool hasAddressValue(std::string_view englishLabel);

}  // namespace capture
