// The fixed texts of the release, renew and diagnostic commands: messages,
// prompts, the scripts written from a typed host, and the two command lines.
// Pure text, no platform.
#pragma once

#include <string>

#include "capture/AdapterScripts.h"
#include "platform/Processes.h"

namespace tools {

// Title of the host prompts (the message boxes use the program's own title).
inline constexpr const char* kPromptTitle = "Cfgscope";
inline constexpr const char* kClickRefresh = "Click Refresh";
inline constexpr const char* kPurgedMessage = "DNS Resolver cache Purged";
inline constexpr const char* kOpenCmdLine = "cmd c:\\ /k cd\\";

// "<first line>\n\nWait for the change to take effect,\nthen Click Refresh".
std::string waitThenRefreshMessage(const std::string& firstLine);

// The three commands that ask for a host, write a script from it and start it.
enum class HostCommand { PingOther, TraceRoute, NsLookup };

struct HostCommandText {
    const char* prompt;      // lines joined by CR LF
    const char* scriptName;  // inside the working folder
    platform::WindowStyle style;
    const char* title;  // the script's title line, before the host
    const char* tool;   // the script's command, before the host
};

const HostCommandText& hostCommandText(HostCommand command);

// The seven-line script for the host exactly as typed.
capture::ScriptFile hostScript(HostCommand command, const std::string& host);

// "notepad.exe " + windir + "\system32\drivers\etc\hosts", unquoted.
std::string editHostsCommandLine(const std::string& windir);

}  // namespace tools
