#include "platform/windows/CommandLine.h"

#include <cctype>

namespace platform::windows_backend {

namespace {

std::string firstWord(const std::string& commandLine) {
    std::size_t start = commandLine.find_first_not_of(" \t");
    if (start == std::string::npos) return {};
    if (commandLine[start] == '"') {
        std::size_t end = commandLine.find('"', start + 1);
        return commandLine.substr(start + 1, end == std::string::npos ? std::string::npos : end - start - 1);
    }
    std::size_t end = commandLine.find_first_of(" \t", start);
    return commandLine.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

std::string lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

}  // namespace

bool startsScript(const std::string& commandLine) {
    std::string word = lower(firstWord(commandLine));
    auto endsWith = [&](const char* tail) {
        std::string t(tail);
        return word.size() > t.size() && word.compare(word.size() - t.size(), t.size(), t) == 0;
    };
    return endsWith(".bat") || endsWith(".cmd");
}

std::string interpreterCommandLine(const std::string& interpreter, const std::string& commandLine) {
    return "\"" + interpreter + "\" /c \"" + commandLine + "\"";
}

int showCommand(WindowStyle style) {
    switch (style) {
    case WindowStyle::Hidden: return 0;
    case WindowStyle::Normal: return 1;
    case WindowStyle::Minimized: return 2;
    case WindowStyle::Maximized: return 3;
    }
    return 1;
}

}  // namespace platform::windows_backend
