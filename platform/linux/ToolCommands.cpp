#include "platform/linux/ToolCommands.h"

#include <cstdlib>

#include "platform/linux/CommandWords.h"

namespace platform::linux_backend {

namespace {

bool endsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

std::string env(const char* name) {
    const char* v = std::getenv(name);
    return v ? v : "";
}

// The user's editor: $VISUAL and $EDITOR may carry their own options ("code -w").
std::vector<std::string> editorFor(const std::string& file) {
    std::vector<std::vector<std::string>> choices;
    for (const char* name : {"VISUAL", "EDITOR"})
        if (auto w = words(env(name)); !w.empty()) choices.push_back(std::move(w));
    for (const char* name : {"sensible-editor", "editor", "nano", "vi"}) choices.push_back({name});
    for (auto& choice : choices) {
        std::string full = findOnPath(choice[0]);
        if (full.empty()) continue;
        choice[0] = full;
        choice.push_back(file);
        return choice;
    }
    return {};
}

// The user's login shell, started in / (env -C changes the folder without a shell line).
std::vector<std::string> shellAtRoot() {
    std::string shell = findOnPath(env("SHELL"));
    if (shell.empty()) shell = findOnPath("bash");
    if (shell.empty()) shell = findOnPath("sh");
    std::string envTool = findOnPath("env");
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
