#include "platform/linux/Terminal.h"

#include <cstdlib>

#include "platform/linux/CommandWords.h"

namespace platform::linux_backend {

namespace {

std::string baseName(const std::string& path) {
    auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

std::vector<std::string> inTerminal(const std::vector<std::string>& argv, WindowStyle style) {
    std::vector<std::string> candidates;
    if (const char* t = std::getenv("TERMINAL"); t && *t) candidates.emplace_back(t);
    for (const char* name : {"x-terminal-emulator", "gnome-terminal", "konsole", "xfce4-terminal", "xterm"})
        candidates.emplace_back(name);

    for (const auto& candidate : candidates) {
        std::string full = findOnPath(candidate);
        if (full.empty()) continue;
        std::string kind = baseName(full);
        std::vector<std::string> cmd{full};
        if (kind == "gnome-terminal") {
            if (style == WindowStyle::Maximized) cmd.push_back("--maximize");
            cmd.push_back("--");
        } else if (kind == "xfce4-terminal") {
            if (style == WindowStyle::Maximized) cmd.push_back("--maximize");
            if (style == WindowStyle::Minimized) cmd.push_back("--minimize");
            cmd.push_back("-x");
        } else if (kind == "konsole") {
            cmd.push_back("-e");
        } else {
            // xterm and the x-terminal-emulator alternatives all accept -e.
            if (kind == "xterm" && style == WindowStyle::Maximized) cmd.push_back("-maximized");
            if (kind == "xterm" && style == WindowStyle::Minimized) cmd.push_back("-iconic");
            cmd.push_back("-e");
        }
        cmd.insert(cmd.end(), argv.begin(), argv.end());
        return cmd;
    }
    return {};
}

}  // namespace platform::linux_backend
