// Network namespaces for tests: created on construction, removed with
// every process inside them on destruction, even when a test fails.
#pragma once

#include <string>
#include <vector>

#include "standins/common/Exec.h"
#include "standins/common/Files.h"

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
    // Runs a script of `folder` with the script runner inside the namespace,
    // from that folder (where a stray redirection would leave its file).
    ExecResult batrun(const std::string& folder, const std::string& script);

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

// Writes each script (a `name` and its `lines`, ended by CR LF) into the
// folder, as the window does.
template <class Scripts>
bool writeScripts(const std::string& folder, const Scripts& scripts) {
    for (const auto& script : scripts) {
        std::string text;
        for (const auto& line : script.lines) text += line + "\r\n";
        if (!writeFile(folder + "/" + script.name, text)) return false;
    }
    return true;
}
// The names of the files in a folder, sorted.
std::vector<std::string> filesIn(const std::string& folder);

}  // namespace standins::testing
