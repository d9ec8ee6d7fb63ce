#include "platform/windows/WindowsEnvironment.h"

#include <windows.h>

#include <vector>

#include "platform/windows/WideText.h"

namespace platform::windows_backend {

std::string environmentVariable(const std::string& name) {
    const std::wstring wideName = widen(name);
    DWORD needed = GetEnvironmentVariableW(wideName.c_str(), nullptr, 0);
    if (needed == 0) return {};
    std::vector<wchar_t> buf(needed + 1);
    DWORD n = GetEnvironmentVariableW(wideName.c_str(), buf.data(), static_cast<DWORD>(buf.size()));
    if (n == 0 || n >= buf.size()) return {};
    return narrow(std::wstring(buf.data(), n));
}

std::string WindowsEnvironment::get(const std::string& name) {
    std::string value = environmentVariable(name);
    if (!value.empty() || name != "TEMP") return value;
    wchar_t buf[MAX_PATH + 1] = {};
    DWORD n = GetTempPathW(MAX_PATH + 1, buf);
    if (n == 0 || n > MAX_PATH) return {};
    std::string temp = narrow(std::wstring(buf, n));
    while (temp.size() > 3 && temp.back() == '\\') temp.pop_back();
    return temp;
}

}  // namespace platform::windows_backend
