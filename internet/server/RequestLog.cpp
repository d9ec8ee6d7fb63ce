#include "internet/server/RequestLog.h"

#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <ctime>

namespace webserver {

std::string escapedForLog(std::string_view text) {
    static const char hex[] = "0123456789abcdef";
    std::string out;
    out.reserve(text.size());
    for (char ch : text) {
        auto c = static_cast<unsigned char>(ch);
        if (c < 0x20 || c >= 0x7f || c == '"' || c == '\\') {
            out += "\\x";
            out += hex[c >> 4];
            out += hex[c & 15];
        } else {
            out += ch;
        }
    }
    return out;
}

RequestLog::RequestLog(int fd, std::size_t maxPending) : fd_(fd), maxPending_(maxPending) {
    writer_ = std::thread([this] { run(); });
}

RequestLog::~RequestLog() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_one();
    writer_.join();
}

const std::string& RequestLog::timestamp() {
    std::time_t now = std::time(nullptr);
    if (now != stampSecond_) {
        std::tm local{};
        localtime_r(&now, &local);
        char text[32];
        std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
        stamp_ = text;
        stampSecond_ = now;
    }
    return stamp_;
}

void RequestLog::add(std::string_view peer, std::string_view method, std::string_view path, int status,
                     std::uint64_t bytes) {
    std::string line;
    line.reserve(64 + path.size());
    line.append(peer).append(" \"").append(escapedForLog(method)).append(" ").append(escapedForLog(path));
    line.append("\" ").append(std::to_string(status)).append(" ").append(std::to_string(bytes)).append("\n");
    std::lock_guard<std::mutex> lock(mutex_);
    if (pending_.size() + line.size() > maxPending_) {
        ++dropped_;
        return;
    }
    pending_.append(timestamp()).append(" ").append(line);
}

void RequestLog::note(const std::string& line) {
    std::string text;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        text.swap(pending_);
    }
    std::lock_guard<std::mutex> order(writeMutex_);
    writeOut(text + line + "\n");
}

void RequestLog::run() {
    std::unique_lock<std::mutex> lock(mutex_);
    while (true) {
        wake_.wait_for(lock, std::chrono::milliseconds(100));
        std::string text;
        text.swap(pending_);
        if (dropped_ > 0) {
            text += std::to_string(dropped_) + " log lines dropped: the log was not read fast enough\n";
            dropped_ = 0;
        }
        bool last = stopping_;
        lock.unlock();
        {
            std::lock_guard<std::mutex> order(writeMutex_);
            writeOut(text);
        }
        if (last) return;
        lock.lock();
    }
}

void RequestLog::writeOut(const std::string& text) {
    std::size_t done = 0;
    while (done < text.size()) {
        ssize_t n = ::write(fd_, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return;  // a closed log loses its lines, never the server
        done += static_cast<std::size_t>(n);
    }
}

}  // namespace webserver
