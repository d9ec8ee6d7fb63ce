// Starting a script or command line for a command of the toolbox, telling
// the user plainly when it cannot be started.
#pragma once

#include <string>

#include "forms/MainForm.h"
#include "platform/Platform.h"

namespace tools {

std::string missingScriptText(const std::string& path);
std::string cannotStartText(const std::string& commandLine);
std::string cannotWriteText(const std::string& path);

// Starts the working folder's script `name` in `style`. A script that is
// missing or does not start gets a message box titled cfgscope that names
// it; false then.
bool startScriptOrSay(const app::MainForm& form, platform::Platform& p, const std::string& name,
                      platform::WindowStyle style);

// The same for a command line that is not a script of the working folder.
bool startCommandOrSay(platform::Platform& p, const std::string& commandLine, platform::WindowStyle style);

}  // namespace tools
