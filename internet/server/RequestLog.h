// The request log: one line a request on a file descriptor (standard output),
// gathered in memory and written by a thread of its own, so a slow reader of
// the log never holds up an answer. What the reader cannot take in time is
// dropped and counted rather than kept, so memory stays bounded.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>

namespace webserver {

// Text from a request made safe for one log line: control characters, DEL,
// bytes above 127, '"' and '\' become \xHH, so a path can neither break the
// line nor forge one nor steer a terminal.
std::string escapedForLog(std::string_view text);

class RequestLog {
public:
    explicit RequestLog(int fd, std::size_t maxPending = 1 << 20);
    ~RequestLog();  // writes what is pending
    RequestLog(const RequestLog&) = delete;
    RequestLog& operator=(const RequestLog&) = delete;

    // "2026-12-07 13:14:15 PEER \"METHOD PATH\" STATUS BYTES"; method and path escaped.
    void add(std::string_view peer, std::string_view method, std::string_view path, int status, std::uint64_t bytes);
    // A line of the server's own, written at once with what is pending.
    void note(const std::string& line);

private:
    void run();
    void writeOut(const std::string& text);
    const std::string& timestamp();  // under mutex_

    int fd_;
    std::size_t maxPending_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::string pending_;
    std::uint64_t dropped_ = 0;
    bool stopping_ = false;
    long long stampSecond_ = -1;
    std::string stamp_;
    std::mutex writeMutex_;
    std::thread writer_;
};

}  // namespace webserver
