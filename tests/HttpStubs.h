// In-process HTTP stand-ins on 127.0.0.1 for the tests: a server answering
// scripted pages, a listener that never answers, and a port nobody listens on.
#pragma once

#include <httplib.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <utility>

namespace http_stubs {

// Answers each scripted path with its status and body, 404 for the rest.
class StubServer {
public:
    // A never-ending answer stops by itself after this much, so a client
    // without a limit cannot fill the disk while a test shows that it has none.
    static constexpr std::size_t kStreamGuard = 256u << 20;

    StubServer() {
        server_.Get("/moved", [](const httplib::Request&, httplib::Response& res) { res.set_redirect("/target"); });
        server_.Get(R"(/.*)", [this](const httplib::Request& req, httplib::Response& res) {
            std::lock_guard<std::mutex> lock(mutex_);
            if (auto s = streams_.find(req.path); s != streams_.end()) return stream(res, s->second);
            auto it = pages_.find(req.path);
            if (it == pages_.end()) {
                res.status = 404;
                res.set_content("not here", "text/plain");
                return;
            }
            res.status = it->second.first;
            res.set_content(it->second.second, "text/html");
        });
        port_ = server_.bind_to_any_port("127.0.0.1");
        // Bound and listening already: requests wait in the backlog until the loop runs.
        thread_ = std::thread([this] { server_.listen_after_bind(); });
    }
    ~StubServer() {
        server_.stop();
        thread_.join();
    }
    void page(const std::string& path, std::string body, int status = 200) {
        std::lock_guard<std::mutex> lock(mutex_);
        pages_[path] = {status, std::move(body)};
    }
    // A body of `bytes` bytes (a multiple of 16 KiB), announced with its
    // length; 0: a body that never ends (chunked). Pieces of 16 KiB as fast
    // as the client reads, or of 1 KiB with `pauseMs` before each.
    void huge(const std::string& path, std::size_t bytes, int pauseMs = 0) {
        std::lock_guard<std::mutex> lock(mutex_);
        streams_[path] = {bytes, pauseMs};
    }
    // Body bytes the hostile answers have sent so far.
    std::size_t sent() const { return sent_; }
    std::string url(const std::string& path = "") const {
        return "http://127.0.0.1:" + std::to_string(port_) + path;
    }
    int port() const { return port_; }

private:
    struct Stream {
        std::size_t bytes;
        int pauseMs;
    };
    void stream(httplib::Response& res, Stream s) {
        auto piece = [this, s](httplib::DataSink& sink) {
            static const std::string block(16 * 1024, 'x');
            const std::size_t size = s.pauseMs > 0 ? 1024 : block.size();
            if (s.pauseMs > 0) std::this_thread::sleep_for(std::chrono::milliseconds(s.pauseMs));
            if ((s.bytes == 0 && sent_ >= kStreamGuard) || !sink.write(block.data(), size)) return false;
            sent_ += size;
            return true;
        };
        if (s.bytes == 0)
            res.set_chunked_content_provider("text/plain", [piece](std::size_t, httplib::DataSink& sink) { return piece(sink); });
        else
            res.set_content_provider(s.bytes, "text/plain",
                                     [piece](std::size_t, std::size_t, httplib::DataSink& sink) { return piece(sink); });
    }

    httplib::Server server_;
    std::mutex mutex_;
    std::map<std::string, std::pair<int, std::string>> pages_;
    std::map<std::string, Stream> streams_;
    std::atomic<std::size_t> sent_{0};
    int port_ = -1;
    std::thread thread_;
};

// Accepts connections (the kernel does) but never answers: only a time-out ends a request.
class SilentListener {
public:
    SilentListener() {
        fd_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        bind(fd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
        listen(fd_, 16);
        socklen_t len = sizeof addr;
        getsockname(fd_, reinterpret_cast<sockaddr*>(&addr), &len);
        port_ = ntohs(addr.sin_port);
    }
    ~SilentListener() { close(fd_); }
    std::string url(const std::string& path = "") const {
        return "http://127.0.0.1:" + std::to_string(port_) + path;
    }

private:
    int fd_ = -1;
    int port_ = 0;
};

// An address on 127.0.0.1 where nothing listens: a port taken and let go.
inline std::string closedPortUrl() {
    int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
    socklen_t len = sizeof addr;
    getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len);
    close(fd);
    return "http://127.0.0.1:" + std::to_string(ntohs(addr.sin_port));
}

}  // namespace http_stubs
