// Files and folders. Paths may use the Windows separator "\"; a backend
// translates them to its own. Failures are results, never exceptions.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace platform {

class Files {
public:
    virtual ~Files() = default;
    virtual bool fileExists(const std::string& path) = 0;
    virtual bool folderExists(const std::string& path) = 0;
    virtual bool createFolder(const std::string& path) = 0;
    virtual bool deleteFile(const std::string& path) = 0;
    // Deletes every file directly inside the folder; false if any stays.
    virtual bool deleteAllFiles(const std::string& folder) = 0;
    // Removes an empty folder.
    virtual bool removeFolder(const std::string& folder) = 0;
    // True when the folder exists, is not a link, belongs to the user running
    // the program and no one else may write into it. A backend without file
    // owners answers whether the folder exists.
    virtual bool privateFolder(const std::string& path) { return folderExists(path); }
    // Lines end at LF; one CR before it is dropped. Empty when unreadable.
    virtual std::optional<std::vector<std::string>> readLines(const std::string& path) = 0;
    virtual std::optional<std::string> readAll(const std::string& path) = 0;
    // The lines of a file a console program wrote (`program > file`), as
    // UTF-8: on Windows decoded from the console's code page.
    virtual std::optional<std::vector<std::string>> readConsoleLines(const std::string& path) { return readLines(path); }
    // Creates or replaces the file; each line is followed by CR LF. A script
    // (.bat, .cmd) is written in the encoding the command interpreter reads.
    virtual bool writeLines(const std::string& path, const std::vector<std::string>& lines) = 0;
};

}  // namespace platform
