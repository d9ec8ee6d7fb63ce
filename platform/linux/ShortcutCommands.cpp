#include "platform/linux/ShortcutCommands.h"

#include "platform/linux/CommandWords.h"
#include "platform/linux/Terminal.h"

namespace platform::linux_backend {

namespace {

// "C:\WINDOWS\system32\ncpa.cpl" -> "ncpa.cpl"; the Windows folder may be empty.
std::string fileName(const std::string& path) {
    auto cut = path.find_last_of("\\/,");
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

// A terminal command that keeps its window open until Enter is pressed. The
// script is one of the fixed texts below, never built from input.
std::vector<std::string> shownInTerminal(const std::string& script) {
    return {"sh", "-c", script + "; echo; printf 'Press Enter to close this window. '; read _"};
}

struct Candidates {
    std::vector<std::vector<std::string>> desktop;
    std::vector<std::string> terminal;
};

Candidates candidatesFor(ShortcutKind kind) {
    switch (kind) {
    case ShortcutKind::NetworkConnections:
        return {{{"nm-connection-editor"},
                 {"gnome-control-center", "network"},
                 {"systemsettings", "kcm_networkmanagement"},
                 {"kcmshell5", "kcm_networkmanagement"}},
                shownInTerminal("if command -v nmcli >/dev/null; then nmcli connection show; nmcli device status; "
                                "else ip address; fi")};
    case ShortcutKind::Modems:
        return {{{"nm-connection-editor"}, {"gnome-control-center", "wwan"}},
                shownInTerminal("if command -v mmcli >/dev/null; then mmcli --list-modems; "
                                "else echo 'No modem manager (ModemManager) is installed.'; fi")};
    case ShortcutKind::System:
        return {{{"gnome-control-center", "info-overview"}, {"kinfocenter"}, {"xfce4-about"}, {"hardinfo"}},
                shownInTerminal("hostnamectl 2>/dev/null || uname -a; echo; free -h")};
    case ShortcutKind::ScheduledTasks:
        return {{}, shownInTerminal("systemctl list-timers --all --no-pager; echo; crontab -l 2>/dev/null")};
    case ShortcutKind::Proxy:
        return {{{"gnome-control-center", "network"}, {"systemsettings", "kcm_proxy"}, {"kcmshell5", "kcm_proxy"}},
                shownInTerminal("env | grep -i '_proxy=' || echo 'No proxy is set for this session.'")};
    case ShortcutKind::Users:
        return {{{"gnome-control-center", "user-accounts"}, {"systemsettings", "kcm_users"}, {"users-admin"}},
                shownInTerminal("getent passwd | awk -F: '$3 >= 1000 && $3 < 65534 { print $1 \"  \" $5 }'")};
    case ShortcutKind::Firewall:
        return {{{"firewall-config"}, {"gufw"}},
                shownInTerminal("if command -v ufw >/dev/null; then sudo ufw status verbose; "
                                "elif command -v firewall-cmd >/dev/null; then firewall-cmd --list-all; "
                                "else sudo nft list ruleset; fi")};
    case ShortcutKind::UsersAndGroups:
        return {{{"users-admin"}, {"systemsettings", "kcm_users"}, {"gnome-control-center", "user-accounts"}},
                shownInTerminal("getent passwd | awk -F: '$3 >= 1000 && $3 < 65534 { print $1 }' | "
                                "while read -r u; do id \"$u\"; done")};
    }
    return {};
}

}  // namespace

std::optional<ShortcutKind> shortcutKind(const std::string& commandLine) {
    const auto w = words(lower(commandLine));
    if (w.empty()) return std::nullopt;
    const std::string program = fileName(w[0]);
    if (program == "rundll32.exe" && w.size() == 3 && w[1] == "shell32.dll,control_rundll") {
        const std::string applet = fileName(w[2]);
        if (applet == "ncpa.cpl") return ShortcutKind::NetworkConnections;
        if (applet == "telephon.cpl") return ShortcutKind::Modems;
        if (applet == "sysdm.cpl") return ShortcutKind::System;
        if (applet == "inetcpl.cpl") return ShortcutKind::Proxy;
        if (applet == "nusrmgr.cpl") return ShortcutKind::Users;
        if (applet == "firewall.cpl") return ShortcutKind::Firewall;
        return std::nullopt;
    }
    if (program == "control.exe" && w.size() == 3 && w[1] == "/name" && w[2] == "microsoft.system")
        return ShortcutKind::System;
    if (program == "explorer" && w.size() == 2 && fileName(w[1]) == "tasks") return ShortcutKind::ScheduledTasks;
    if (program == "mmc.exe" && w.size() == 2 && fileName(w[1]) == "lusrmgr.msc") return ShortcutKind::UsersAndGroups;
    return std::nullopt;
}

ShortcutProgram shortcutProgram(ShortcutKind kind, const std::function<bool(const std::string&)>& installed) {
    Candidates c = candidatesFor(kind);
    for (auto& argv : c.desktop)
        if (installed(argv[0])) return {std::move(argv), false};
    return {std::move(c.terminal), true};
}

bool installedOnPath(const std::string& program) { return !findOnPath(program).empty(); }

std::optional<std::vector<std::string>> shortcutLaunch(const std::string& commandLine, WindowStyle style) {
    auto kind = shortcutKind(commandLine);
    if (!kind) return std::nullopt;
    ShortcutProgram program = shortcutProgram(*kind, installedOnPath);
    if (!program.inTerminal) return program.argv;
    return inTerminal(program.argv, style);
}

}  // namespace platform::linux_backend
