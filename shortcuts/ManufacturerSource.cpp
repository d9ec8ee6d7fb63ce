#include "shortcuts/ManufacturerSource.h"

namespace shortcuts {

std::string manufacturerFilePath(const std::string& windir) { return windir + "\\system32\\oeminfo.ini"; }

std::string manufacturerLogoPath(const std::string& windir) { return windir + "\\system32\\oemlogo.bmp"; }

std::optional<std::vector<std::string>> manufacturerLines(platform::Platform& p, const std::string& windir) {
    if (auto lines = p.files.readLines(manufacturerFilePath(windir))) return lines;
    return p.system.manufacturerLinesWithoutFile();
}

bool manufacturerDataExists(platform::Platform& p, const std::string& windir) {
    return p.files.fileExists(manufacturerFilePath(windir)) || p.system.manufacturerLinesWithoutFile().has_value();
}

}  // namespace shortcuts
