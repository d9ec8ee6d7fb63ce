#include "shortcuts/CommandLines.h"

namespace shortcuts {

std::string controlPanelCommand(const std::string& windir, const std::string& applet) {
    return kControlPanelPrefix + windir + "\\system32\\" + applet;
}

std::string systemPageCommand(const std::string& windir) {
    return windir + "\\system32\\control.exe /name microsoft.system";
}

std::string scheduledTasksCommand(const std::string& windir) { return "explorer " + windir + "\\Tasks"; }

std::string localUsersConsoleCommand(const std::string& windir) {
    return windir + "\\system32\\mmc.exe " + windir + "\\system32\\lusrmgr.msc";
}

}  // namespace shortcuts
