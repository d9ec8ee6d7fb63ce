// Connects the release and renew buttons and the Adapters, Ping, DNS and
// Command Shell menu commands of the main window to their operations.
#pragma once

#include "forms/MainForm.h"
#include "platform/Platform.h"

void wireTools(app::MainForm& form, platform::Platform& p);
