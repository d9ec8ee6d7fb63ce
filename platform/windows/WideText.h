#pragma once

#include <string>

namespace platform::windows_backend {

// Between UTF-16 and the ANSI code page, as the ANSI functions would convert.
std::string narrow(const wchar_t* text);
std::wstring widen(const std::string& text);

}  // namespace platform::windows_backend
