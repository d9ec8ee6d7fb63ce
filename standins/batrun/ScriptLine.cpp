#include "standins/batrun/ScriptLine.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

namespace standins::batrun {

namespace {

std::string trim(std::string_view s) {
    auto b = s.find_first_not_of(" \t");
    auto e = s.find_last_not_of(" \t");
    return b == std::string_view::npos ? std::string{} : std::string(s.substr(b, e - b + 1));
}

// Windows timeouts are in milliseconds; Linux tools take whole seconds.
std::string secondsFromMs(const std::string& ms) {
    long v = std::strtol(ms.c_str(), nullptr, 10);
    return std::to_string(std::max(1L, (v + 999) / 1000));
}

}  // namespace

std::string lowerAscii(std::string_view text) {
    std::string out(text);
    for (auto& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

std::vector<std::string> scriptLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string line(text.substr(start, end - start));
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(std::move(line));
        start = end + 1;
    }
    return lines;
}

ScriptLine parseLine(std::string_view raw) {
    ScriptLine out;
    std::string line = trim(raw);
    // In a script "%%" stands for one "%" (an IPv6 zone: "fe80::1%%11").
    for (std::size_t i = line.find("%%"); i != std::string::npos; i = line.find("%%", i + 1)) line.erase(i, 1);
    while (!line.empty() && line[0] == '@') {
        out.quiet = true;
        line = trim(line.substr(1));
    }
    // echo prints its text as written, ">" included only when quoted.
    bool inQuote = false;
    std::size_t gt = std::string::npos;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '"') inQuote = !inQuote;
        else if (line[i] == '>' && !inQuote) {
            gt = i;
            break;
        }
    }
    if (gt == std::string::npos) {
        out.command = line;
        return out;
    }
    out.command = trim(line.substr(0, gt));
    std::size_t target = gt + 1;
    if (target < line.size() && line[target] == '>') {
        out.append = true;
        ++target;
    }
    std::string file = trim(line.substr(target));
    if (file.size() >= 2 && file.front() == '"' && file.back() == '"') file = file.substr(1, file.size() - 2);
    out.redirect = file;
    return out;
}

std::vector<std::string> splitWords(std::string_view command) {
    std::vector<std::string> words;
    std::string word;
    bool inQuote = false, any = false;
    for (char c : command) {
        if (c == '"') {
            inQuote = !inQuote;
            any = true;
        } else if ((c == ' ' || c == '\t') && !inQuote) {
            if (any) words.push_back(word);
            word.clear();
            any = false;
        } else {
            word += c;
            any = true;
        }
    }
    if (any) words.push_back(word);
    return words;
}

EchoResult echoCommand(std::string_view command, bool echoOn) {
    EchoResult r;
    std::string_view rest = command.substr(std::min<std::size_t>(4, command.size()));
    // "echo." and "echo," print an empty line; "echo" alone tells the state.
    if (!rest.empty() && (rest[0] == '.' || rest[0] == ',' || rest[0] == ':')) {
        r.text = std::string(rest.substr(1));
        return r;
    }
    std::string text = rest.empty() ? std::string{} : std::string(rest.substr(1));
    std::string word = lowerAscii(trim(text));
    if (word == "off" || word == "on") {
        r.changesState = true;
        r.newState = word == "on";
        return r;
    }
    if (trim(text).empty()) {
        r.text = echoOn ? "ECHO is on." : "ECHO is off.";
        return r;
    }
    r.text = text;
    return r;
}

std::vector<std::string> pingArgs(const std::vector<std::string>& w) {
    std::vector<std::string> out{"ping"};
    bool counted = false;
    for (std::size_t i = 0; i < w.size(); ++i) {
        std::string o = lowerAscii(w[i]);
        bool hasValue = i + 1 < w.size();
        if (o == "-t" || o == "/t") {
            counted = true;  // until stopped
        } else if ((o == "-n" || o == "/n") && hasValue) {
            out.insert(out.end(), {"-c", w[++i]});
            counted = true;
        } else if ((o == "-l" || o == "/l") && hasValue) {
            out.insert(out.end(), {"-s", w[++i]});
        } else if ((o == "-w" || o == "/w") && hasValue) {
            out.insert(out.end(), {"-W", secondsFromMs(w[++i])});
        } else if ((o == "-i" || o == "/i") && hasValue) {
            out.insert(out.end(), {"-t", w[++i]});
        } else if (o == "-4" || o == "-6") {
            out.push_back(o);
        } else {
            out.push_back(w[i]);
        }
    }
    if (!counted) out.insert(out.begin() + 1, {"-c", "4"});
    return out;
}

std::vector<std::string> tracertArgs(const std::vector<std::string>& w, bool haveTraceroute) {
    std::vector<std::string> out{haveTraceroute ? "traceroute" : "tracepath"};
    for (std::size_t i = 0; i < w.size(); ++i) {
        std::string o = lowerAscii(w[i]);
        bool hasValue = i + 1 < w.size();
        if (o == "-d" || o == "/d") {
            out.push_back("-n");
        } else if ((o == "-h" || o == "/h") && hasValue) {
            out.insert(out.end(), {"-m", w[++i]});
        } else if ((o == "-w" || o == "/w") && hasValue) {
            ++i;
            if (haveTraceroute) out.insert(out.end(), {"-w", secondsFromMs(w[i])});
        } else if (o == "-4" || o == "-6") {
            out.push_back(o);
        } else {
            out.push_back(w[i]);
        }
    }
    return out;
}

}  // namespace standins::batrun
