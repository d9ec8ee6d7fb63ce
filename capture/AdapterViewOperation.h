// Showing the selected adapter in the main window.
#pragma once

#include "forms/MainForm.h"
#include "platform/Platform.h"

namespace capture {

// The click action of `adapters`: detail lines, captions and enabled states.
void showSelectedAdapter(app::MainForm& form);
// A `sel1` menu item: selects that position of the adapter list.
void selectAdapterByMenu(app::MainForm& form, int index);
// The double-click action of `List1`: copies the line's value.
void copyDetailLine(app::MainForm& form, platform::Platform& p);

}  // namespace capture
