// Network namespaces for tests: created on construction, removed with
// every process inside them on destruction, even when a test fails.
#pragma once

#include <string>
#include <vector>

#include "standins/common/Exec.h"

namespace standins::testing {

// Empty when namespaces can be made here; else why the test skips.
std::string namespaceSkipReason();

class Netns {
public:
    explicit Netns(const std::string& tag);
    ~Netns();
    Netns(const Netns&) = delete;
    Netns& operator=(const Netns&) = delete;

    const std::string& name() const { return name_; }
    const std::string& folder() const { return folder_; }  // a private temporary folder
    bool ok() const { return ok_; }

    // `ip -n NAME ARGS...`; true on exit status 0.
    bool ip(const std::vector<std::string>& args);
    // Runs argv inside the namespace (ip netns exec), output captured.
    ExecResult exec(const std::vector<std::string>& argv, int timeoutMs = 20000);
    // The namespace's own resolv.conf.
    bool writeResolvConf(const std::string& text);

private:
    void killInside();
    std::string name_;
    std::string folder_;
    bool ok_ = false;
};

// Runs a command on the host (ip link set ... netns ...); true on status 0.
bool hostRun(const std::vector<std::string>& argv);

std::string binPath(const std::string& tool);

std::vector<std::string> splitCrLf(const std::string& text);

}  // namespace standins::testing
