#include "capture/ReportTranslation.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <unordered_map>

#include "capture/ReportText.h"
#include "capture/ReportVocabulary.h"

namespace capture {

namespace {

using LanguageSet = std::uint64_t;

// The lower-case form of the capital letters labels are written with
// (Latin, Latin Extended-A, Greek, Cyrillic); others unchanged.
char32_t lowerLetter(char32_t c) {
    if (c >= 'A' && c <= 'Z') return c + 32;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 32;
    if (c == 0x130 || c == 0x131) return 'i';  // Turkish dotted and dotless i
    if ((c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177)) return c | 1;
    if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) return (c & 1) ? c + 1 : c;
    if (c >= 0x391 && c <= 0x3A9) return c + 32;
    if (c == 0x386) return 0x3AC;
    if (c >= 0x388 && c <= 0x38A) return c + 37;
    if (c == 0x38C) return 0x3CC;
    if (c == 0x38E || c == 0x38F) return c + 63;
    if (c >= 0x410 && c <= 0x42F) return c + 32;
    if (c >= 0x400 && c <= 0x40F) return c + 80;
    return c;
}

// The key a label, value or kind is looked up by: letters in lower case,
// every run of blanks (no-break and ideographic ones too) as one blank,
// typographic apostrophes as "'", "œ" as "oe"; leading blanks and trailing
// blanks and leader dots dropped. Bytes that are no UTF-8 pass as they are.
void foldInto(std::string_view s, std::string& out) {
    out.clear();
    while (!s.empty() && (s.back() == '.' || s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    bool blank = false;
    for (std::size_t i = 0; i < s.size();) {
        auto b = static_cast<unsigned char>(s[i]);
        if (b >= 'a' && b <= 'z') {
            if (blank) out += ' ';
            blank = false;
            out += static_cast<char>(b);
            ++i;
            continue;
        }
        char32_t c = b;
        std::size_t n = 1;
        if (b >= 0xC0 && b < 0xE0 && i + 1 < s.size()) {
            c = ((b & 0x1F) << 6) | (static_cast<unsigned char>(s[i + 1]) & 0x3F);
            n = 2;
        } else if (b >= 0xE0 && b < 0xF0 && i + 2 < s.size()) {
            c = ((b & 0x0F) << 12) | ((static_cast<unsigned char>(s[i + 1]) & 0x3F) << 6) |
                (static_cast<unsigned char>(s[i + 2]) & 0x3F);
            n = 3;
        } else if (b >= 0x80) {
            out += s[i++];  // no character we fold
            blank = false;
            continue;
        }
        i += n;
        if (c == ' ' || c == '\t' || c == '\r' || c == 0xA0 || c == 0x3000) {
            blank = !out.empty();
            continue;
        }
        if (blank) out += ' ';
        blank = false;
        if (c == 0x2019 || c == 0x2018 || c == 0xB4 || c == '`') c = '\'';
        if (c == 0x152 || c == 0x153) {
            out += "oe";
            continue;
        }
        if (c < 0x80) {
            out += static_cast<char>(lowerLetter(c));
        } else {
            char32_t lower = lowerLetter(c);
            if (lower == c) out.append(s.substr(i - n, n));
            else appendUtf8(out, lower);
        }
    }
    while (!out.empty() && (out.back() == '.' || out.back() == ' ')) out.pop_back();
}

std::string fold(std::string_view s) {
    std::string out;
    foldInto(s, out);
    return out;
}

struct LabelInfo {
    std::string_view english;
    LanguageSet languages;
    bool identity;  // written as in English
};

struct KindInfo {
    std::string folded;
    std::string_view english;
    std::size_t words;
    LanguageSet languages;
};

struct TitleInfo {
    std::string folded;
    LanguageSet languages;
};

// Every language's words, keyed by their folded form.
struct Vocabulary {
    std::vector<std::string_view> codes;
    std::unordered_map<std::string, LabelInfo> labels;
    std::unordered_map<std::string, std::string_view> values;
    std::unordered_map<std::string, std::string_view> statuses;
    std::vector<KindInfo> kinds;  // longest first
    std::vector<TitleInfo> titles;
    LanguageSet english = 1;

    Vocabulary() {
        const auto& languages = reportLanguages();
        for (std::size_t l = 0; l < languages.size() && l < 64; ++l) {
            const LanguageTerms& t = languages[l];
            const LanguageSet bit = LanguageSet{1} << l;
            codes.push_back(t.code);
            for (auto title : t.titles) {
                std::string key = fold(title);
                auto same = std::find_if(titles.begin(), titles.end(), [&](const TitleInfo& i) { return i.folded == key; });
                if (same != titles.end()) same->languages |= bit;
                else titles.push_back({key, bit});
            }
            for (const Term& term : t.labels) {
                std::string key = fold(term.local);
                bool identity = key == fold(term.english);
                auto [at, added] = labels.try_emplace(key, LabelInfo{term.english, bit, identity});
                if (!added) at->second.languages |= bit;
            }
            for (const Term& term : t.kinds) {
                std::string key = fold(term.local);
                auto same = std::find_if(kinds.begin(), kinds.end(), [&](const KindInfo& k) { return k.folded == key; });
                if (same != kinds.end()) {
                    same->languages |= bit;
                    continue;
                }
                std::size_t words = static_cast<std::size_t>(std::count(key.begin(), key.end(), ' ')) + 1;
                kinds.push_back({key, term.english, words, bit});
            }
            for (const Term& term : t.values) values.try_emplace(fold(term.local), term.english);
            for (const Term& term : t.statuses) statuses.try_emplace(fold(term.local), term.english);
        }
        std::stable_sort(kinds.begin(), kinds.end(),
                         [](const KindInfo& a, const KindInfo& b) { return a.folded.size() > b.folded.size(); });
    }
};

const Vocabulary& vocabulary() {
    static const Vocabulary v;
    return v;
}

constexpr std::string_view kWideColon = "\xEF\xBC\x9A";  // U+FF1A

// The colons of a line in order: ":" and the full-width one of CJK reports.
struct Colon {
    std::size_t at;
    std::size_t size;
};
std::optional<Colon> nextColon(std::string_view line, std::size_t from) {
    std::size_t plain = line.find(':', from);
    std::size_t wide = line.find(kWideColon, from);
    if (plain == std::string_view::npos && wide == std::string_view::npos) return std::nullopt;
    if (wide < plain) return Colon{wide, kWideColon.size()};
    return Colon{plain, 1};
}

const TitleInfo* titleOf(std::string_view line, std::string& scratch) {
    line = trimmedLeft(line);
    if (line.empty()) return nullptr;
    // Every language's title names "Windows": a quick test before folding.
    if (line.find("indows") == std::string_view::npos && line.find("INDOWS") == std::string_view::npos) return nullptr;
    foldInto(line, scratch);
    for (const TitleInfo& t : vocabulary().titles) {
        if (!scratch.starts_with(t.folded)) continue;
        if (scratch.size() == t.folded.size()) return &t;
        char next = scratch[t.folded.size()];
        if (next == ' ' || next == '(' || next == ':' || next == '-' || next == ',') return &t;
    }
    return nullptr;
}

// A label line: the label (before a separator colon) is known. A label may
// hold a colon itself ("Vínculo: dirección IPv6 local"), so each colon is
// tried in turn.
struct LabelMatch {
    const LabelInfo* info;
    Colon colon;
};
std::optional<LabelMatch> labelOf(std::string_view line, std::string& scratch) {
    const auto& labels = vocabulary().labels;
    for (auto colon = nextColon(line, 0); colon; colon = nextColon(line, colon->at + colon->size)) {
        // Past the label column only values follow.
        if (colon->at > 90) break;
        // A colon after a digit or a colon is a value's (an address, a time).
        const char before = colon->at > 0 ? line[colon->at - 1] : ' ';
        if ((before >= '0' && before <= '9') || before == ':') continue;
        foldInto(line.substr(0, colon->at), scratch);
        if (scratch.empty()) continue;
        auto found = labels.find(scratch);
        if (found != labels.end()) return LabelMatch{&found->second, *colon};
        // The colon after a leader ends the label, known or not.
        if (before == '.' || before == ' ') break;
    }
    return std::nullopt;
}

// An indented line with no label of its own: a value continued from the
// line above. Label-like: a colon after a leader dot or a blank.
bool isContinuation(std::string_view line) {
    if (line.empty() || (line[0] != ' ' && line[0] != '\t')) return false;
    std::string_view text = trimmedLeft(line);
    if (trimmedRight(text).empty()) return false;
    for (auto colon = nextColon(text, 0); colon; colon = nextColon(text, colon->at + colon->size)) {
        if (colon->at > 0 && (text[colon->at - 1] == '.' || text[colon->at - 1] == ' ')) return false;
    }
    return true;
}

std::size_t characters(std::string_view s) {
    return static_cast<std::size_t>(
        std::count_if(s.begin(), s.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

class Translator {
public:
    explicit Translator(std::vector<std::string>&& lines) : lines_(std::move(lines)) {
        votes_.assign(vocabulary().codes.size(), 0);
    }

    TranslatedReport run() {
        LanguageSet titleLanguages = 0;
        std::size_t titleLine = lines_.size();
        for (std::size_t i = 0; i < lines_.size() && i < 16; ++i) {
            if (const TitleInfo* t = titleOf(lines_[i], scratch_)) {
                titleLanguages = t->languages;
                titleLine = i;
                break;
            }
        }
        const Vocabulary& v = vocabulary();
        if (titleLanguages == v.english) return {std::move(lines_), "en"};
        if (titleLine < lines_.size()) lines_[titleLine] = "Windows IP Configuration";

        for (std::size_t i = 0; i < lines_.size(); ++i) {
            if (i == titleLine) continue;
            std::string& line = lines_[i];
            if (header(line)) {
                reindent_ = false;
                continue;
            }
            if (auto match = labelOf(line, scratch_)) {
                vote(match->info->languages);
                label(i, *match);
                continue;
            }
            if (reindent_ && isContinuation(line)) {
                line = std::string(valueColumn_, ' ') + std::string(trimmedLeft(line));
                continue;
            }
            reindent_ = false;
        }
        return {std::move(lines_), language(titleLanguages)};
    }

private:
    void vote(LanguageSet languages) {
        for (std::size_t l = 0; l < votes_.size(); ++l)
            if (languages & (LanguageSet{1} << l)) ++votes_[l];
        ++recognised_;
    }

    std::string language(LanguageSet titleLanguages) const {
        const auto& codes = vocabulary().codes;
        if (titleLanguages == 0 && recognised_ == 0) return {};
        std::size_t best = codes.size();
        for (std::size_t l = 0; l < codes.size(); ++l) {
            if (titleLanguages && !(titleLanguages & (LanguageSet{1} << l))) continue;
            if (best == codes.size() || votes_[l] > votes_[best]) best = l;
        }
        return best == codes.size() ? std::string() : std::string(codes[best]);
    }

    // An adapter header: in the first column, ending in a colon, its kind
    // first ("Carte Ethernet Wi-Fi :") or, in older reports, last
    // ("Подключение по локальной сети - Ethernet адаптер:").
    bool header(std::string& line) {
        if (line.empty() || line[0] == ' ' || line[0] == '\t') return false;
        std::string_view text = trimmedRight(line);
        if (text.ends_with(kWideColon))
            text.remove_suffix(kWideColon.size());
        else if (!text.empty() && text.back() == ':')
            text.remove_suffix(1);
        else
            return false;
        text = trimmedRight(text);
        foldInto(text, scratch_);
        for (const KindInfo& kind : vocabulary().kinds) {
            if (scratch_.starts_with(kind.folded) &&
                (scratch_.size() == kind.folded.size() || scratch_[kind.folded.size()] == ' ')) {
                std::string_view name = trimmedLeft(afterWords(text, kind.words));
                vote(kind.languages);
                line = std::string(kind.english) + " " + std::string(name) + ":";
                return true;
            }
            std::size_t n = scratch_.size(), k = kind.folded.size();
            if (n > k + 3 && scratch_.compare(n - k, k, kind.folded) == 0 && scratch_.compare(n - k - 3, 3, " - ") == 0) {
                std::string_view name = trimmedRight(beforeLastWords(text, kind.words + 1));
                vote(kind.languages);
                line = std::string(kind.english) + " " + std::string(name) + ":";
                return true;
            }
        }
        return false;
    }

    static std::string_view afterWords(std::string_view text, std::size_t words) {
        std::size_t at = 0;
        for (std::size_t w = 0; w < words; ++w) {
            while (at < text.size() && text[at] == ' ') ++at;
            while (at < text.size() && text[at] != ' ') ++at;
        }
        return text.substr(at);
    }

    static std::string_view beforeLastWords(std::string_view text, std::size_t words) {
        std::size_t end = text.size();
        for (std::size_t w = 0; w < words; ++w) {
            while (end > 0 && text[end - 1] == ' ') --end;
            while (end > 0 && text[end - 1] != ' ') --end;
        }
        return text.substr(0, end);
    }

    void label(std::size_t i, const LabelMatch& match) {
        std::string& line = lines_[i];
        const std::string_view english = match.info->english;
        std::string_view original = line;
        std::string_view value = trimmedLeft(original.substr(match.colon.at + match.colon.size));
        std::string translated = translateValue(english, value);
        const bool valueChanged = translated != value;
        if (match.info->identity && !valueChanged && match.colon.size == 1) {
            reindent_ = false;
            return;
        }
        const std::size_t indent = original.size() - trimmedLeft(original).size();
        // The colon where the report had it (counted in characters), or
        // right after the English label when that is longer.
        const std::size_t colon = std::max(characters(original.substr(0, match.colon.at)), indent + english.size() + 1);
        std::string out(original.substr(0, indent));
        out += english;
        while (out.size() + 1 < colon) out += (colon - out.size()) % 2 ? ' ' : '.';
        if (out.size() < colon) out += ' ';
        out += ": ";
        valueColumn_ = out.size();
        // A value Windows wrote on the next line, under its label.
        if (translated.empty() && i + 1 < lines_.size() && isContinuation(lines_[i + 1]) &&
            !labelOf(lines_[i + 1], scratch_)) {
            translated = trimmedRight(trimmedLeft(lines_[i + 1]));
            lines_[i + 1].clear();
        }
        out += translated;
        line = std::move(out);
        reindent_ = true;
    }

    std::string translateValue(std::string_view english, std::string_view value) {
        const Vocabulary& v = vocabulary();
        if (hasWordValue(english)) {
            foldInto(value, scratch_);
            auto found = v.values.find(scratch_);
            if (found != v.values.end()) return std::string(found->second);
        } else if (hasAddressValue(english)) {
            // "192.168.0.101(首选)", "fe80::1%12(Bevorzugt) ": the status word
            // in parentheses, full-width ones too.
            std::string_view body = trimmedRight(value);
            std::size_t close = 0, openSize = 1;
            if (!body.empty() && body.back() == ')') close = 1;
            else if (body.ends_with("\xEF\xBC\x89")) close = 3;
            if (close) {
                std::size_t open = body.rfind('(');
                std::size_t wideOpen = body.rfind("\xEF\xBC\x88");
                if (wideOpen != std::string_view::npos && (open == std::string_view::npos || wideOpen > open)) {
                    open = wideOpen;
                    openSize = 3;
                }
                if (open != std::string_view::npos) {
                    foldInto(body.substr(open + openSize, body.size() - close - open - openSize), scratch_);
                    auto found = v.statuses.find(scratch_);
                    if (found != v.statuses.end())
                        return std::string(body.substr(0, open)) + "(" + std::string(found->second) + ")" +
                               std::string(value.substr(body.size()));
                }
            }
        }
        return std::string(value);
    }

    std::vector<std::string> lines_;
    std::vector<int> votes_;
    int recognised_ = 0;
    std::string scratch_;
    bool reindent_ = false;
    std::size_t valueColumn_ = 0;
};

}  // namespace

TranslatedReport translateReport(std::vector<std::string> lines) { return Translator(std::move(lines)).run(); }

bool isReportTitle(std::string_view line) {
    std::string scratch;
    return titleOf(line, scratch) != nullptr;
}

int recognisedLabels(const std::vector<std::string>& lines) {
    std::string scratch;
    int count = 0;
    for (const auto& line : lines)
        if (labelOf(line, scratch)) ++count;
    return count;
}

}  // namespace capture
