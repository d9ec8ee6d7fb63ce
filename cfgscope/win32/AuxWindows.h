// The main program's small windows (About, manufacturer information, OEM
// editor) as Win32 forms, modal over the main window.
#pragma once

#include "shortcuts/AuxWindow.h"
#include "ui/win32/FormWindow.h"

namespace ui::win32 {

// How a small window is drawn: its size, colours and controls, owned by `owner`.
FormSpec auxFormSpec(const shortcuts::AuxWindow& aux, HWND owner);

// Shows `aux` with the owner disabled and returns once it has closed.
void showAuxWindow(shortcuts::AuxWindow& aux, HWND owner);

}  // namespace ui::win32
