#include "tools/StartOrSay.h"

namespace tools {

std::string missingScriptText(const std::string& path) {
    return "The script " + path + " does not exist.";
}

std::string cannotStartText(const std::string& commandLine) { return "Could not start " + commandLine; }

std::string cannotWriteText(const std::string& path) { return "Could not write the script " + path; }

bool startScriptOrSay(const app::MainForm& form, platform::Platform& p, const std::string& name,
                      platform::WindowStyle style) {
    const std::string path = form.workingFolder + name;
    // A missing script may still "start" (its interpreter runs and complains
    // unseen in a hidden window), so it is looked for first.
    if (!p.files.fileExists(path)) {
        p.dialogs.messageBox(missingScriptText(path), app::kAppTitle);
        return false;
    }
    return startCommandOrSay(p, path, style);
}

bool startCommandOrSay(platform::Platform& p, const std::string& commandLine, platform::WindowStyle style) {
    if (p.processes.start(commandLine, style)) return true;
    p.dialogs.messageBox(cannotStartText(commandLine), app::kAppTitle);
    return false;
}

}  // namespace tools
