#include "platform/windows/WindowsSession.h"

#include <windows.h>
#include <commctrl.h>

#include <cstdlib>

#include "platform/windows/WideText.h"

namespace platform::windows_backend {

WindowsSession::~WindowsSession() {
    if (mutex_) CloseHandle(mutex_);
}

std::string WindowsSession::timeOfDayText() {
    wchar_t buf[80] = {};
    int n = GetTimeFormatW(LOCALE_USER_DEFAULT, 0, nullptr, nullptr, buf, 80);
    return n > 0 ? narrow(std::wstring(buf, static_cast<std::size_t>(n - 1))) : std::string{};
}

std::string WindowsSession::dateText() {
    wchar_t buf[80] = {};
    int n = GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, buf, 80);
    return n > 0 ? narrow(std::wstring(buf, static_cast<std::size_t>(n - 1))) : std::string{};
}

void WindowsSession::sleepMs(int milliseconds) {
    if (milliseconds > 0) Sleep(static_cast<DWORD>(milliseconds));
}

bool WindowsSession::otherInstance(const std::string& appId) {
    if (mutex_) return false;
    // Mutex names may not hold "\" beyond the namespace prefix.
    std::string name = "Local\\" + appId + ".instance";
    for (std::size_t i = 6; i < name.size(); ++i)
        if (name[i] == '\\') name[i] = '_';
    HANDLE h = CreateMutexW(nullptr, FALSE, widen(name).c_str());
    if (!h) return false;
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(h);
        return true;
    }
    mutex_ = h;
    return false;
}

void WindowsSession::endProgram(int exitCode) { std::_Exit(exitCode); }

void prepareCommonControls() {
    INITCOMMONCONTROLSEX icc{};
    icc.dwSize = 8;
    icc.dwICC = 0x200;  // ICC_USEREX_CLASSES
    InitCommonControlsEx(&icc);
}

}  // namespace platform::windows_backend
