// The system shortcuts' fixed Windows command lines (control-panel applets,
// the system page, the scheduled-tasks folder, the local users console) and
// what stands in for each on a Linux desktop: the first installed settings
// program of a short list, else a terminal command as the last resort.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/Processes.h"

namespace platform::linux_backend {

enum class ShortcutKind { NetworkConnections, Modems, System, ScheduledTasks, Proxy, Users, Firewall, UsersAndGroups };

// Which shortcut a command line is; nothing for any other command line.
std::optional<ShortcutKind> shortcutKind(const std::string& commandLine);

struct ShortcutProgram {
    std::vector<std::string> argv;
    bool inTerminal = false;  // a terminal command: it needs a terminal window
};

// The stand-in for a shortcut: the first desktop program that `installed`
// finds, else the terminal command.
ShortcutProgram shortcutProgram(ShortcutKind kind, const std::function<bool(const std::string&)>& installed);

// True when the program can be found on PATH.
bool installedOnPath(const std::string& program);

// The argv that starts a shortcut's command line here, a terminal command
// already put into a terminal window; nothing when the line is no shortcut,
// an empty argv when nothing on this machine can show it.
std::optional<std::vector<std::string>> shortcutLaunch(const std::string& commandLine, WindowStyle style);

}  // namespace platform::linux_backend
