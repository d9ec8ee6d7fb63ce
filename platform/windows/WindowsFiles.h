#pragma once

#include "platform/Files.h"

namespace platform::windows_backend {

// Files and folders through the wide-character file functions, paths in UTF-8. Paths keep the Windows
// separator; "/" is accepted as well, as Windows itself does.
class WindowsFiles : public Files {
public:
    bool fileExists(const std::string& path) override;
    bool folderExists(const std::string& path) override;
    bool createFolder(const std::string& path) override;
    bool deleteFile(const std::string& path) override;
    bool deleteAllFiles(const std::string& folder) override;
    bool removeFolder(const std::string& folder) override;
    // A folder that exists and is not a reparse point (junction or link).
    bool privateFolder(const std::string& path) override;
    std::optional<std::vector<std::string>> readLines(const std::string& path) override;
    std::optional<std::string> readAll(const std::string& path) override;
    std::optional<std::vector<std::string>> readConsoleLines(const std::string& path) override;
    bool writeLines(const std::string& path, const std::vector<std::string>& lines) override;
};

}  // namespace platform::windows_backend
