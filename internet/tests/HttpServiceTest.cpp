// The HTTP side of the product web server in this process, with every
// close(2) counted: a descriptor closed twice may take with it one that
// another thread has opened under the same number in between.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <atomic>

#include "internet/server/HttpService.h"
#include "internet/server/RequestLog.h"
#include "internet/server/SiteFolder.h"

namespace {

constexpr int kCounted = 1024;
std::atomic<int> closes[kCounted];

// The listening socket of `port` on 127.0.0.1 among this process's descriptors.
int listeningSocket(int port) {
    for (int fd = 0; fd < kCounted; ++fd) {
        sockaddr_in a{};
        socklen_t length = sizeof a;
        int listening = 0;
        socklen_t size = sizeof listening;
        if (getsockname(fd, reinterpret_cast<sockaddr*>(&a), &length) == 0 && a.sin_family == AF_INET &&
            ntohs(a.sin_port) == port && getsockopt(fd, SOL_SOCKET, SO_ACCEPTCONN, &listening, &size) == 0 &&
            listening)
            return fd;
    }
    return -1;
}

}  // namespace

// Every close of the program and of libmicrohttpd comes here first.
extern "C" int close(int fd) {
    if (fd >= 0 && fd < kCounted) ++closes[fd];
    return static_cast<int>(syscall(SYS_close, fd));
}

TEST(HttpService, StopClosesTheListeningSocketOnce) {
    webserver::ServerOptions options;
    options.bind = "127.0.0.1";
    options.port = 0;
    options.workers = 2;
    webserver::SiteFolder site;
    webserver::RequestLog log(open("/dev/null", O_WRONLY | O_CLOEXEC));
    webserver::HttpService service(options, site, log);
    ASSERT_EQ(service.start(), "");
    const int fd = listeningSocket(service.port());
    ASSERT_GE(fd, 0);
    closes[fd] = 0;
    service.stop();
    EXPECT_EQ(closes[fd].load(), 1);
}
