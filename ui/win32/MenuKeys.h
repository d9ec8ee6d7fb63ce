// Menu shortcuts of the forms ("F5", "Ctrl+G", "Shift+F12") as Win32
// accelerator keys. Pure logic: no system header.
#pragma once

#include <optional>
#include <string>

namespace ui::win32 {

struct AcceleratorKey {
    bool ctrl = false, shift = false, alt = false;
    int virtualKey = 0;  // VK_* code: 'A'..'Z', '0'..'9', 0x70 + n - 1 for Fn
    bool operator==(const AcceleratorKey&) const = default;
};

// Nothing for an empty or unknown key text.
std::optional<AcceleratorKey> acceleratorKey(const std::string& shortcut);

// A menu caption with its shortcut shown at the right ("&Refresh\tF5").
std::string menuText(const std::string& caption, const std::string& shortcut);

}  // namespace ui::win32
