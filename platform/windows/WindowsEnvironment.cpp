#include "platform/windows/WindowsEnvironment.h"

#include <windows.h>

#include <vector>

namespace platform::windows_backend {

std::string environmentVariable(const std::string& name) {
    DWORD needed = GetEnvironmentVariableA(name.c_str(), nullptr, 0);
    if (needed == 0) return {};
    std::vector<char> buf(needed + 1);
    DWORD n = GetEnvironmentVariableA(name.c_str(), buf.data(), static_cast<DWORD>(buf.size()));
    if (n == 0 || n >= buf.size()) return {};
    return std::string(buf.data(), n);
}

std::string WindowsEnvironment::get(const std::string& name) {
    std::string value = environmentVariable(name);
    if (!value.empty() || name != "TEMP") return value;
    char buf[MAX_PATH + 1] = {};
    DWORD n = GetTempPathA(sizeof buf, buf);
    if (n == 0 || n > MAX_PATH) return {};
    std::string temp(buf, n);
    while (temp.size() > 3 && temp.back() == '\\') temp.pop_back();
    return temp;
}

}  // namespace platform::windows_backend
