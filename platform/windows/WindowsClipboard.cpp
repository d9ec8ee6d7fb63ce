#include "platform/windows/WindowsClipboard.h"

#include <windows.h>

#include <cstring>

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
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    if (!memory) return;
    if (void* p = GlobalLock(memory)) {
        std::memcpy(p, text.c_str(), text.size() + 1);
        GlobalUnlock(memory);
    }
    if (!openClipboard()) {
        GlobalFree(memory);
        return;
    }
    EmptyClipboard();
    // The clipboard owns the memory once it is set.
    if (!SetClipboardData(CF_TEXT, memory)) GlobalFree(memory);
    CloseClipboard();
}

std::optional<std::string> WindowsClipboard::text() {
    if (!openClipboard()) return std::nullopt;
    std::optional<std::string> result;
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        if (const char* p = static_cast<const char*>(GlobalLock(data))) {
            result = std::string(p, strnlen(p, GlobalSize(data)));
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return result;
}

}  // namespace platform::windows_backend
