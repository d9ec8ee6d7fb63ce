#include "helpdesk/TextDecoding.h"

#include <iconv.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <map>
#include <optional>

#include "capture/ReportText.h"
#include "capture/ReportTranslation.h"
#include "platform/TextLines.h"

namespace helpdesk {

namespace {

constexpr char32_t kReplacement = 0xFFFD;
// A report's title stands among its first lines.
constexpr int kTitleLines = 16;

bool validUtf8(std::string_view s, bool& ascii) {
    ascii = true;
    for (std::size_t i = 0; i < s.size();) {
        std::size_t n = capture::utf8Length(s, i);
        if (n == 0) return false;
        if (n > 1) ascii = false;
        i += n;
    }
    return true;
}

std::string fromUtf16(std::string_view s, bool littleEndian) {
    std::string out;
    out.reserve(s.size());
    auto unit = [&](std::size_t i) -> char16_t {
        auto lo = static_cast<unsigned char>(s[littleEndian ? i : i + 1]);
        auto hi = static_cast<unsigned char>(s[littleEndian ? i + 1 : i]);
        return static_cast<char16_t>(lo | (hi << 8));
    };
    std::size_t i = 0;
    for (; i + 1 < s.size(); i += 2) {
        char16_t u = unit(i);
        if (u >= 0xD800 && u <= 0xDBFF && i + 3 < s.size()) {
            char16_t next = unit(i + 2);
            if (next >= 0xDC00 && next <= 0xDFFF) {
                capture::appendUtf8(out, 0x10000 + ((static_cast<char32_t>(u) - 0xD800) << 10) + (next - 0xDC00));
                i += 2;
                continue;
            }
        }
        capture::appendUtf8(out, u >= 0xD800 && u <= 0xDFFF ? kReplacement : static_cast<char32_t>(u));
    }
    if (i < s.size()) capture::appendUtf8(out, kReplacement);  // an odd last byte
    return out;
}

// A console report's title line and labels tell its code page. The pages
// in the order they are tried: the console pages of the languages Windows
// writes in, then the Windows pages a report saved from Notepad is in.
const std::vector<int> kCodePages{437, 850, 852, 866, 936, 932, 949, 950, 857, 737, 855, 775, 865, 860, 861,
                                  863, 869, 862, 874, 1252, 1250, 1251, 1253, 1254, 1257, 1258};

// The console page each language's Windows writes its reports in.
int consolePageOf(std::string_view language) {
    static const std::map<std::string_view, int> pages{
        {"en", 437},  {"de", 850},  {"fr", 850},  {"es", 850},  {"it", 850},    {"pt-BR", 850},
        {"pt-PT", 850}, {"nl", 850}, {"da", 850}, {"sv", 850},  {"nb", 850},    {"fi", 850},
        {"pl", 852},  {"cs", 852},  {"hu", 852},  {"ru", 866},  {"uk", 866},    {"el", 737},
        {"tr", 857},  {"ja", 932},  {"ko", 949},  {"zh-CN", 936}, {"zh-TW", 950}};
    auto found = pages.find(language);
    return found == pages.end() ? 0 : found->second;
}

// One converter per page and direction (from the page to UTF-8, or into
// the page), opened once: iconv_open loads a module.
iconv_t converterFor(int number, bool intoPage = false) {
    thread_local std::map<std::pair<int, bool>, iconv_t> open;
    auto found = open.find({number, intoPage});
    if (found != open.end()) return found->second;
    const std::string page = "CP" + std::to_string(number);
    iconv_t cd = intoPage ? iconv_open(page.c_str(), "UTF-8") : iconv_open("UTF-8", page.c_str());
    open.emplace(std::pair{number, intoPage}, cd);
    return cd;
}

std::string convert(iconv_t cd, std::string_view bytes) {
    iconv(cd, nullptr, nullptr, nullptr, nullptr);  // initial state
    std::string out(bytes.size() * 3 + 16, '\0');
    char* in = const_cast<char*>(bytes.data());
    std::size_t inLeft = bytes.size();
    char* to = out.data();
    std::size_t outLeft = out.size();
    while (inLeft > 0) {
        if (iconv(cd, &in, &inLeft, &to, &outLeft) != static_cast<std::size_t>(-1)) break;
        if (errno == E2BIG) {
            std::size_t used = static_cast<std::size_t>(to - out.data());
            out.resize(out.size() * 2);
            to = out.data() + used;
            outLeft = out.size() - used;
            continue;
        }
        // A byte the page cannot read (EILSEQ), or a sequence cut short at
        // the end (EINVAL): U+FFFD, then the next byte.
        if (outLeft < 3) {
            std::size_t used = static_cast<std::size_t>(to - out.data());
            out.resize(out.size() + 16);
            to = out.data() + used;
            outLeft = out.size() - used;
        }
        std::memcpy(to, "\xEF\xBF\xBD", 3);
        to += 3;
        outLeft -= 3;
        ++in;
        --inLeft;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    out.resize(static_cast<std::size_t>(to - out.data()));
    return out;
}

// Characters no report is written with: U+FFFD, control characters, box
// drawing and block elements, mathematical and technical signs, private
// use, half-width katakana (what Chinese bytes read as in Japanese pages),
// and the odd signs of the old console pages.
int unlikelyCharacters(std::string_view s) {
    int count = 0;
    for (std::size_t i = 0; i < s.size();) {
        std::size_t n = 1;
        const char32_t c = capture::firstCodePoint(s.substr(i), n);
        i += n;
        count += c == 0xFFFD || (c >= 0x80 && c <= 0x9F) || (c >= 0x2190 && c <= 0x23FF) ||
                 (c >= 0x2500 && c <= 0x25FF) || (c >= 0xE000 && c <= 0xF8FF) || (c >= 0xFF61 && c <= 0xFF9F) || c == 0xA2 || c == 0xA5 ||
                 c == 0xA6 || c == 0x192 || c == 0x20A7 || c == 0x207F || c == 0xB1 || c == 0xAC || c == 0xBF ||
                 c == 0xA1 || c == 0xAA || c == 0xBA || c == 0xA4 || c == 0xB6 || c == 0xA7;
    }
    return count;
}

// The first lines with a byte past ASCII, joined by line feeds: all a code
// page changes, and enough to tell the pages apart.
std::string nonAsciiLines(std::string_view s) {
    constexpr int kSampleLines = 40;
    constexpr std::size_t kSampleLine = 160;
    std::string out;
    std::size_t at = 0;
    for (int taken = 0; at < s.size() && taken < kSampleLines;) {
        std::size_t end = s.find('\n', at);
        if (end == std::string_view::npos) end = s.size();
        std::string_view line = s.substr(at, end - at);
        if (std::any_of(line.begin(), line.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; })) {
            out.append(line.substr(0, kSampleLine));
            out += '\n';
            ++taken;
        }
        at = end + 1;
    }
    return out;
}

// The page a report without a byte-order mark is in. Its title line (among
// the first lines, it names "Windows") must read as a title in the page:
// that alone tells the pages of a title in Cyrillic, Greek or CJK apart.
// Among the pages that pass, the one in which most labels are recognised
// and fewest unlikely characters appear wins; on a tie, the console page
// of the title's language, then the order of kCodePages.
int likeliestCodePage(std::string_view s) {
    std::string titleLines;
    platform::LineCursor cursor(s);
    std::string_view line;
    for (int n = 0; n < kTitleLines && cursor.next(line); ++n) {
        if (line.find("Windows") == std::string_view::npos) continue;
        titleLines.append(line.substr(0, 160));
        titleLines += '\n';
    }
    const std::string sample = nonAsciiLines(s);
    struct Candidate {
        int page;
        bool title;
        std::string language;
    };
    std::vector<Candidate> candidates;
    bool anyTitle = false;
    for (int page : kCodePages) {
        iconv_t cd = converterFor(page);
        if (cd == reinterpret_cast<iconv_t>(-1)) continue;
        Candidate c{page, false, {}};
        for (const auto& line : platform::splitLines(convert(cd, titleLines))) {
            if (capture::isReportTitle(line)) {
                c.title = true;
                c.language = capture::translateReport({line}).language;
                break;
            }
        }
        // The console page of the title's language, in which the text reads
        // without an unlikely character, needs no comparison.
        if (c.title && page == consolePageOf(c.language) && unlikelyCharacters(convert(cd, sample)) == 0) return page;
        anyTitle |= c.title;
        candidates.push_back(std::move(c));
    }
    if (anyTitle) std::erase_if(candidates, [](const Candidate& c) { return !c.title; });
    // The title's language (the same in every page that passes when it is
    // written in ASCII) puts its console page first.
    if (!candidates.empty()) {
        int preferred = consolePageOf(candidates.front().language);
        std::stable_partition(candidates.begin(), candidates.end(),
                              [&](const Candidate& c) { return c.page == preferred; });
    }
    int best = 0;
    long bestScore = 0;
    for (const Candidate& c : candidates) {
        std::string text = convert(converterFor(c.page), sample);
        long score = 4L * capture::recognisedLabels(platform::splitLines(text)) - unlikelyCharacters(text);
        if (best == 0 || score > bestScore) {
            best = c.page;
            bestScore = score;
        }
    }
    return best == 0 ? 437 : best;
}

// UTF-8 text in code page `number`; a character the page lacks becomes "?".
std::string toCodePage(std::string_view utf8, int number) {
    iconv_t cd = converterFor(number, true);
    if (cd == reinterpret_cast<iconv_t>(-1)) return {};
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    std::string out(utf8.size() + 16, '\0');
    char* in = const_cast<char*>(utf8.data());
    std::size_t inLeft = utf8.size();
    char* to = out.data();
    std::size_t outLeft = out.size();
    while (inLeft > 0 && iconv(cd, &in, &inLeft, &to, &outLeft) == static_cast<std::size_t>(-1)) {
        if (errno != EILSEQ || outLeft == 0) break;  // the text is valid UTF-8: nothing else to skip
        std::size_t n = std::max<std::size_t>(1, capture::utf8Length(std::string_view(in, inLeft), 0));
        // Windows reads the bytes its page leaves undefined as the C1
        // controls of the same number: they go back to those bytes.
        const auto lead = static_cast<unsigned char>(in[0]);
        const auto second = n == 2 ? static_cast<unsigned char>(in[1]) : 0;
        *to++ = lead == 0xC2 && second >= 0x80 && second <= 0x9F ? static_cast<char>(second) : '?';
        --outLeft;
        in += n;
        inLeft -= n;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    out.resize(static_cast<std::size_t>(to - out.data()));
    return out;
}

bool hasTitle(std::string_view s) {
    platform::LineCursor cursor(s);
    std::string_view line;
    for (int n = 0; n < kTitleLines && cursor.next(line); ++n)
        if (capture::isReportTitle(line)) return true;
    return false;
}

// Signs of a console page's letters read in a Windows page: C1 controls and
// the typographic marks that page puts where the console has letters.
bool hasMisreadSigns(std::string_view s) {
    for (std::size_t i = 0; i + 1 < s.size(); ++i) {
        auto b = static_cast<unsigned char>(s[i]), next = static_cast<unsigned char>(s[i + 1]);
        if (b == 0xC2 && next >= 0x80 && next <= 0x9F) return true;                  // U+0080-U+009F
        if (b == 0xE2 && next == 0x80 && i + 2 < s.size()) {                          // U+2000-U+203F
            auto last = static_cast<unsigned char>(s[i + 2]);
            if (last >= 0x93 && last <= 0xBA) return true;
        }
    }
    return false;
}

// A report copied from an editor that had opened the console's file in the
// Windows page ("Ќ бва®©Є  Їа®в®Є®«  IP ¤«п Windows"): written back in that
// page, its characters are the console's bytes again. Tried only when the
// text lacks a title or shows such signs; taken when it then reads better.
struct Misreading {
    int windows, console;
};
constexpr Misreading kMisreadings[]{{1251, 866}, {1252, 850}, {1252, 437}, {1250, 852},
                                    {1253, 737}, {1254, 857}, {1257, 775}};

std::optional<DecodedText> undoMisreading(const std::string& text) {
    if (hasTitle(text) && !hasMisreadSigns(text)) return std::nullopt;
    const std::string sample = nonAsciiLines(text);
    auto score = [](const std::string& lines) {
        return 4L * capture::recognisedLabels(platform::splitLines(lines)) - unlikelyCharacters(lines) + (hasTitle(lines) ? 8 : 0);
    };
    const long asIs = score(sample);
    const Misreading* best = nullptr;
    long bestScore = asIs;
    for (const Misreading& m : kMisreadings) {
        long repaired = score(convert(converterFor(m.console), toCodePage(sample, m.windows)));
        if (repaired >= bestScore + 4) {
            best = &m;
            bestScore = repaired;
        }
    }
    if (!best) return std::nullopt;
    return DecodedText{convert(converterFor(best->console), toCodePage(text, best->windows)),
                       "cp" + std::to_string(best->console)};
}

}  // namespace

const std::vector<int>& supportedCodePages() {
    static const std::vector<int> pages = [] {
        std::vector<int> usable;
        for (int page : kCodePages)
            if (converterFor(page) != reinterpret_cast<iconv_t>(-1)) usable.push_back(page);
        std::sort(usable.begin(), usable.end());
        return usable;
    }();
    return pages;
}

bool isSupportedCodePage(int number) {
    const auto& pages = supportedCodePages();
    return std::binary_search(pages.begin(), pages.end(), number);
}

std::optional<std::string> fromCodePage(std::string_view bytes, int number) {
    if (!isSupportedCodePage(number)) return std::nullopt;
    return convert(converterFor(number), bytes);
}

DecodedText decodeReport(std::string&& bytes, CodePage codePage) {
    if (bytes.starts_with("\xFF\xFE")) return {fromUtf16(std::string_view(bytes).substr(2), true), "utf-16le"};
    if (bytes.starts_with("\xFE\xFF")) return {fromUtf16(std::string_view(bytes).substr(2), false), "utf-16be"};
    const bool utf8Mark = bytes.starts_with("\xEF\xBB\xBF");
    if (utf8Mark) bytes.erase(0, 3);
    std::string_view s = bytes;
    // UTF-16 LE without a mark: the report begins with ASCII characters
    // whose high bytes are zero.
    if (s.size() >= 4 && s[0] != 0 && s[1] == 0 && s[2] != 0 && s[3] == 0) return {fromUtf16(s, true), "utf-16le"};
    bool ascii = false;
    if (validUtf8(s, ascii)) {
        if (!ascii)
            if (auto repaired = undoMisreading(bytes)) return std::move(*repaired);
        return {std::move(bytes), ascii && !utf8Mark ? "ascii" : "utf-8"};
    }
    // The code page only decides for text that is not UTF-8: one batch may
    // hold reports saved on Linux beside those of a console.
    int page = codePage == CodePage::Automatic || !isSupportedCodePage(static_cast<int>(codePage))
                   ? likeliestCodePage(s)
                   : static_cast<int>(codePage);
    return {convert(converterFor(page), s), "cp" + std::to_string(page)};
}

}  // namespace helpdesk
