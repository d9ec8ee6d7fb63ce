#include "tools/CommandTexts.h"

namespace tools {

std::string waitThenRefreshMessage(const std::string& firstLine) {
    return firstLine + "\n\nWait for the change to take effect,\nthen Click Refresh";
}

const HostCommandText& hostCommandText(HostCommand command) {
    static const HostCommandText ping{"---Ping---\r\n\r\nEnter Domain or IP Address:\r\n(Do NOT enter http://)",
                                      "pingother.bat", platform::WindowStyle::Normal};
    static const HostCommandText trace{
        "Trace Route\r\n\r\nEnter Domain name or IP address:\r\n(Do NOT enter http://)", "vorlantracert.bat",
        platform::WindowStyle::Maximized};
    static const HostCommandText lookup{
        "Name Server Lookup\r\n\r\nEnter Domain name or IP address:\r\n(Do NOT enter http://)",
        "vorlannslookup.bat", platform::WindowStyle::Normal};
    switch (command) {
        case HostCommand::PingOther: return ping;
        case HostCommand::TraceRoute: return trace;
        case HostCommand::NsLookup: break;
    }
    return lookup;
}

capture::ScriptFile hostScript(HostCommand command, const std::string& host) {
    std::string title, tool;
    switch (command) {
        case HostCommand::PingOther: title = "Ping "; tool = "ping "; break;
        case HostCommand::TraceRoute: title = "Trace Route for: "; tool = "tracert "; break;
        case HostCommand::NsLookup: title = "NS Lookup for: "; tool = "nslookup "; break;
    }
    return capture::framedScript(hostCommandText(command).scriptName, title + host, tool + host);
}

std::string editHostsCommandLine(const std::string& windir) {
    return "notepad.exe " + windir + "\\system32\\drivers\\etc\\hosts";
}

}  // namespace tools
