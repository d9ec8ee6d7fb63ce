#pragma once

#include <string>

namespace platform::windows_backend {

// The one place where text crosses between the programs' UTF-8 and the
// UTF-16 of the Windows wide-character functions. Invalid UTF-8 becomes
// U+FFFD rather than being dropped.
std::string narrow(const wchar_t* text);
std::string narrow(const std::wstring& text);
std::wstring widen(const std::string& text);

// Between UTF-8 and the console code page (GetOEMCP), in which the command
// interpreter reads scripts and `program > file` writes its output. A
// character the code page lacks becomes "?".
std::string fromConsoleCodePage(const std::string& bytes);
std::string toConsoleCodePage(const std::string& text);

// A file the console wrote, as UTF-8: a byte-order mark names UTF-8 or
// UTF-16 (as a PowerShell redirection writes); otherwise the console code page.
std::string consoleFileText(const std::string& bytes);

}  // namespace platform::windows_backend
