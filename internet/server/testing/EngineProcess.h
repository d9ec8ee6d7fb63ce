// Test helper: starts one engine serving the product web server's resources
// on 127.0.0.1 at a free port, through testing/engine-up.sh: vorlan-webserver
// itself, or nginx or Apache httpd with the shipped configurations. Each has
// a private folder for its configuration, pid, logs and temp files, removed
// when the helper goes out of scope; the machine's own nginx and Apache
// configuration and services are never touched.
//
//   webserver_testing::EngineProcess nginx("nginx", {"--newest-version", "1.04.0"});
//   ASSERT_TRUE(nginx.running()) << nginx.error();
//   std::string url = nginx.baseUrl() + "/ip.shtml";
//
// The options are vorlan-webserver's; nginx and Apache get the same resources
// from them. Every wait is bounded (10 s to start, 5 s to stop).
#pragma once

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "internet/server/testing/WebServerProcess.h"

namespace webserver_testing {

class EngineProcess {
public:
    explicit EngineProcess(std::string engine, std::vector<std::string> options = {}) : engine_(std::move(engine)) {
        if (engine_ == "nginx" && !installed({"/usr/sbin/nginx", "/usr/bin/nginx"})) {
            error_ = "nginx is not installed (scripts/install-deps.sh installs it)";
            return;
        }
        if (engine_ == "apache2" && !installed({"/usr/sbin/apache2"})) {
            error_ = "Apache httpd is not installed (scripts/install-deps.sh installs apache2-bin)";
            return;
        }
        char pattern[] = "/tmp/engine-XXXXXX";
        if (mkdtemp(pattern) == nullptr) {
            error_ = "no temporary folder";
            return;
        }
        work_ = pattern;
        chmod(pattern, 0755);  // workers of an engine started as root run as nobody
        // Another process may take the free port first: try a few.
        for (int attempt = 0; attempt < 3 && port_ == 0; ++attempt) start(options);
    }
    EngineProcess(const EngineProcess&) = delete;
    EngineProcess& operator=(const EngineProcess&) = delete;
    ~EngineProcess() {
        stop();
        std::error_code ignored;
        if (!work_.empty()) std::filesystem::remove_all(work_, ignored);
    }

    bool running() const { return pid_ > 0 && port_ > 0; }
    int port() const { return port_; }
    std::string baseUrl() const { return "http://127.0.0.1:" + std::to_string(port_); }
    const std::string& error() const { return error_; }

    // Stops the engine (SIGTERM, then SIGKILL to its process group); its exit status, -1 when killed.
    int stop() {
        if (pid_ <= 0) return -1;
        const int status = endChild(pid_, true);  // workers left behind go too
        pid_ = -1;
        return status;
    }

private:
    static bool installed(std::initializer_list<const char*> paths) {
        for (const char* p : paths)
            if (access(p, X_OK) == 0) return true;
        return false;
    }

    static int freePort() {
        int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof a;
        int port = 0;
        if (bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0 &&
            getsockname(fd, reinterpret_cast<sockaddr*>(&a), &length) == 0)
            port = ntohs(a.sin_port);
        close(fd);
        return port;
    }

    static bool answers(int port) {
        int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_port = htons(static_cast<uint16_t>(port));
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        bool ok = connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0;
        close(fd);
        return ok;
    }

    std::string outputs() const {
        std::string text;
        for (const std::string& name : {std::string("/engine.out"), "/" + engine_ + "/logs/error.log"}) {
            std::ifstream in(work_ + name);
            std::stringstream s;
            s << in.rdbuf();
            text += s.str();
        }
        return text;
    }

    void start(const std::vector<std::string>& options) {
        int port = freePort();
        std::vector<std::string> args{"/bin/bash", VORLAN_ENGINE_UP, engine_, std::to_string(port),
                                      work_ + "/" + engine_, VORLAN_WEBSERVER_PATH};
        args.insert(args.end(), options.begin(), options.end());
        std::vector<char*> argv;
        for (auto& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        std::string out = work_ + "/engine.out";
        pid_ = fork();
        if (pid_ == 0) {
            setpgid(0, 0);
            int fd = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
            dup2(fd, STDOUT_FILENO);
            dup2(fd, STDERR_FILENO);
            execv(argv[0], argv.data());
            _exit(127);
        }
        if (pid_ < 0) {
            error_ = "cannot fork";
            return;
        }
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (std::chrono::steady_clock::now() < deadline) {
            int status = 0;
            if (waitpid(pid_, &status, WNOHANG) == pid_) {
                pid_ = -1;
                error_ = engine_ + " did not start: " + outputs();
                return;
            }
            if (answers(port)) {
                port_ = port;
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        stop();
        error_ = engine_ + " did not answer within 10 s: " + outputs();
    }

    std::string engine_;
    std::string work_;
    std::string error_;
    pid_t pid_ = -1;
    int port_ = 0;
};

}  // namespace webserver_testing
