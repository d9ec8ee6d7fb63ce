#include "platform/windows/WindowsFiles.h"

#include <windows.h>

#include "platform/TextLines.h"
#include "platform/windows/WideText.h"

namespace platform::windows_backend {

namespace {

DWORD attributes(const std::string& path) { return GetFileAttributesW(widen(path).c_str()); }

std::string withoutTrailingSeparator(std::string folder) {
    while (folder.size() > 1 && (folder.back() == '\\' || folder.back() == '/')) folder.pop_back();
    return folder;
}

bool isScript(const std::string& path) {
    auto endsWith = [&](const char* suffix) {
        const std::size_t n = std::char_traits<char>::length(suffix);
        if (path.size() < n) return false;
        for (std::size_t i = 0; i < n; ++i)
            if ((path[path.size() - n + i] | 0x20) != suffix[i]) return false;
        return true;
    };
    return endsWith(".bat") || endsWith(".cmd");
}

}  // namespace

bool WindowsFiles::fileExists(const std::string& path) {
    DWORD a = attributes(path);
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool WindowsFiles::folderExists(const std::string& path) {
    DWORD a = attributes(withoutTrailingSeparator(path));
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool WindowsFiles::createFolder(const std::string& path) {
    return CreateDirectoryW(widen(path).c_str(), nullptr) != 0 || folderExists(path);
}

bool WindowsFiles::deleteFile(const std::string& path) { return DeleteFileW(widen(path).c_str()) != 0; }

bool WindowsFiles::deleteAllFiles(const std::string& folder) {
    const std::wstring base = widen(withoutTrailingSeparator(folder) + "\\");
    WIN32_FIND_DATAW found{};
    HANDLE h = FindFirstFileW((base + L"*").c_str(), &found);
    if (h == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_FILE_NOT_FOUND;
    bool all = true;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        const std::wstring path = base + found.cFileName;
        // Read-only files are deleted too, as the user's own files.
        if (found.dwFileAttributes & FILE_ATTRIBUTE_READONLY)
            SetFileAttributesW(path.c_str(), found.dwFileAttributes & ~FILE_ATTRIBUTE_READONLY);
        if (!DeleteFileW(path.c_str())) all = false;
    } while (FindNextFileW(h, &found));
    FindClose(h);
    return all;
}

bool WindowsFiles::removeFolder(const std::string& folder) {
    return RemoveDirectoryW(widen(withoutTrailingSeparator(folder)).c_str()) != 0;
}

bool WindowsFiles::privateFolder(const std::string& path) {
    DWORD a = attributes(withoutTrailingSeparator(path));
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY) && !(a & FILE_ATTRIBUTE_REPARSE_POINT);
}

std::optional<std::string> WindowsFiles::readAll(const std::string& path) {
    HANDLE h = CreateFileW(widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return std::nullopt;
    std::string text;
    char buf[65536];
    DWORD got = 0;
    bool ok = true;
    while ((ok = ReadFile(h, buf, sizeof buf, &got, nullptr) != 0) && got > 0) text.append(buf, got);
    CloseHandle(h);
    if (!ok) return std::nullopt;
    return text;
}

std::optional<std::vector<std::string>> WindowsFiles::readLines(const std::string& path) {
    auto text = readAll(path);
    if (!text) return std::nullopt;
    return splitLines(*text);
}

std::optional<std::vector<std::string>> WindowsFiles::readConsoleLines(const std::string& path) {
    auto bytes = readAll(path);
    if (!bytes) return std::nullopt;
    return splitLines(consoleFileText(*bytes));
}

bool WindowsFiles::writeLines(const std::string& path, const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines) text += line + "\r\n";
    // The command interpreter reads a script in the console code page.
    if (isScript(path)) text = toConsoleCodePage(text);
    HANDLE h = CreateFileW(widen(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    bool ok = text.empty() || (WriteFile(h, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
                               written == text.size());
    return CloseHandle(h) && ok;
}

}  // namespace platform::windows_backend
