// Restarting or shutting the computer down through the system's session
// manager (systemd's systemctl, else logind over D-Bus), after the user has
// confirmed in a dialog.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace platform::linux_backend {

enum class SessionEndChoice { Restart, ShutDown, Cancel };

// The commands that carry out a choice, in the order they are tried.
std::vector<std::vector<std::string>> sessionEndCommands(SessionEndChoice choice);

// Runs a command and waits for it at most `timeoutMs`; true when it ended
// with status 0 or is still running then (the session manager took over).
bool runToCompletion(const std::vector<std::string>& argv, int timeoutMs);

struct SessionEnd {
    // Asks the user; nothing when no dialog can be shown here.
    std::function<std::optional<SessionEndChoice>()> ask;
    // Runs one command; true when it succeeded.
    std::function<bool(const std::vector<std::string>&)> run;
    // Tells the user why nothing happened.
    std::function<void(const std::string&)> tell;

    // False when there is no dialog; true once the user has answered.
    bool confirmAndEnd() const;
};

inline constexpr const char* kSessionEndFailed =
    "The session manager did not accept the request (systemctl and logind were tried).";

}  // namespace platform::linux_backend
