#include "platform/linux/LinuxEnvironment.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

namespace platform::linux_backend {

namespace {

std::string variable(const char* name) {
    const char* v = std::getenv(name);
    return v ? std::string(v) : std::string{};
}

bool ownPrivateFolder(const std::string& path) {
    struct stat st {};
    return lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == geteuid();
}

}  // namespace

std::string userTempFolder() {
    if (auto temp = variable("TEMP"); !temp.empty()) return temp;
    if (auto runtime = variable("XDG_RUNTIME_DIR"); !runtime.empty() && ownPrivateFolder(runtime))
        return runtime;
    std::string fallback = "/tmp/cfgscope-" + std::to_string(geteuid());
    mkdir(fallback.c_str(), 0700);
    return ownPrivateFolder(fallback) ? fallback : std::string{};
}

std::string LinuxEnvironment::get(const std::string& name) {
    if (name == "TEMP") return userTempFolder();
    return variable(name.c_str());
}

}  // namespace platform::linux_backend
