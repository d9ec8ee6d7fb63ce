// The Qt side of the program's small windows (About, manufacturer
// information, OEM editor) and of the restart confirmation.
#pragma once

#include <optional>

#include "platform/linux/SessionEnd.h"
#include "shortcuts/AuxWindow.h"

class QWidget;

namespace ui::qt {

// Shows the window modally over `owner` and returns once it has been hidden
// (or closed by the user).
void showAuxWindow(shortcuts::AuxWindow& window, QWidget* owner);

// Asks whether to restart or shut the computer down.
std::optional<platform::linux_backend::SessionEndChoice> askSessionEnd(QWidget* owner);

}  // namespace ui::qt
