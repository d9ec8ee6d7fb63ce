#include "Netns.h"

#include <dirent.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "standins/common/DhcpOwner.h"
#include "standins/common/Files.h"

namespace standins::testing {

namespace {
int counter = 0;
}

std::string namespaceSkipReason() {
    if (geteuid() != 0) return "skipped: network namespace tests need root";
    if (findProgram("ip").empty()) return "skipped: the ip tool (iproute2) is not installed";
    ExecResult r = runProgram({"ip", "netns", "list"}, 5000, true);
    if (!r.started || r.exitCode != 0) return "skipped: ip netns is unavailable here";
    return {};
}

bool hostRun(const std::vector<std::string>& argv) {
    ExecResult r = runProgram(argv, 20000, true);
    return r.started && r.exitCode == 0;
}

std::string binPath(const std::string& tool) { return std::string(STANDINS_BIN_DIR) + "/" + tool; }

std::vector<std::string> splitCrLf(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

Netns::Netns(const std::string& tag) {
    name_ = "cfst-" + tag + "-" + std::to_string(getpid()) + "-" + std::to_string(++counter);
    char tmpl[] = "/tmp/cfst-XXXXXX";
    if (char* d = mkdtemp(tmpl)) folder_ = d;
    hostRun({"ip", "netns", "del", name_});  // a leftover of an earlier crash
    ok_ = !folder_.empty() && hostRun({"ip", "netns", "add", name_});
    if (ok_) {
        std::filesystem::create_directories("/etc/netns/" + name_);
        ok_ = writeResolvConf("") && ip({"link", "set", "lo", "up"});
    }
}

Netns::~Netns() {
    killInside();
    hostRun({"ip", "netns", "del", name_});
    std::error_code ec;
    std::filesystem::remove_all("/etc/netns/" + name_, ec);
    if (!folder_.empty()) std::filesystem::remove_all(folder_, ec);
}

bool Netns::ip(const std::vector<std::string>& args) {
    std::vector<std::string> argv{"ip", "-n", name_};
    argv.insert(argv.end(), args.begin(), args.end());
    return hostRun(argv);
}

ExecResult Netns::exec(const std::vector<std::string>& argv, int timeoutMs) {
    std::vector<std::string> full{"ip", "netns", "exec", name_};
    full.insert(full.end(), argv.begin(), argv.end());
    return runProgram(full, timeoutMs, true);
}

ExecResult Netns::batrun(const std::string& folder, const std::string& script) {
    return exec({"sh", "-c", "cd \"$1\" && exec \"$2\" \"$3\"", "sh", folder, binPath("batrun"), script}, 60000);
}

std::vector<std::string> filesIn(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& f : std::filesystem::directory_iterator(folder, ec)) names.push_back(f.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

bool Netns::writeResolvConf(const std::string& text) {
    return writeFile("/etc/netns/" + name_ + "/resolv.conf", text);
}

// Every process whose network namespace is this one (dnsmasq, dhclient).
void Netns::killInside() {
    struct stat st {};
    if (stat(("/run/netns/" + name_).c_str(), &st) != 0) return;
    std::string want = "net:[" + std::to_string(st.st_ino) + "]";
    DIR* d = opendir("/proc");
    if (!d) return;
    std::vector<pid_t> pids;
    while (dirent* e = readdir(d)) {
        char buf[64];
        ssize_t n = readlink((std::string("/proc/") + e->d_name + "/ns/net").c_str(), buf, sizeof buf - 1);
        if (n > 0 && std::string(buf, static_cast<std::size_t>(n)) == want) pids.push_back(std::atoi(e->d_name));
    }
    closedir(d);
    for (pid_t p : pids)
        if (p > 1 && p != getpid()) kill(p, SIGKILL);
    // The released-lease notes of the report tool for this namespace.
    std::error_code ec;
    for (const auto& f : std::filesystem::directory_iterator(kReleasedStateFolder, ec))
        if (f.path().filename().string().find("-" + std::to_string(st.st_ino) + "-") != std::string::npos)
            std::filesystem::remove(f.path(), ec);
}

}  // namespace standins::testing
