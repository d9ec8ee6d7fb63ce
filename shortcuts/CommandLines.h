// The fixed command lines and addresses of the system shortcuts. W is the
// Windows folder (environment variable windir); the lines stay in their
// Windows shape and each platform backend makes them real.
#pragma once

#include <string>

namespace shortcuts {

inline constexpr const char* kControlPanelPrefix = "rundll32.exe shell32.dll,Control_RunDLL ";

// Control-panel prefix, W, "\system32\" and the applet ("ncpa.cpl").
std::string controlPanelCommand(const std::string& windir, const std::string& applet);
// The system page of the control panel, used on every family but "xp".
std::string systemPageCommand(const std::string& windir);
std::string scheduledTasksCommand(const std::string& windir);
std::string localUsersConsoleCommand(const std::string& windir);

}  // namespace shortcuts
