#include "Lab.h"

#include <time.h>
#include <unistd.h>

#include <cstdlib>
#include <sstream>

#include "Netns.h"
#include "standins/common/Files.h"
#include "standins/common/Leases.h"

namespace standins::testing {

namespace {

constexpr int kStartTimeoutMs = 60000;

// The lab installs this build's tools, or those of the build that
// CFGSCOPE_LAB_BUILD names (to run the same tests against another build).
std::vector<std::string> labCommand(const std::vector<std::string>& rest) {
    const char* other = std::getenv("CFGSCOPE_LAB_BUILD");
    std::vector<std::string> argv{"env", "CFGSCOPE_LAB_SUPPORT=" STANDINS_LAB_SUPPORT,
                                  std::string("CFGSCOPE_LAB_BUILD=") + (other && *other ? other : STANDINS_BUILD_DIR),
                                  STANDINS_LAB_SCRIPT};
    argv.insert(argv.end(), rest.begin(), rest.end());
    return argv;
}

}  // namespace

Lab::Lab(const std::string& owner, int bridgePorts, const std::string& dhcpOption) {
    std::string why = namespaceSkipReason();
    if (!why.empty()) {
        error_ = why;
        skip_ = true;
        return;
    }
    char tmpl[] = "/tmp/cflab-XXXXXX";
    if (!mkdtemp(tmpl)) {
        error_ = "cannot make the lab's folder";
        return;
    }
    dir_ = tmpl;
    std::vector<std::string> start = labCommand({"start", dir_, owner, std::to_string(bridgePorts)});
    start.insert(start.begin() + 1, "CFGSCOPE_LAB_DHCP_OPTION=" + dhcpOption);  // after "env"
    ExecResult r = runProgram(start, kStartTimeoutMs, true);
    ok_ = r.started && r.exitCode == 0;
    if (!ok_) {
        error_ = "the " + owner + " lab did not start (exit " + std::to_string(r.exitCode) + "): " + r.output + r.error;
        skip_ = r.exitCode == 3;  // something is not installed here
    }
}

Lab::~Lab() {
    if (!dir_.empty()) runProgram(labCommand({"stop", dir_}), 30000, true);
}

ExecResult Lab::run(const std::vector<std::string>& argv, int timeoutMs) {
    std::vector<std::string> rest{"run", dir_};
    rest.insert(rest.end(), argv.begin(), argv.end());
    return runProgram(labCommand(rest), timeoutMs, true);
}

ExecResult Lab::runAs(const std::string& user, const std::vector<std::string>& argv, int timeoutMs) {
    std::vector<std::string> rest{"run", dir_, "--user", user};
    rest.insert(rest.end(), argv.begin(), argv.end());
    return runProgram(labCommand(rest), timeoutMs, true);
}

std::string Lab::env(const std::string& key) const { return keyValue(readFile(dir_ + "/env").value_or(""), key); }

std::string Lab::address(int* prefix) {
    ExecResult r = run({"ip", "-4", "-o", "addr", "show", "dev", "vnm0"});
    auto at = r.output.find("inet ");
    if (at == std::string::npos) return {};
    auto slash = r.output.find('/', at);
    if (prefix) *prefix = std::atoi(r.output.c_str() + slash + 1);
    return r.output.substr(at + 5, slash - at - 5);
}

bool Lab::waitForAddress(bool present, int ms) {
    for (int waited = 0; waited <= ms; waited += 200) {
        if (address().empty() != present) return true;
        timespec pause{0, 200 * 1000000};
        nanosleep(&pause, nullptr);
    }
    return false;
}

long long Lab::serverLeaseExpiry(const std::string& address) {
    // dnsmasq: "EXPIRY MAC ADDRESS HOST CLIENT-ID" per line.
    std::istringstream in(readFile(dir_ + "/srv/dnsmasq.leases").value_or(""));
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream w(line);
        long long expiry = 0;
        std::string mac, ip;
        if (w >> expiry >> mac >> ip && ip == address) return expiry;
    }
    return 0;
}

}  // namespace standins::testing
