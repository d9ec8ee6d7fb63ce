#include "standins/common/Files.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace standins {

std::optional<std::string> readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

bool exists(const std::string& path) { return access(path.c_str(), F_OK) == 0; }

std::optional<std::time_t> modifiedTime(const std::string& path) {
    struct stat st {};
    if (stat(path.c_str(), &st) != 0) return std::nullopt;
    return st.st_mtime;
}

std::string realPath(const std::string& path) {
    char buf[PATH_MAX];
    return realpath(path.c_str(), buf) ? std::string(buf) : std::string{};
}

std::vector<std::string> splitNul(const std::string& text) {
    std::vector<std::string> out;
    std::string cur;
    for (char c : text) {
        if (c == '\0') out.push_back(cur), cur.clear();
        else cur += c;
    }
    if (!cur.empty()) out.push_back(cur);
    return out;
}

std::string findProgram(const std::string& name) {
    if (name.find('/') != std::string::npos) return access(name.c_str(), X_OK) == 0 ? name : std::string{};
    const char* p = std::getenv("PATH");
    std::string dirs = std::string(p ? p : "/usr/local/bin:/usr/bin:/bin") + ":/usr/local/sbin:/usr/sbin:/sbin";
    std::size_t start = 0;
    while (start <= dirs.size()) {
        std::size_t end = dirs.find(':', start);
        if (end == std::string::npos) end = dirs.size();
        if (end > start) {
            std::string c = dirs.substr(start, end - start) + "/" + name;
            struct stat st {};
            if (stat(c.c_str(), &st) == 0 && S_ISREG(st.st_mode) && access(c.c_str(), X_OK) == 0) return c;
        }
        start = end + 1;
    }
    return {};
}

bool writeFile(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out << text;
    return static_cast<bool>(out.flush());
}

bool writeAll(int fd, const std::string& text) {
    std::size_t done = 0;
    while (done < text.size()) {
        ssize_t n = write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace standins
