// The text of a window or control as UTF-8.
#pragma once

#include <windows.h>

#include <string>

#include "platform/windows/WideText.h"

namespace ui::win32 {

inline std::string windowText(HWND w) {
    int n = GetWindowTextLengthW(w);
    std::wstring text(static_cast<std::size_t>(n) + 1, L'\0');
    n = GetWindowTextW(w, text.data(), n + 1);
    text.resize(static_cast<std::size_t>(n > 0 ? n : 0));
    return platform::windows_backend::narrow(text);
}

}  // namespace ui::win32
