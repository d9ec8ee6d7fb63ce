#include "platform/windows/WindowsClipboard.h"

#include <windows.h>

#include <cstring>

#include "platform/windows/WideText.h"

namespace platform::windows_backend {

namespace {

bool openClipboard() {
    for (int attempt = 0; attempt < 10; ++attempt) {
        if (OpenClipboard(nullptr)) return true;
        Sleep(20);
    }
    return false;
}

}  // namespace

void WindowsClipboard::clear() {
    if (!openClipboard()) return;
    EmptyClipboard();
    CloseClipboard();
}

void WindowsClipboard::setText(const std::string& text) {
    // Unicode text: Windows offers it to readers of CF_TEXT in their own code page.
    const std::wstring wide = widen(text);
    const std::size_t bytes = (wide.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (!memory) return;
    if (void* p = GlobalLock(memory)) {
        std::memcpy(p, wide.c_str(), bytes);
        GlobalUnlock(memory);
    }
    if (!openClipboard()) {
        GlobalFree(memory);
        return;
    }
    EmptyClipboard();
    // The clipboard owns the memory once it is set.
    if (!SetClipboardData(CF_UNICODETEXT, memory)) GlobalFree(memory);
    CloseClipboard();
}

std::optional<std::string> WindowsClipboard::text() {
    if (!openClipboard()) return std::nullopt;
    std::optional<std::string> result;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* p = static_cast<const wchar_t*>(GlobalLock(data))) {
            result = narrow(std::wstring(p, wcsnlen(p, GlobalSize(data) / sizeof(wchar_t))));
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return result;
}

}  // namespace platform::windows_backend
