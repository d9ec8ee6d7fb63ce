#include "platform/windows/WindowsShell.h"

#include <windows.h>
#include <shellapi.h>

#include "platform/windows/WideText.h"

namespace platform::windows_backend {

bool WindowsShell::open(const std::string& target) {
    // No verb, no parameters, working folder "c:\", show command 0: the
    // handler (browser, mail program) shows its own window.
    HINSTANCE result =
        ShellExecuteW(static_cast<HWND>(owner), nullptr, widen(target).c_str(), nullptr, L"c:\\", 0);
    return reinterpret_cast<INT_PTR>(result) > 32;
}

bool WindowsShell::restartDialog() {
    HMODULE shell = LoadLibraryW(L"shell32.dll");
    if (!shell) return false;
    using ExitWindowsDialog = void(WINAPI*)(HWND);
    auto dialog = reinterpret_cast<ExitWindowsDialog>(
        reinterpret_cast<void*>(GetProcAddress(shell, MAKEINTRESOURCEA(60))));
    if (dialog) dialog(static_cast<HWND>(owner));
    FreeLibrary(shell);
    return dialog != nullptr;
}

}  // namespace platform::windows_backend
