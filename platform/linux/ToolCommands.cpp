#include "platform/linux/ToolCommands.h"

#include <unistd.h>

#include <cctype>
#include <cstdlib>

namespace platform::linux_backend {

namespace {

std::string lower(std::string text) {
    for (auto& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::vector<std::string> words(const std::string& text) {
    std::vector<std::string> out;
    std::string word;
    for (char c : text) {
        if (c == ' ' || c == '\t') {
            if (!word.empty()) out.push_back(std::move(word)), word.clear();
        } else {
            word.push_back(c);
        }
    }
    if (!word.empty()) out.push_back(std::move(word));
    return out;
}

bool endsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

std::string env(const char* name) {
    const char* v = std::getenv(name);
    return v ? v : "";
}

// Full path of an executable program, looked up on PATH unless it names a path.
std::string executable(const std::string& program) {
    if (program.empty()) return {};
    if (program.find('/') != std::string::npos)
        return access(program.c_str(), X_OK) == 0 ? program : std::string{};
    std::string dirs = env("PATH");
    if (dirs.empty()) dirs = "/usr/local/bin:/usr/bin:/bin";
    std::size_t start = 0;
    while (start <= dirs.size()) {
        std::size_t end = dirs.find(':', start);
        if (end == std::string::npos) end = dirs.size();
        if (end > start) {
            std::string candidate = dirs.substr(start, end - start) + "/" + program;
            if (access(candidate.c_str(), X_OK) == 0) return candidate;
        }
        start = end + 1;
    }
    return {};
}

// The user's editor: $VISUAL and $EDITOR may carry their own options ("code -w").
std::vector<std::string> editorFor(const std::string& file) {
    std::vector<std::vector<std::string>> choices;
    for (const char* name : {"VISUAL", "EDITOR"})
        if (auto w = words(env(name)); !w.empty()) choices.push_back(std::move(w));
    for (const char* name : {"sensible-editor", "editor", "nano", "vi"}) choices.push_back({name});
    for (auto& choice : choices) {
        std::string full = executable(choice[0]);
        if (full.empty()) continue;
        choice[0] = full;
        choice.push_back(file);
        return choice;
    }
    return {};
}

// The user's login shell, started in / (env -C changes the folder without a shell line).
std::vector<std::string> shellAtRoot() {
    std::string shell = executable(env("SHELL"));
    if (shell.empty()) shell = executable("bash");
    if (shell.empty()) shell = executable("sh");
    std::string envTool = executable("env");
    if (shell.empty() || envTool.empty()) return {};
    return {envTool, "-C", "/", shell};
}

}  // namespace

std::optional<std::vector<std::string>> toolCommandArgv(const std::string& commandLine) {
    const std::vector<std::string> w = words(lower(commandLine));
    if (w.empty()) return std::nullopt;
    // The hosts path is built from the Windows folder, which is usually unset
    // here: only its fixed tail is looked at.
    if ((w[0] == "notepad.exe" || w[0] == "notepad") && w.size() >= 2 &&
        endsWith(w.back(), "\\system32\\drivers\\etc\\hosts"))
        return editorFor("/etc/hosts");
    if (w == std::vector<std::string>{"cmd", "c:\\", "/k", "cd\\"}) return shellAtRoot();
    return std::nullopt;
}

}  // namespace platform::linux_backend
