// Test helper: starts the product web server (vorlan-webserver) on 127.0.0.1
// at a free port, and stops it with SIGTERM when it goes out of scope.
//
//   webserver_testing::WebServerProcess server;          // default texts
//   webserver_testing::WebServerProcess server({"--newest-version", "1.04.0"});
//   ASSERT_TRUE(server.running()) << server.error();
//   std::string url = server.baseUrl() + "/ip.shtml";    // "http://127.0.0.1:PORT/ip.shtml"
//
// Link the CMake target cfg_webserver_testing; it names the built program.
// Every wait is bounded: a server that does not start within 10 seconds
// counts as not running; one that ignores SIGTERM for 5 seconds is killed.
#pragma once

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace webserver_testing {

// The most memory a process ("self" or a process id) has held resident so
// far, in KiB (VmHWM); 0 when it cannot be read.
inline long peakResidentKiB(const std::string& pid = "self") {
    std::ifstream status("/proc/" + pid + "/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0) return std::atol(line.c_str() + 6);
    return 0;
}

// Ends a child with SIGTERM, or after 5 seconds with SIGKILL (to its whole
// process group with `group`, which also takes what it left behind); its
// exit status, -1 when it was killed.
inline int endChild(pid_t pid, bool group) {
    kill(pid, SIGTERM);
    int status = 0;
    bool ended = false;
    for (int i = 0; i < 500 && !ended; ++i) {
        if (waitpid(pid, &status, WNOHANG) == pid) ended = true;
        else std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    if (group) kill(-pid, SIGKILL);
    else if (!ended) kill(pid, SIGKILL);
    if (!ended) waitpid(pid, &status, 0);
    return ended && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class WebServerProcess {
public:
    // VORLAN_WEBSERVER in the environment names another build of the program,
    // for instance an older one the hostile tests should fail against.
    explicit WebServerProcess(std::vector<std::string> extraArgs = {}, std::string program = defaultProgram()) {
        start(std::move(extraArgs), std::move(program));
    }
    WebServerProcess(const WebServerProcess&) = delete;
    WebServerProcess& operator=(const WebServerProcess&) = delete;
    ~WebServerProcess() { stop(); }

    bool running() const { return pid_ > 0 && port_ > 0; }
    pid_t pid() const { return pid_; }
    long peakResidentKiB() const { return webserver_testing::peakResidentKiB(std::to_string(pid_)); }
    int port() const { return port_; }
    // "http://127.0.0.1:PORT", no "/" at the end: append a resource path.
    std::string baseUrl() const { return "http://127.0.0.1:" + std::to_string(port_); }
    // Why it did not start, when it did not.
    const std::string& error() const { return error_; }

    // Everything the server printed so far (its request log). A request's line
    // follows its answer, so read it after stop() to see every request.
    std::string output() {
        std::lock_guard<std::mutex> lock(outputMutex_);
        return output_;
    }

    // Stops the server; its exit status (-1 when killed or never started).
    int stop() {
        if (pid_ <= 0) return exitStatus_;
        exitStatus_ = endChild(pid_, false);
        pid_ = -1;
        if (reader_.joinable()) reader_.join();
        if (fd_ >= 0) close(fd_);
        fd_ = -1;
        return exitStatus_;
    }

    static std::string defaultProgram() {
        const char* other = std::getenv("VORLAN_WEBSERVER");
        return other != nullptr && *other != 0 ? other : VORLAN_WEBSERVER_PATH;
    }

private:
    void start(std::vector<std::string> extraArgs, std::string program) {
        std::vector<std::string> args{program, "--bind", "127.0.0.1", "--port", "0"};
        args.insert(args.end(), extraArgs.begin(), extraArgs.end());
        std::vector<char*> argv;
        for (auto& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);

        int pipeFds[2];
        if (pipe2(pipeFds, O_CLOEXEC) != 0) {
            error_ = "no pipe";
            return;
        }
        pid_ = fork();
        if (pid_ == 0) {
            dup2(pipeFds[1], STDOUT_FILENO);
            execv(argv[0], argv.data());
            _exit(127);
        }
        close(pipeFds[1]);
        fd_ = pipeFds[0];
        if (pid_ < 0) {
            error_ = "cannot fork";
            return;
        }
        // The first line names the address: "... listening on http://127.0.0.1:PORT/ ...".
        std::string first;
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (first.find('\n') == std::string::npos && std::chrono::steady_clock::now() < deadline) {
            pollfd p{fd_, POLLIN, 0};
            if (poll(&p, 1, 100) <= 0) continue;
            char buffer[256];
            ssize_t n = read(fd_, buffer, sizeof buffer);
            if (n <= 0) break;
            first.append(buffer, static_cast<std::size_t>(n));
        }
        output_ = first;
        auto at = first.find("http://127.0.0.1:");
        if (at != std::string::npos) port_ = std::atoi(first.c_str() + at + 17);
        if (port_ <= 0) {
            error_ = program + " did not start: \"" + first + "\"";
            stop();
            return;
        }
        // Drain the request log so the server never blocks on a full pipe.
        reader_ = std::thread([this] {
            char buffer[512];
            ssize_t n;
            while ((n = read(fd_, buffer, sizeof buffer)) > 0) {
                std::lock_guard<std::mutex> lock(outputMutex_);
                output_.append(buffer, static_cast<std::size_t>(n));
            }
        });
    }

    pid_t pid_ = -1;
    int fd_ = -1;
    int port_ = 0;
    int exitStatus_ = -1;
    std::string error_;
    std::thread reader_;
    std::mutex outputMutex_;
    std::string output_;
};

}  // namespace webserver_testing
