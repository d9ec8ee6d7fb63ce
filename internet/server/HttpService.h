// The product web server's HTTP side, on GNU libmicrohttpd: event threads
// (epoll) that each serve many connections, so idle keep-alive connections
// and slow senders hold no thread. What it enforces on every connection:
//   - GET and HEAD only: anything else gets 405 and the connection closes
//     without a byte of its body read;
//   - a request head of at most kMaxHeadBytes and kMaxHeaderLines lines
//     (431 otherwise);
//   - each request head must arrive in full within the request time-out,
//     counted from the opening of the connection or the previous answer
//     (idle keep-alive time included); a connection that misses it is cut.
#pragma once

#include <memory>
#include <string>

#include "internet/server/ServerOptions.h"

namespace webserver {

inline constexpr std::size_t kMaxHeadBytes = 8192;
inline constexpr std::size_t kMaxHeaderLines = 100;

class RequestLog;
class SiteFolder;

class HttpService {
public:
    HttpService(const ServerOptions& options, const SiteFolder& site, RequestLog& log);
    ~HttpService();  // stops
    HttpService(const HttpService&) = delete;
    HttpService& operator=(const HttpService&) = delete;

    // Listens on the options' address and port; empty on success, else why not.
    std::string start();
    int port() const;
    // Closes every connection and ends the threads.
    void stop();

    struct State;

private:
    std::unique_ptr<State> state_;
};

}  // namespace webserver
