#include "platform/linux/LinuxEnvironment.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#include "platform/linux/DomainMembership.h"
#include "platform/linux/HostIdentity.h"
#include "platform/linux/TextValues.h"
#include "platform/linux/TrustedFolder.h"

namespace platform::linux_backend {

namespace {

std::string variable(const char* name) {
    const char* v = std::getenv(name);
    return v ? std::string(v) : std::string{};
}

// A folder, not a link, of this user's that no one else may write into,
// below folders that only root and the user control.
bool privateFolderOfUser(const std::string& path) { return ownPrivateFolder(path) && trustedFolder(path); }

std::string homeFolder() {
    if (auto home = variable("HOME"); !home.empty()) return home;
    struct passwd pw {};
    struct passwd* found = nullptr;
    char buf[4096];
    if (getpwuid_r(geteuid(), &pw, buf, sizeof buf, &found) == 0 && found && found->pw_dir) return found->pw_dir;
    return {};
}

// A folder in the user's home: no other user can create it first.
std::string cacheFolder() {
    std::string base = variable("XDG_CACHE_HOME");
    if (base.empty() || base[0] != '/') {
        std::string home = homeFolder();
        if (home.empty() || home[0] != '/') return {};
        base = home + "/.cache";
        mkdir(base.c_str(), 0700);
    }
    if (!privateFolderOfUser(base)) return {};
    std::string folder = base + "/cfgscope";
    mkdir(folder.c_str(), 0700);
    return privateFolderOfUser(folder) ? folder : std::string{};
}

}  // namespace

std::string userStateFolder() {
    if (auto runtime = variable("XDG_RUNTIME_DIR"); !runtime.empty() && privateFolderOfUser(runtime)) return runtime;
    return cacheFolder();
}

std::string userTempFolder() {
    // TEMP only where no other user can rename what the program puts there.
    if (auto temp = variable("TEMP"); !temp.empty() && trustedFolder(temp)) return temp;
    if (auto state = userStateFolder(); !state.empty()) return state;
    // No folder of the user's anywhere (no home): one made for this run,
    // whose name no one can know beforehand.
    static const std::string fresh = [] {
        if (!trustedFolder("/tmp")) return std::string{};
        std::string pattern = "/tmp/cfgscope-" + std::to_string(geteuid()) + "-XXXXXX";
        return mkdtemp(pattern.data()) ? pattern : std::string{};
    }();
    return privateFolderOfUser(fresh) ? fresh : std::string{};
}

std::string instanceLockFolder() {
    if (auto temp = variable("TEMP"); !temp.empty() && privateFolderOfUser(temp)) return temp;
    return userStateFolder();
}

std::string LinuxEnvironment::get(const std::string& name) {
    if (name == "TEMP") return userTempFolder();
    if (auto value = variable(name.c_str()); !value.empty()) return value;
    if (name == "username") return loginName();
    if (name == "COMPUTERNAME") return computerName();
    if (name == "userdomain" || name == "logonserver") {
        DomainMembership domain = readDomainMembership();
        if (!domain.joined) return name == "userdomain" ? get("COMPUTERNAME") : "\\\\" + get("COMPUTERNAME");
        if (name == "userdomain") return domain.workgroup;
        // Without a configured controller, the domain's DNS name stands for
        // its controllers (it resolves to them).
        if (!domain.controller.empty()) return "\\\\" + upperShortName(domain.controller);
        return domain.realm.empty() ? std::string{} : "\\\\" + domain.realm;
    }
    return {};
}

}  // namespace platform::linux_backend
