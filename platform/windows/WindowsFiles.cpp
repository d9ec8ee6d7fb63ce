#include "platform/windows/WindowsFiles.h"

#include <windows.h>

#include "platform/TextLines.h"

namespace platform::windows_backend {

namespace {

DWORD attributes(const std::string& path) { return GetFileAttributesA(path.c_str()); }

std::string withoutTrailingSeparator(std::string folder) {
    while (folder.size() > 1 && (folder.back() == '\\' || folder.back() == '/')) folder.pop_back();
    return folder;
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
    return CreateDirectoryA(path.c_str(), nullptr) != 0 || folderExists(path);
}

bool WindowsFiles::deleteFile(const std::string& path) { return DeleteFileA(path.c_str()) != 0; }

bool WindowsFiles::deleteAllFiles(const std::string& folder) {
    const std::string base = withoutTrailingSeparator(folder) + "\\";
    WIN32_FIND_DATAA found{};
    HANDLE h = FindFirstFileA((base + "*").c_str(), &found);
    if (h == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_FILE_NOT_FOUND;
    bool all = true;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        const std::string path = base + found.cFileName;
        // Read-only files are deleted too, as the user's own files.
        if (found.dwFileAttributes & FILE_ATTRIBUTE_READONLY)
            SetFileAttributesA(path.c_str(), found.dwFileAttributes & ~FILE_ATTRIBUTE_READONLY);
        if (!DeleteFileA(path.c_str())) all = false;
    } while (FindNextFileA(h, &found));
    FindClose(h);
    return all;
}

bool WindowsFiles::removeFolder(const std::string& folder) {
    return RemoveDirectoryA(withoutTrailingSeparator(folder).c_str()) != 0;
}

bool WindowsFiles::privateFolder(const std::string& path) {
    DWORD a = attributes(withoutTrailingSeparator(path));
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY) && !(a & FILE_ATTRIBUTE_REPARSE_POINT);
}

std::optional<std::string> WindowsFiles::readAll(const std::string& path) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
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

bool WindowsFiles::writeLines(const std::string& path, const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines) text += line + "\r\n";
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    bool ok = text.empty() || (WriteFile(h, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
                               written == text.size());
    return CloseHandle(h) && ok;
}

}  // namespace platform::windows_backend
