// Attacks on the shipped product web server, performed over 127.0.0.1 against
// the real program: slow senders, oversized and forbidden requests, forged
// log lines and hostile files in its site folder. Memory is read from /proc.
#include <arpa/inet.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "internet/server/testing/WebServerProcess.h"

namespace {

using webserver_testing::WebServerProcess;
using Clock = std::chrono::steady_clock;

// A plain TCP connection to the server, every wait bounded.
class Raw {
public:
    // From 127.0.0.1, or from `from` (another loopback address).
    explicit Raw(int port, const char* from = nullptr) {
        fd_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (from != nullptr) {
            sockaddr_in source{};
            source.sin_family = AF_INET;
            inet_pton(AF_INET, from, &source.sin_addr);
            bind(fd_, reinterpret_cast<sockaddr*>(&source), sizeof source);
        }
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_port = htons(static_cast<uint16_t>(port));
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        if (connect(fd_, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) {
            close(fd_);
            fd_ = -1;
        }
        timeval t{3, 0};
        setsockopt(fd_, SOL_SOCKET, SO_SNDTIMEO, &t, sizeof t);
    }
    ~Raw() {
        if (fd_ >= 0) close(fd_);
    }
    Raw(const Raw&) = delete;
    bool ok() const { return fd_ >= 0; }
    // False once the server no longer takes what is sent.
    bool send(const std::string& data) {
        std::size_t done = 0;
        while (done < data.size()) {
            ssize_t n = ::send(fd_, data.data() + done, data.size() - done, MSG_NOSIGNAL);
            if (n <= 0) return false;
            done += static_cast<std::size_t>(n);
        }
        return true;
    }
    // What arrives until the server closes, or nothing arrives for `quiet`.
    std::string receive(std::chrono::milliseconds quiet = std::chrono::milliseconds(3000)) {
        std::string got;
        char buffer[4096];
        while (true) {
            pollfd p{fd_, POLLIN, 0};
            if (poll(&p, 1, static_cast<int>(quiet.count())) <= 0) return got;
            ssize_t n = recv(fd_, buffer, sizeof buffer, 0);
            if (n <= 0) {
                closed_ = true;
                return got;
            }
            got.append(buffer, static_cast<std::size_t>(n));
        }
    }
    // Whether the server has closed the connection within `wait`.
    bool closedWithin(std::chrono::milliseconds wait) {
        auto end = Clock::now() + wait;
        while (!closed_ && Clock::now() < end) receive(std::chrono::milliseconds(100));
        return closed_;
    }

private:
    int fd_ = -1;
    bool closed_ = false;
};

int statusOf(const std::string& response) {
    if (response.rfind("HTTP/1.", 0) != 0 || response.size() < 12) return 0;
    return std::atoi(response.c_str() + 9);
}

// One request on a fresh connection; the status, 0 for no answer within 3 s.
int statusFor(int port, const std::string& path) {
    Raw raw(port);
    if (!raw.ok() || !raw.send("GET " + path + " HTTP/1.1\r\nHost: x\r\nConnection: close\r\n\r\n")) return 0;
    return statusOf(raw.receive());
}

TEST(WebServerHostile, SlowSendersHoldNobodyUpAreCutAndDoNotDelayTheStop) {
    WebServerProcess server({"--request-timeout", "2"});
    ASSERT_TRUE(server.running()) << server.error();
    const int port = server.port();

    // Eight slow-loris connections, each sending one byte of its head every 300 ms,
    // and a few hundred that connect and say nothing, from another address.
    std::vector<std::unique_ptr<Raw>> slow, idle;
    for (int i = 0; i < 8; ++i) {
        slow.push_back(std::make_unique<Raw>(port, "127.0.0.2"));
        ASSERT_TRUE(slow.back()->send("GET /ip.shtml HTTP/1.1\r\n"));
    }
    for (int i = 0; i < 300; ++i) idle.push_back(std::make_unique<Raw>(port, "127.0.0.2"));
    std::atomic<bool> trickling{true};
    std::thread trickle([&] {
        while (trickling) {
            for (auto& s : slow) s->send("X");
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
        }
    });

    // Ordinary requests all get their answers meanwhile.
    int answered = 0, missed = 0;
    for (int i = 0; i < 100 && missed < 3; ++i) (statusFor(port, "/ip.shtml") == 200 ? answered : missed) += 1;
    EXPECT_EQ(answered, 100);
    EXPECT_LT(server.peakResidentKiB(), 64 * 1024);

    // The request deadline cuts the slow and the silent ones though they trickle on.
    int cut = 0;
    auto until = Clock::now() + std::chrono::seconds(6);
    auto left = [&] { return std::chrono::duration_cast<std::chrono::milliseconds>(until - Clock::now()); };
    for (auto& s : slow) cut += s->closedWithin(left());
    for (auto& s : idle) cut += s->closedWithin(left());
    EXPECT_EQ(cut, 8 + 300);
    trickling = false;
    trickle.join();

    // SIGTERM with slow senders connected ends the server within a second.
    slow.clear();
    for (int i = 0; i < 8; ++i) {
        slow.push_back(std::make_unique<Raw>(port));
        slow.back()->send("GET /ip.shtml HTTP/1.1\r\nX");
    }
    auto before = Clock::now();
    EXPECT_EQ(server.stop(), 0);
    EXPECT_LT(Clock::now() - before, std::chrono::seconds(1));
}

// One address opens as many idle connections as the server's open-file
// limit allows (1,100, the limit set for it); requests from another address
// are all answered meanwhile.
TEST(WebServerHostile, OneAddressCannotTakeEveryConnection) {
    rlimit own{};
    getrlimit(RLIMIT_NOFILE, &own);
    if (own.rlim_cur < 4096) {
        rlimit more{std::min<rlim_t>(4096, own.rlim_max), own.rlim_max};
        setrlimit(RLIMIT_NOFILE, &more);
        getrlimit(RLIMIT_NOFILE, &more);
        if (more.rlim_cur < 1300) GTEST_SKIP() << "this test needs 1,300 descriptors of its own";
    }
    namespace fs = std::filesystem;
    fs::path wrapper = fs::path(testing::TempDir()) / ("limited-webserver-" + std::to_string(getpid()));
    std::ofstream(wrapper) << "#!/bin/sh\nulimit -n 1100 || exit 1\nexec '" << WebServerProcess::defaultProgram()
                           << "' \"$@\"\n";
    fs::permissions(wrapper, fs::perms::owner_all);
    WebServerProcess server({}, wrapper.string());
    ASSERT_TRUE(server.running()) << server.error();

    std::vector<std::unique_ptr<Raw>> flood;
    for (int i = 0; i < 1100; ++i) flood.push_back(std::make_unique<Raw>(server.port(), "127.0.0.2"));
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    int answered = 0;
    for (int i = 0; i < 16; ++i) answered += statusFor(server.port(), "/ip.shtml") == 200;
    EXPECT_EQ(answered, 16);
    flood.clear();
    fs::remove(wrapper);
}

TEST(WebServerHostile, OnlyGetAndHeadAndNoBodyIsRead) {
    WebServerProcess server;
    ASSERT_TRUE(server.running()) << server.error();
    for (const char* method : {"POST", "PUT", "DELETE", "OPTIONS", "TRACE", "PATCH", "BREW"}) {
        Raw raw(server.port());
        ASSERT_TRUE(raw.send(std::string(method) + " /ip.shtml HTTP/1.1\r\nHost: x\r\nContent-Length: 5\r\n\r\nhello"));
        std::string response = raw.receive();
        EXPECT_EQ(statusOf(response), 405) << method << ": " << response;
        EXPECT_NE(response.find("Allow: GET, HEAD"), std::string::npos) << method;
        EXPECT_TRUE(raw.closedWithin(std::chrono::milliseconds(1000))) << method;
    }

    // A 512 MB upload: refused at its head, while memory stays where it was.
    long before = server.peakResidentKiB();
    Raw raw(server.port());
    ASSERT_TRUE(raw.send("POST /ip.shtml HTTP/1.1\r\nHost: x\r\nContent-Length: 536870912\r\n\r\n"));
    const std::string chunk(1 << 20, 'x');
    for (int i = 0; i < 512 && raw.send(chunk); ++i) {
    }
    std::string response = raw.receive(std::chrono::milliseconds(1000));
    EXPECT_EQ(statusOf(response), 405) << response.substr(0, 200);
    EXPECT_LT(server.peakResidentKiB() - before, 16 * 1024) << "KiB before: " << before;
    EXPECT_EQ(statusFor(server.port(), "/ip.shtml"), 200);
}

TEST(WebServerHostile, RequestHeadsAreBounded) {
    WebServerProcess server;
    ASSERT_TRUE(server.running()) << server.error();
    auto headers = [](int lines, std::size_t valueBytes) {
        std::string text;
        for (int i = 0; i < lines; ++i) text += "X-" + std::to_string(i) + ": " + std::string(valueBytes, 'v') + "\r\n";
        return text;
    };
    struct Case {
        const char* name;
        std::string head;  // after the request line, before the blank line
        int status;
    } cases[] = {
        {"100 header lines", "Host: x\r\n" + headers(99, 8), 200},
        {"101 header lines", "Host: x\r\n" + headers(100, 8), 431},
        {"a head just under 8 KiB", "Host: x\r\nX-Big: " + std::string(8000, 'v') + "\r\n", 200},
        {"a head just over 8 KiB", "Host: x\r\nX-Big: " + std::string(8200, 'v') + "\r\n", 431},
    };
    for (const auto& c : cases) {
        Raw raw(server.port());
        ASSERT_TRUE(raw.send("GET /ip.shtml HTTP/1.1\r\n" + c.head + "\r\n")) << c.name;
        EXPECT_EQ(statusOf(raw.receive(std::chrono::milliseconds(1500))), c.status) << c.name;
    }
    // A 9 KiB request target.
    EXPECT_GE(statusFor(server.port(), "/ip.shtml?" + std::string(9000, 'q')), 400);

    // Three million header lines: cut short while memory stays where it was.
    long before = server.peakResidentKiB();
    Raw raw(server.port());
    raw.send("GET /ip.shtml HTTP/1.1\r\nHost: x\r\n");
    const std::string block = headers(10000, 1);
    bool refused = false;
    for (int i = 0; i < 300 && !refused; ++i) refused = !raw.send(block);
    std::string response = raw.receive(std::chrono::milliseconds(1000));
    EXPECT_TRUE(refused || (statusOf(response) >= 400 && statusOf(response) < 500)) << response.substr(0, 200);
    EXPECT_TRUE(raw.closedWithin(std::chrono::milliseconds(2000)));
    EXPECT_LT(server.peakResidentKiB() - before, 16 * 1024) << "KiB before: " << before;
    EXPECT_EQ(statusFor(server.port(), "/ip.shtml"), 200);
}

TEST(WebServerHostile, PathsCannotForgeLogLines) {
    WebServerProcess server;
    ASSERT_TRUE(server.running()) << server.error();
    statusFor(server.port(), "/a%0a2026-01-01%2000:00:00%20192.0.2.66%20%22GET%20/forged%22%20200%209");
    statusFor(server.port(), "/b%0d%1b%5b2J");
    statusFor(server.port(), "/c\x1b[2J");
    ASSERT_EQ(server.stop(), 0);
    std::string log = server.output();
    std::istringstream lines(log);
    std::string line;
    int requestLines = 0;
    while (std::getline(lines, line)) {
        EXPECT_EQ(line.rfind("2026-01-01", 0), std::string::npos) << "forged: " << line;
        EXPECT_EQ(line.find('\r'), std::string::npos) << line;
        EXPECT_EQ(line.find('\x1b'), std::string::npos) << line;
        requestLines += line.find(" \"GET /") != std::string::npos;
    }
    EXPECT_EQ(requestLines, 3) << log;
    EXPECT_NE(log.find("\"GET /a\\x0a2026-01-01 00:00:00 192.0.2.66 \\x22GET /forged\\x22 200 9\" 404"),
              std::string::npos)
        << log;
    EXPECT_NE(log.find("\"GET /b\\x0d\\x1b[2J\" 404"), std::string::npos) << log;
}

TEST(WebServerHostile, OnlyRegularFilesInsideTheSiteFolderAreServed) {
    namespace fs = std::filesystem;
    fs::path site = fs::path(testing::TempDir()) / ("hostile-site-" + std::to_string(getpid()));
    fs::remove_all(site);
    fs::create_directories(site / "folder.html");
    std::ofstream(site / "index.html") << "own index";
    std::ofstream(site / "secret.txt.orig") << "inside";
    fs::path outside = site.string() + "-outside.txt";
    std::ofstream(outside) << "outside the site";
    ASSERT_EQ(mkfifo((site / "fifo.html").c_str(), 0644), 0);
    fs::create_symlink(outside, site / "outside.html");
    fs::create_symlink(site / "index.html", site / "inside.html");
    fs::create_symlink("/etc/passwd", site / "passwd.txt");

    WebServerProcess server({"--site", site.string()});
    ASSERT_TRUE(server.running()) << server.error();
    struct Case {
        const char* path;
        int status;
    } cases[] = {
        {"/folder.html", 404},  // a folder, not an empty page
        {"/fifo.html", 404},    // opened without waiting for a writer
        {"/outside.html", 404}, // links are not followed, out of the folder
        {"/inside.html", 404},  // nor inside it
        {"/passwd.txt", 404},
        {"/index.html", 200},
        {"/fifo.html", 404},    // still answering
        {"/", 200},
    };
    for (const auto& c : cases) EXPECT_EQ(statusFor(server.port(), c.path), c.status) << c.path;
    fs::remove_all(site);
    fs::remove(outside);
}

}  // namespace

// A client behind a trusted proxy names its own address in X-Forwarded-For;
// the proxy adds a line of its own rather than extend the client's, so only
// the list read whole from its end names the caller. A mapped prefix written
// as 8 bits of IPv6 would trust every IPv4 client: refused at the start.
TEST(WebServerHostile, ForwardedForIsReadWholeAndMappedPrefixesKeepTheMapping) {
    struct Case {
        const char* trust;
        std::string headers;
        const char* caller;  // nullptr: the server refuses the option
    } cases[] = {
        {"127.0.0.1", "X-Forwarded-For: 6.6.6.6\r\nX-Forwarded-For: 7.7.7.7\r\n", "7.7.7.7"},
        {"127.0.0.1", "X-Forwarded-For: 5.5.5.5, 6.6.6.6\r\nx-forwarded-for: 7.7.7.7\r\n", "7.7.7.7"},
        {"::ffff:127.0.0.0/104", "X-Forwarded-For: 6.6.6.6\r\nX-Forwarded-For: 7.7.7.7\r\n", "7.7.7.7"},
        {"::ffff:127.0.0.1/8", "X-Forwarded-For: 6.6.6.6\r\n", nullptr},
        {"::ffff:0.0.0.0/95", "X-Forwarded-For: 6.6.6.6\r\n", nullptr},
    };
    for (const auto& c : cases) {
        WebServerProcess server({"--trust-proxy", c.trust});
        if (c.caller == nullptr) {
            EXPECT_FALSE(server.running()) << c.trust << " was taken";
            continue;
        }
        ASSERT_TRUE(server.running()) << server.error();
        Raw raw(server.port());
        ASSERT_TRUE(raw.send("GET /ip.shtml HTTP/1.1\r\nHost: x\r\n" + c.headers + "Connection: close\r\n\r\n"));
        std::string response = raw.receive();
        EXPECT_EQ(response.substr(response.find("\r\n\r\n") + 4), c.caller) << c.trust << "\n" << c.headers;
    }
}
