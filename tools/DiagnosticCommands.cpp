#include "tools/DiagnosticCommands.h"

#include <string>

#include "capture/AdapterScripts.h"
#include "tools/HostCheck.h"
#include "tools/StartOrSay.h"

namespace tools {

namespace {

void startAdapterScript(app::MainForm& form, platform::Platform& p, const std::string& name) {
    startScriptOrSay(form, p, std::to_string(form.selectedAdapter) + name, platform::WindowStyle::Normal);
}

// Windows finds variables whatever their case; the other backends and the
// test fakes do not, so both spellings the program uses are asked.
std::string windowsFolder(platform::Platform& p) {
    std::string windir = p.env.get("WINDIR");
    return windir.empty() ? p.env.get("windir") : windir;
}

}  // namespace

void runHostCommand(app::MainForm& form, platform::Platform& p, HostCommand command) {
    const HostCommandText& text = hostCommandText(command);
    std::optional<std::string> answer = p.dialogs.inputBox(text.prompt, kPromptTitle, form.targetHost);
    if (!answer || answer->empty()) return;
    // The host becomes part of a script line: one name or address, nothing
    // that could end the line or add a command or a redirection to it.
    if (auto problem = hostProblem(*answer)) {
        p.dialogs.messageBox(*problem, app::kAppTitle);
        return;
    }
    form.targetHost = *answer;

    capture::ScriptFile script = hostScript(command, *answer);
    const std::string path = form.workingFolder + script.name;
    if (!p.files.writeLines(path, script.lines)) {
        p.dialogs.messageBox(cannotWriteText(path), app::kAppTitle);
        return;
    }
    startCommandOrSay(p, path, text.style);
}

void pingGateway(app::MainForm& form, platform::Platform& p) { startAdapterScript(form, p, capture::kPingGatewaySuffix); }

void pingDns(app::MainForm& form, platform::Platform& p, int which) {
    startAdapterScript(form, p, capture::pingDnsSuffix(which));
}

void displayDnsCache(app::MainForm& form, platform::Platform& p) {
    startScriptOrSay(form, p, capture::kDisplayDnsScript, platform::WindowStyle::Maximized);
}

void purgeDnsCache(app::MainForm& form, platform::Platform& p) {
    // The message does not know whether the purge worked, only that it was asked for.
    if (startScriptOrSay(form, p, capture::kPurgeDnsScript, platform::WindowStyle::Hidden))
        p.dialogs.messageBox(kPurgedMessage, app::kAppTitle);
}

void editHostsFile(platform::Platform& p) {
    startCommandOrSay(p, editHostsCommandLine(windowsFolder(p)), platform::WindowStyle::Normal);
}

void openCommandWindow(platform::Platform& p) {
    startCommandOrSay(p, kOpenCmdLine, platform::WindowStyle::Normal);
}

}  // namespace tools
