#include "platform/linux/NativePath.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace platform::linux_backend {

std::string nativePath(std::string path) {
    std::replace(path.begin(), path.end(), '\\', '/');
    // "/tmp" + "/cfgscope/" may produce doubled separators; collapse them.
    std::string out;
    out.reserve(path.size());
    for (char c : path) {
        if (c == '/' && !out.empty() && out.back() == '/') continue;
        out.push_back(c);
    }
    return out;
}

std::string programFolder() {
    std::vector<char> buf(4096);
    ssize_t n = readlink("/proc/self/exe", buf.data(), buf.size() - 1);
    if (n <= 0) return {};
    std::string exe(buf.data(), static_cast<std::size_t>(n));
    auto slash = exe.rfind('/');
    return slash == std::string::npos ? std::string{} : exe.substr(0, slash);
}

std::string standInPath(const std::string& tool) {
    std::vector<std::string> folders;
    if (const char* dir = std::getenv("CFGSCOPE_STANDINS"); dir && *dir) folders.emplace_back(dir);
    std::string self = programFolder();
    if (!self.empty()) {
        folders.push_back(self);
        folders.push_back(self + "/../libexec/cfgscope");
    }
    for (const auto& folder : folders) {
        std::string candidate = folder + "/" + tool;
        if (access(candidate.c_str(), X_OK) == 0) return candidate;
    }
    return {};
}

}  // namespace platform::linux_backend
