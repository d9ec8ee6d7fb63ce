// Downloads from the product web server on 127.0.0.1, started by the test
// script beside this program (CFGSCOPE_TEST_SERVER="http://127.0.0.1:PORT";
// skipped when it is not given), and from hostile servers the test runs.
#include <gtest/gtest.h>

#include <winsock2.h>
#include <windows.h>
#include <psapi.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "platform/windows/WindowsDownload.h"
#include "platform/windows/WindowsEnvironment.h"
#include "platform/windows/WindowsFiles.h"

namespace wb = platform::windows_backend;

TEST(WindowsDownload, FromTheProductServerAndFailureKeepsTheFile) {
    const char* server = std::getenv("CFGSCOPE_TEST_SERVER");
    if (!server || !*server) GTEST_SKIP() << "CFGSCOPE_TEST_SERVER is not set";
    wb::WindowsEnvironment env;
    wb::WindowsFiles files;
    wb::WindowsDownload download;
    const std::string local = env.get("TEMP") + "\\cfgscope-download-" + std::to_string(GetCurrentProcessId()) + ".txt";

    const std::string url = std::string(server) + "/ip.shtml";
    download.removeCachedCopy(url);
    ASSERT_TRUE(download.toFile(url, local));
    auto page = files.readAll(local);
    ASSERT_TRUE(page.has_value());
    EXPECT_NE(page->find("127.0.0.1"), std::string::npos) << *page;

    EXPECT_FALSE(download.toFile("http://127.0.0.1:1/ip.shtml", local)) << "nothing listens on port 1";
    EXPECT_EQ(files.readAll(local).value_or(""), *page) << "a failed download leaves the file as it was";
    EXPECT_TRUE(files.deleteFile(local));
}

namespace {

// A server on 127.0.0.1 for hostile answers: a body of `bytes` bytes with its
// length, or (0) one that never ends, in pieces of 16 KiB as fast as the
// client reads, or of 1 KiB after `pauseMs`. It stops by itself after 256
// MiB, so a client without a limit cannot fill the disk.
class HostileServer {
public:
    HostileServer(std::size_t bytes, int pauseMs) : bytes_(bytes), pauseMs_(pauseMs) {
        WSADATA data;
        WSAStartup(MAKEWORD(2, 2), &data);
        listener_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        bind(listener_, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
        listen(listener_, 8);
        int len = sizeof addr;
        getsockname(listener_, reinterpret_cast<sockaddr*>(&addr), &len);
        port_ = ntohs(addr.sin_port);
        thread_ = std::thread([this] { serve(); });
    }
    ~HostileServer() {
        stop_ = true;
        closesocket(listener_);
        thread_.join();
        WSACleanup();
    }
    std::string url(const std::string& path) const { return "http://127.0.0.1:" + std::to_string(port_) + path; }
    std::size_t sent() const { return sent_; }

private:
    void serve() {
        while (!stop_) {
            SOCKET c = accept(listener_, nullptr, nullptr);
            if (c == INVALID_SOCKET) return;
            answer(c);
            closesocket(c);
        }
    }
    void answer(SOCKET c) {
        std::string request;
        char buf[2048];
        while (request.find("\r\n\r\n") == std::string::npos) {
            int n = recv(c, buf, sizeof buf, 0);
            if (n <= 0) return;
            request.append(buf, static_cast<std::size_t>(n));
        }
        std::string head = "HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\nConnection: close\r\n";
        if (bytes_) head += "Content-Length: " + std::to_string(bytes_) + "\r\n";
        head += "\r\n";
        send(c, head.data(), static_cast<int>(head.size()), 0);
        const std::string block(pauseMs_ ? 1024 : 16 * 1024, 'x');
        for (std::size_t done = 0; !stop_ && done < (bytes_ ? bytes_ : kGuard) && sent_ < kGuard; done += block.size()) {
            if (pauseMs_) Sleep(static_cast<DWORD>(pauseMs_));
            if (send(c, block.data(), static_cast<int>(block.size()), 0) <= 0) return;
            sent_ += block.size();
        }
    }
    static constexpr std::size_t kGuard = 256u << 20;
    std::size_t bytes_;
    int pauseMs_;
    SOCKET listener_ = INVALID_SOCKET;
    int port_ = 0;
    std::atomic<bool> stop_{false};
    std::atomic<std::size_t> sent_{0};
    std::thread thread_;
};

}  // namespace

// A 1 GiB page, a page that never ends and one that trickles: each download
// fails within the time limit, having read little, kept the windows painted
// and left no file; the process stays small.
TEST(HostileWindowsDownload, OversizedEndlessAndSlowAnswersFail) {
    wb::WindowsEnvironment env;
    const std::string local = env.get("TEMP") + "\\cfgscope-hostile-" + std::to_string(GetCurrentProcessId()) + ".txt";
    struct Case {
        const char* name;
        std::size_t bytes;
        int pauseMs;
        double limit;  // seconds
    } cases[] = {{"1 GiB", std::size_t{1} << 30, 0, 10},
                 {"never-ending", 0, 0, 10},
                 {"trickle", 0, 500, platform::kFetchTimeoutSeconds + 4.0}};
    for (const auto& c : cases) {
        HostileServer server(c.bytes, c.pauseMs);
        wb::WindowsDownload download;
        int waits = 0;
        download.whileWaiting = [&] { ++waits; };
        const DWORD start = GetTickCount();
        EXPECT_FALSE(download.toFile(server.url("/ip.shtml"), local)) << c.name;
        const double took = (GetTickCount() - start) / 1000.0;
        EXPECT_LT(took, c.limit) << c.name;
        EXPECT_LT(server.sent(), std::size_t{32} << 20) << c.name << ": read on far beyond the limit";
        if (c.pauseMs) {
            EXPECT_GT(waits, 10) << "the windows are let paint while the fetch waits";
        }
        EXPECT_EQ(GetFileAttributesA(local.c_str()), INVALID_FILE_ATTRIBUTES) << c.name;
        std::printf("%s: failed after %.1f s, %zu bytes sent\n", c.name, took, server.sent());
    }
    Sleep(500);  // a worker given up on removes its file when it ends
    WIN32_FIND_DATAA found;
    HANDLE h = FindFirstFileA((local + ".part*").c_str(), &found);
    EXPECT_EQ(h, INVALID_HANDLE_VALUE) << "a partial file stayed";
    if (h != INVALID_HANDLE_VALUE) FindClose(h);
    PROCESS_MEMORY_COUNTERS memory{};
    ASSERT_TRUE(GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory));
    std::printf("peak working set %zu KiB\n", static_cast<std::size_t>(memory.PeakWorkingSetSize / 1024));
    EXPECT_LT(memory.PeakWorkingSetSize, std::size_t{100} << 20);
}
