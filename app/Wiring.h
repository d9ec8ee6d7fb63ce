// Connects every control and menu item of the main window to its operation.
#pragma once

#include <functional>
#include <string>

#include "forms/MainForm.h"
#include "platform/Platform.h"
#include "shortcuts/AuxWindow.h"

namespace app {

// What the window itself must do for an operation.
struct WindowActions {
    // Closes the window; closing runs the shutdown. Without it the Close
    // button runs the shutdown and ends the program itself.
    std::function<void()> closeWindow;
    // Shows one of the program's small windows (About and the like) modally;
    // without it they are prepared but not shown.
    shortcuts::ShowModal showModal;
};

void wireMainForm(MainForm& form, platform::Platform& p, WindowActions actions = {});

// The message of a command whose feature this version does not have yet.
std::string notAvailableText(const std::string& caption);
// Gives every command of the window that message; wireMainForm runs it
// first and the features that are built then take their commands over.
void wireNotAvailable(MainForm& form, platform::Platform& p);

}  // namespace app
