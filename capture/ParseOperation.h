// The parse as an operation of the main window: runs the report parser on
// the report list and applies its result to the window.
#pragma once

#include "forms/MainForm.h"
#include "platform/Platform.h"

namespace capture {

void parse(app::MainForm& form, platform::Platform& p);
// The action of the working button `cleararray`.
void clearTable(app::MainForm& form);

}  // namespace capture
