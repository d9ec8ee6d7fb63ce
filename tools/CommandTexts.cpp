#include "tools/CommandTexts.h"

namespace tools {

std::string waitThenRefreshMessage(const std::string& firstLine) {
    return firstLine + "\n\nWait for the change to take effect,\nthen Click Refresh";
}

const HostCommandText& hostCommandText(HostCommand command) {
    // In the order of HostCommand.
    static const HostCommandText kTexts[] = {
        {"---Ping---\r\n\r\nEnter Domain or IP Address:\r\n(Do NOT enter http://)", "pingother.bat",
         platform::WindowStyle::Normal, "Ping ", "ping "},
        {"Trace Route\r\n\r\nEnter Domain name or IP address:\r\n(Do NOT enter http://)", "vorlantracert.bat",
         platform::WindowStyle::Maximized, "Trace Route for: ", "tracert "},
        {"Name Server Lookup\r\n\r\nEnter Domain name or IP address:\r\n(Do NOT enter http://)", "vorlannslookup.bat",
         platform::WindowStyle::Normal, "NS Lookup for: ", "nslookup "},
    };
    return kTexts[static_cast<int>(command)];
}

capture::ScriptFile hostScript(HostCommand command, const std::string& host) {
    const HostCommandText& text = hostCommandText(command);
    return capture::framedScript(text.scriptName, text.title + host, text.tool + host);
}

std::string editHostsCommandLine(const std::string& windir) {
    return "notepad.exe " + windir + "\\system32\\drivers\\etc\\hosts";
}

}  // namespace tools
