// The adapter list inside a network namespace of the test's own, with links
// and addresses it chose. The namespace belongs to a child process and
// vanishes with it, so nothing is left behind even when a step fails.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <net/if.h>
#include <sched.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <map>
#include <string>
#include <vector>

#include "platform/linux/LinuxSystemQueries.h"

extern char** environ;

namespace {

// Runs a program without a shell; true when it exits with 0.
bool run(std::vector<std::string> args) {
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    int rc = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) return false;
    int status = 0;
    return waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// In a child in a fresh network namespace: runs each `ip` command (those
// starting with '-' may fail), then writes `check()`'s text to a pipe. The
// text, or "SETUP FAILED: ..." when a command failed.
template <typename Check>
std::string inFreshNamespace(const std::vector<std::vector<std::string>>& ipCommands, Check check) {
    int fds[2];
    if (pipe(fds) != 0) return "SETUP FAILED: pipe";
    pid_t child = fork();
    if (child == 0) {
        close(fds[0]);
        std::string out;
        if (unshare(CLONE_NEWNET) != 0) {
            out = "SETUP FAILED: unshare";
        } else {
            for (auto command : ipCommands) {
                bool optional = command.front() == "-";
                if (optional) command.erase(command.begin());
                command.insert(command.begin(), "ip");
                if (!run(command) && !optional) {
                    out = "SETUP FAILED:";
                    for (const auto& a : command) out += " " + a;
                    break;
                }
            }
            if (out.empty()) out = check();
        }
        (void)!write(fds[1], out.data(), out.size());
        _exit(0);
    }
    close(fds[1]);
    std::string text;
    char buffer[4096];
    for (ssize_t n; (n = read(fds[0], buffer, sizeof buffer)) > 0;) text.append(buffer, static_cast<std::size_t>(n));
    close(fds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    return text;
}

std::string joined(const std::optional<std::vector<std::string>>& list) {
    if (!list) return "(nothing)";
    std::string text;
    for (const auto& a : *list) text += a + "\n";
    return text;
}

bool canMakeNamespaces() { return geteuid() == 0 && run({"ip", "-V"}); }

TEST(LinuxAdapterList, InterfaceOrderFirstAddressNoLoopback) {
    if (!canMakeNamespaces()) GTEST_SKIP() << "needs root and the ip tool to make a network namespace";
    // Two veth pairs (dummy links need a module this kernel may lack). The
    // kernel picks the indices, so the expected order is taken from them.
    std::string result = inFreshNamespace(
        {{"link", "set", "lo", "up"},
         {"link", "add", "zz0", "type", "veth", "peer", "name", "mid2"},
         {"link", "add", "aa1", "type", "veth", "peer", "name", "bb3"},
         {"addr", "add", "10.20.30.40/24", "dev", "zz0"},
         {"addr", "add", "10.20.30.41/24", "dev", "zz0"},
         {"addr", "add", "10.99.0.1/16", "dev", "zz0", "label", "zz0:extra"},
         {"link", "set", "zz0", "up"},
         {"addr", "add", "192.168.77.5/24", "dev", "aa1"},  // stays down: still listed
         {"-", "-6", "addr", "add", "fd00::1/64", "dev", "mid2"}},
        [] {
            std::map<unsigned, std::string> expected{{if_nametoindex("zz0"), "10.20.30.40"},
                                                     {if_nametoindex("aa1"), "192.168.77.5"},
                                                     {if_nametoindex("mid2"), "0.0.0.0"},
                                                     {if_nametoindex("bb3"), "0.0.0.0"}};
            std::string text = "expected:\n";
            for (const auto& [index, address] : expected) text += address + "\n";
            return text + "got:\n" + joined(platform::linux_backend::LinuxSystemQueries().adapterAddresses());
        });
    auto got = result.find("got:\n");
    ASSERT_NE(got, std::string::npos) << result;
    EXPECT_EQ(result.substr(got + 5), result.substr(10, got - 10));
    EXPECT_EQ(result.substr(got + 5).size(), std::string("10.20.30.40\n192.168.77.5\n0.0.0.0\n0.0.0.0\n").size());
}

TEST(LinuxAdapterList, OnlyLoopbackGivesAnEmptyList) {
    if (!canMakeNamespaces()) GTEST_SKIP() << "needs root and the ip tool to make a network namespace";
    std::string result = inFreshNamespace({{"link", "set", "lo", "up"}}, [] {
        auto list = platform::linux_backend::LinuxSystemQueries().adapterAddresses();
        return list ? "list of " + std::to_string(list->size()) : std::string("(nothing)");
    });
    EXPECT_EQ(result, "list of 0");
}

}  // namespace
