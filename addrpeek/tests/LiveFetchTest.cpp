// The public-address fetch over real HTTP on 127.0.0.1, through the Linux
// download, files and environment: against the shipped product web server,
// a page whose body ends in a line end, and a server that is down.
#include <gtest/gtest.h>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

#include "addrpeek/Monitor.h"
#include "fakes/FakePlatform.h"
#include "internet/server/testing/WebServerProcess.h"
#include "platform/linux/CurlDownload.h"
#include "platform/linux/LinuxEnvironment.h"
#include "platform/linux/LinuxFiles.h"

namespace addrpeek {
namespace {

// Answers one request on a free port of 127.0.0.1 with a fixed body.
class OnePageServer {
public:
    explicit OnePageServer(std::string body) : body_(std::move(body)) {
        fd_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t len = sizeof addr;
        if (bind(fd_, reinterpret_cast<sockaddr*>(&addr), len) != 0 || listen(fd_, 4) != 0) return;
        getsockname(fd_, reinterpret_cast<sockaddr*>(&addr), &len);
        port_ = ntohs(addr.sin_port);
        thread_ = std::thread([this] { serve(); });
    }
    ~OnePageServer() {
        shutdown(fd_, SHUT_RDWR);
        close(fd_);
        if (thread_.joinable()) thread_.join();
    }
    std::string baseUrl() const { return "http://127.0.0.1:" + std::to_string(port_); }
    int port() const { return port_; }

private:
    void serve() {
        int client = accept(fd_, nullptr, nullptr);
        if (client < 0) return;
        timeval limit{5, 0};
        setsockopt(client, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
        std::string request;
        char buffer[1024];
        ssize_t n;
        while (request.find("\r\n\r\n") == std::string::npos && (n = read(client, buffer, sizeof buffer)) > 0)
            request.append(buffer, static_cast<std::size_t>(n));
        std::string reply = "HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\nContent-Length: " +
                            std::to_string(body_.size()) + "\r\nConnection: close\r\n\r\n" + body_;
        (void)!write(client, reply.data(), reply.size());
        close(client);
    }

    std::string body_;
    int fd_ = -1;
    int port_ = 0;
    std::thread thread_;
};

// The monitor over the real files, environment and download, with a private TEMP.
struct LiveFetch : testing::Test {
    std::filesystem::path temp;
    fakes::FakePlatform fake;
    platform::linux_backend::LinuxFiles files;
    platform::linux_backend::LinuxEnvironment env;
    platform::linux_backend::CurlDownload download;
    platform::Platform p{files, fake.processes, env, fake.session, fake.clipboard, fake.dialogs, fake.system, download,
                         fake.shell};
    MonitorForm form;

    void SetUp() override {
        char pattern[] = "/tmp/addrpeek-fetch-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        temp = pattern;
        setenv("TEMP", pattern, 1);
    }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(temp, ignored);
    }

    std::string fetchFrom(const std::string& base) {
        Monitor m{form, p, base, {}};
        wireMonitor(m);
        return fetchPublicAddress(m);
    }
    bool leftovers() const { return !std::filesystem::is_empty(temp); }
};

TEST_F(LiveFetch, ShippedServerAnswersWithTheCallersAddress) {
    webserver_testing::WebServerProcess server;
    ASSERT_TRUE(server.running()) << server.error();
    EXPECT_EQ(fetchFrom(server.baseUrl()), "127.0.0.1");
    EXPECT_FALSE(leftovers());
}

TEST_F(LiveFetch, PageBodiesAreKeptWhole) {
    struct Case {
        const char* body;
    } cases[] = {{"203.0.113.9\r\n"}, {"203.0.113.9\n"}, {""}, {"  198.51.100.4 ~ more"}};
    for (const auto& c : cases) {
        OnePageServer server(c.body);
        ASSERT_GT(server.port(), 0);
        EXPECT_EQ(fetchFrom(server.baseUrl()), c.body);
        EXPECT_FALSE(leftovers()) << c.body;
    }
}

TEST_F(LiveFetch, ServerDownGivesCannotAcquireAndTheStatusFollows) {
    std::string base;
    {
        webserver_testing::WebServerProcess server;
        ASSERT_TRUE(server.running()) << server.error();
        base = server.baseUrl();
        EXPECT_EQ(fetchFrom(base), "127.0.0.1");
    }
    // The same address with the server stopped, through F6 and the timer tick.
    Monitor m{form, p, base, {}};
    wireMonitor(m);
    form.delay.setText("1");
    form.mnupublic.click();
    EXPECT_EQ(form.Label14.caption(), "Checking Internet Connection ...");
    form.Timer1.tick();
    EXPECT_EQ(form.Text2.text(), "Cannot Acquire");
    EXPECT_EQ(form.Label14.caption(), "No Internet Connection");
    EXPECT_EQ(form.List2.items().back(), "Public IP      Cannot Acquire");
    EXPECT_FALSE(leftovers());
}

}  // namespace
}  // namespace addrpeek
