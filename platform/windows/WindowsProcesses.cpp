#include "platform/windows/WindowsProcesses.h"

#include <windows.h>

#include <vector>

#include "platform/windows/CommandLine.h"
#include "platform/windows/WideText.h"
#include "platform/windows/WindowsEnvironment.h"

namespace platform::windows_backend {

namespace {

std::string interpreter() {
    std::string comspec = environmentVariable("ComSpec");
    return comspec.empty() ? "cmd.exe" : comspec;
}

bool launch(std::string commandLine, WindowStyle style) {
    STARTUPINFOW si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = static_cast<WORD>(showCommand(style));
    PROCESS_INFORMATION pi{};
    const std::wstring wide = widen(commandLine);
    std::vector<wchar_t> mutableLine(wide.begin(), wide.end());
    mutableLine.push_back(L'\0');
    if (!CreateProcessW(nullptr, mutableLine.data(), nullptr, nullptr, FALSE, CREATE_NEW_CONSOLE, nullptr, nullptr,
                        &si, &pi))
        return false;
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return true;
}

}  // namespace

bool WindowsProcesses::start(const std::string& commandLine, WindowStyle style) {
    if (commandLine.find_first_not_of(" \t") == std::string::npos) return false;
    if (!startsScript(commandLine) && launch(commandLine, style)) return true;
    return launch(interpreterCommandLine(interpreter(), commandLine), style);
}

}  // namespace platform::windows_backend
