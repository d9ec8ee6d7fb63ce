// Connects the main window's internet commands to their operations: Get
// Public IP (button, menu item, double click on the status line), the status
// line that follows `Text1`, Check for Updates and Upgrade.
#pragma once

#include "forms/MainForm.h"
#include "platform/Platform.h"

namespace internet {

void wireInternet(app::MainForm& form, platform::Platform& p);

}  // namespace internet
