#include "platform/linux/Terminal.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "platform/linux/CommandWords.h"

namespace platform::linux_backend {

namespace {

// How the command follows the options.
enum class CommandAs {
    DashE,        // -e PROGRAM ARGS...
    DashX,        // -x PROGRAM ARGS...
    AfterDashes,  // -- PROGRAM ARGS...
    Trailing,     // PROGRAM ARGS... (the first non-option word)
    QuotedLine,   // -x 'PROGRAM' 'ARGS'...: one line the terminal splits as a shell would
};

// The display servers a terminal opens its window on.
enum class Runs { Anywhere, XOnly, WaylandOnly };

struct TerminalKind {
    const char* name;
    std::vector<const char*> aliases;  // other names of the same program
    std::vector<std::string> maximized, minimized;
    CommandAs command;
    Runs runs = Runs::Anywhere;
};

// Each terminal's own options, from its manual (Debian 12 versions). Where a
// terminal has none for a style its window opens normal.
const std::vector<TerminalKind>& kinds() {
    static const std::vector<TerminalKind> table{
        {"gnome-terminal", {}, {"--maximize"}, {}, CommandAs::AfterDashes},
        // No maximize option: full screen is the nearest (Ctrl+Shift+F leaves it).
        {"konsole", {}, {"--fullscreen"}, {}, CommandAs::DashE},
        {"xfce4-terminal", {}, {"--maximize"}, {"--minimize"}, CommandAs::DashX},
        {"mate-terminal", {}, {"--maximize"}, {}, CommandAs::DashX},
        {"tilix", {}, {"--maximize"}, {"--minimize"}, CommandAs::DashE},
        {"terminator", {}, {"--maximise"}, {}, CommandAs::DashX},
        {"lxterminal", {}, {}, {}, CommandAs::DashE},
        {"qterminal", {}, {}, {}, CommandAs::DashE},
        {"kitty", {}, {"--start-as=maximized"}, {"--start-as=minimized"}, CommandAs::Trailing},
        {"alacritty", {}, {"-o", "window.startup_mode=Maximized"}, {}, CommandAs::DashE},
        {"foot", {}, {"--maximized"}, {}, CommandAs::Trailing, Runs::WaylandOnly},
        // Its -e joins the words and splits them again: quote them itself.
        {"sakura", {}, {"--maximize"}, {}, CommandAs::QuotedLine},
        {"urxvt", {"rxvt-unicode", "rxvt", "urxvtcd"}, {}, {"-iconic"}, CommandAs::DashE, Runs::XOnly},
        {"st", {"stterm"}, {}, {}, CommandAs::DashE, Runs::XOnly},
        // The alternatives lxterm, uxterm and koi8rxterm start xterm with its options.
        {"xterm", {"lxterm", "uxterm", "koi8rxterm"}, {"-maximized"}, {"-iconic"}, CommandAs::DashE, Runs::XOnly},
    };
    return table;
}

const TerminalKind* kindNamed(const std::string& name) {
    for (const auto& k : kinds()) {
        if (name == k.name) return &k;
        for (const char* alias : k.aliases)
            if (name == alias) return &k;
    }
    return nullptr;
}

std::string quoted(const std::string& word) {
    std::string out = "'";
    for (char c : word) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

bool executable(const std::filesystem::path& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec) && access(path.c_str(), X_OK) == 0;
}

// The program behind `found` (links followed) and its kind. Debian's
// alternatives may point at NAME.wrapper, a script that translates xterm's
// options: the real program beside it takes its own.
std::pair<std::string, const TerminalKind*> realProgram(const std::string& found) {
    std::error_code ec;
    std::filesystem::path real = std::filesystem::canonical(found, ec);
    if (ec) return {found, nullptr};
    std::string name = real.filename().string();
    const std::string wrapper = ".wrapper";
    if (name.size() > wrapper.size() && name.ends_with(wrapper)) {
        name.resize(name.size() - wrapper.size());
        real.replace_filename(name);
        if (!executable(real)) return {found, nullptr};
    }
    return {real.string(), kindNamed(name)};
}

bool variableSet(const char* name) {
    const char* v = std::getenv(name);
    return v && *v;
}

// Whether the terminal can open its window in this session: an X-only one
// needs DISPLAY, a Wayland-only one WAYLAND_DISPLAY. A session that names
// neither (a service, a test) is not judged.
bool runsHere(const TerminalKind* kind) {
    const bool x = variableSet("DISPLAY"), wayland = variableSet("WAYLAND_DISPLAY");
    if (!kind || (!x && !wayland)) return true;
    switch (kind->runs) {
    case Runs::XOnly: return x;
    case Runs::WaylandOnly: return wayland;
    case Runs::Anywhere: return true;
    }
    return true;
}

}  // namespace

const std::vector<std::string>& knownTerminals() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> out;
        for (const auto& k : kinds()) out.emplace_back(k.name);
        return out;
    }();
    return names;
}

std::vector<std::string> inTerminal(const std::vector<std::string>& argv, WindowStyle style) {
    std::vector<std::string> candidates;
    if (const char* t = std::getenv("TERMINAL"); t && *t) candidates.emplace_back(t);
    candidates.emplace_back("x-terminal-emulator");
    for (const auto& name : knownTerminals()) candidates.push_back(name);

    for (const auto& candidate : candidates) {
        const std::string found = findOnPath(candidate);
        if (found.empty()) continue;
        const auto [program, kind] = realProgram(found);
        // The user's own choice is taken as it stands.
        const char* own = std::getenv("TERMINAL");
        if (!(own && candidate == own) && !runsHere(kind)) continue;
        if (!kind) {
            // Any terminal named as x-terminal-emulator takes xterm's -e.
            std::vector<std::string> cmd{found, "-e"};
            cmd.insert(cmd.end(), argv.begin(), argv.end());
            return cmd;
        }
        std::vector<std::string> cmd{program};
        if (style == WindowStyle::Maximized) cmd.insert(cmd.end(), kind->maximized.begin(), kind->maximized.end());
        if (style == WindowStyle::Minimized) cmd.insert(cmd.end(), kind->minimized.begin(), kind->minimized.end());
        switch (kind->command) {
        case CommandAs::DashE: cmd.push_back("-e"); break;
        case CommandAs::DashX: cmd.push_back("-x"); break;
        case CommandAs::AfterDashes: cmd.push_back("--"); break;
        case CommandAs::Trailing: break;
        case CommandAs::QuotedLine: {
            std::string line;
            for (const auto& word : argv) line += (line.empty() ? "" : " ") + quoted(word);
            cmd.push_back("-x");
            cmd.push_back(line);
            return cmd;
        }
        }
        cmd.insert(cmd.end(), argv.begin(), argv.end());
        return cmd;
    }
    return {};
}

}  // namespace platform::linux_backend
