#include "platform/windows/WideText.h"

#include <windows.h>

namespace platform::windows_backend {

namespace {

std::wstring toWide(UINT codePage, const char* text, std::size_t size) {
    if (size == 0) return {};
    int n = MultiByteToWideChar(codePage, 0, text, static_cast<int>(size), nullptr, 0);
    if (n <= 0) return {};
    std::wstring out(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(codePage, 0, text, static_cast<int>(size), out.data(), n);
    return out;
}

std::string fromWide(UINT codePage, const wchar_t* text, std::size_t size) {
    if (size == 0) return {};
    // UTF-8 takes no default character.
    const char* fallback = codePage == CP_UTF8 ? nullptr : "?";
    int n = WideCharToMultiByte(codePage, 0, text, static_cast<int>(size), nullptr, 0, fallback, nullptr);
    if (n <= 0) return {};
    std::string out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(codePage, 0, text, static_cast<int>(size), out.data(), n, fallback, nullptr);
    return out;
}

}  // namespace

std::string narrow(const wchar_t* text) { return text ? fromWide(CP_UTF8, text, wcslen(text)) : std::string{}; }

std::string narrow(const std::wstring& text) { return fromWide(CP_UTF8, text.data(), text.size()); }

std::wstring widen(const std::string& text) { return toWide(CP_UTF8, text.data(), text.size()); }

std::string fromConsoleCodePage(const std::string& bytes) {
    std::wstring wide = toWide(GetOEMCP(), bytes.data(), bytes.size());
    return narrow(wide);
}

std::string toConsoleCodePage(const std::string& text) {
    std::wstring wide = widen(text);
    return fromWide(GetOEMCP(), wide.data(), wide.size());
}

std::string consoleFileText(const std::string& bytes) {
    if (bytes.size() >= 3 && bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) return bytes.substr(3);
    if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF && static_cast<unsigned char>(bytes[1]) == 0xFE) {
        std::wstring wide((bytes.size() - 2) / 2, L'\0');
        for (std::size_t i = 0; i < wide.size(); ++i)
            wide[i] = static_cast<wchar_t>(static_cast<unsigned char>(bytes[2 + 2 * i]) |
                                           (static_cast<unsigned char>(bytes[3 + 2 * i]) << 8));
        return narrow(wide);
    }
    return fromConsoleCodePage(bytes);
}

}  // namespace platform::windows_backend
