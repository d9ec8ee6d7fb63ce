#include "internet/server/HttpService.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <microhttpd.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <strings.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

#include "internet/server/RequestLog.h"
#include "internet/server/SiteFolder.h"

namespace webserver {

namespace {

long long nowMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// One open connection, for the request deadline. waitingSince is when the
// connection began to wait for its next request head (milliseconds of the
// steady clock), 0 while a request is being answered.
struct Connection {
    int fd = -1;
    std::atomic<long long> waitingSince{0};
    Connection* prev = nullptr;
    Connection* next = nullptr;
};

// A request's progress, kept in its context: checked on the first call and
// waiting for the second; answered, so any later call would carry body bytes.
char checkedMark;
char answeredMark;

// Connections one address may hold at once (at most a quarter of all).
constexpr unsigned kPerAddressConnections = 256;

std::string peerText(const sockaddr* addr) {
    char text[INET6_ADDRSTRLEN] = "";
    if (addr == nullptr) return text;
    if (addr->sa_family == AF_INET) {
        inet_ntop(AF_INET, &reinterpret_cast<const sockaddr_in*>(addr)->sin_addr, text, sizeof text);
    } else if (addr->sa_family == AF_INET6) {
        const in6_addr& a6 = reinterpret_cast<const sockaddr_in6*>(addr)->sin6_addr;
        if (IN6_IS_ADDR_V4MAPPED(&a6)) inet_ntop(AF_INET, a6.s6_addr + 12, text, sizeof text);
        else inet_ntop(AF_INET6, &a6, text, sizeof text);
    }
    return text;
}

struct HeadSize {
    std::size_t lines = 0;
    std::size_t bytes = 0;
};

MHD_Result countHeader(void* cls, MHD_ValueKind, const char* key, const char* value) {
    auto* size = static_cast<HeadSize*>(cls);
    ++size->lines;
    size->bytes += std::strlen(key) + (value ? std::strlen(value) : 0) + 4;  // ": " and CR LF
    return MHD_YES;
}

// Every X-Forwarded-For line, in order, as one list.
MHD_Result joinForwardedFor(void* cls, MHD_ValueKind, const char* key, const char* value) {
    if (key == nullptr || strcasecmp(key, "X-Forwarded-For") != 0) return MHD_YES;
    auto* list = static_cast<std::string*>(cls);
    if (!list->empty()) *list += ", ";
    *list += value ? value : "";
    return MHD_YES;
}

}  // namespace

struct HttpService::State {
    const ServerOptions& options;
    const SiteFolder& site;
    RequestLog& log;
    MHD_Daemon* daemon = nullptr;
    int listenFd = -1;
    int port = 0;

    std::mutex connectionsMutex;
    Connection* connections = nullptr;
    unsigned openConnections = 0;
    unsigned connectionLimit = 0;

    std::mutex sweepMutex;
    std::condition_variable sweepWake;
    bool sweeping = false;
    std::thread sweeper;

    State(const ServerOptions& o, const SiteFolder& s, RequestLog& l) : options(o), site(s), log(l) {}

    MHD_Result answer(MHD_Connection* c, const char* method, const std::string& path, const std::string& peer,
                      int status, MHD_Response* response, std::uint64_t bytes) {
        MHD_Result queued = MHD_queue_response(c, static_cast<unsigned>(status), response);
        MHD_destroy_response(response);
        log.add(peer, method, path, status, bytes);
        return queued;
    }

    MHD_Result answerText(MHD_Connection* c, const char* method, const std::string& path, const std::string& peer,
                          int status, const std::string& type, const std::string& body, bool noStore,
                          bool close) {
        MHD_Response* response =
            MHD_create_response_from_buffer(body.size(), const_cast<char*>(body.data()), MHD_RESPMEM_MUST_COPY);
        if (response == nullptr) return MHD_NO;
        MHD_add_response_header(response, MHD_HTTP_HEADER_CONTENT_TYPE, type.c_str());
        if (noStore) MHD_add_response_header(response, MHD_HTTP_HEADER_CACHE_CONTROL, "no-store");
        if (status == MHD_HTTP_METHOD_NOT_ALLOWED) MHD_add_response_header(response, MHD_HTTP_HEADER_ALLOW, "GET, HEAD");
        if (close) MHD_add_response_header(response, MHD_HTTP_HEADER_CONNECTION, "close");
        return answer(c, method, path, peer, status, response, body.size());
    }

    // libmicrohttpd calls this once the request head is in, then again once
    // its body is (at once, for a request without one). An answer queued on
    // the first call closes the connection after it, without reading the
    // body: refusals go out then; plain requests are answered on the second
    // call, which keeps the connection open for the next request.
    MHD_Result onRequest(MHD_Connection* c, const char* url, const char* method, std::size_t* uploadBytes,
                         void** requestContext) {
        if (*requestContext == &answeredMark) return MHD_NO;  // body bytes after the answer: cut
        bool first = *requestContext != &checkedMark;
        if (first) {
            auto* socketInfo = MHD_get_connection_info(c, MHD_CONNECTION_INFO_SOCKET_CONTEXT);
            if (socketInfo != nullptr && socketInfo->socket_context != nullptr)
                static_cast<Connection*>(socketInfo->socket_context)->waitingSince.store(0, std::memory_order_relaxed);
        } else if (*uploadBytes != 0) {
            return MHD_NO;  // never reached: a request with a body is answered on the first call
        }
        std::size_t uriBytes =
            *requestContext != nullptr && first ? reinterpret_cast<std::uintptr_t>(*requestContext) - 1 : std::strlen(url);

        auto* addressInfo = MHD_get_connection_info(c, MHD_CONNECTION_INFO_CLIENT_ADDRESS);
        std::string peer = peerText(addressInfo ? addressInfo->client_addr : nullptr);
        std::string path = url;
        const std::string text = "text/plain; charset=utf-8";

        if (first) {
            bool head = std::strcmp(method, MHD_HTTP_METHOD_HEAD) == 0;
            if (!head && std::strcmp(method, MHD_HTTP_METHOD_GET) != 0) {
                *requestContext = &answeredMark;
                return answerText(c, method, path, peer, MHD_HTTP_METHOD_NOT_ALLOWED, text, "Only GET and HEAD.\n",
                                  false, true);
            }
            HeadSize size;
            size.bytes = std::strlen(method) + 1 + uriBytes + 1 + 8 + 2 + 2;  // request line, blank line
            MHD_get_connection_values(c, MHD_HEADER_KIND, countHeader, &size);
            if (size.lines > kMaxHeaderLines || size.bytes > kMaxHeadBytes) {
                *requestContext = &answeredMark;
                return answerText(c, method, path, peer, MHD_HTTP_REQUEST_HEADER_FIELDS_TOO_LARGE, text,
                                  "Request head too large.\n", false, true);
            }
            const char* length = MHD_lookup_connection_value(c, MHD_HEADER_KIND, MHD_HTTP_HEADER_CONTENT_LENGTH);
            bool body = MHD_lookup_connection_value(c, MHD_HEADER_KIND, MHD_HTTP_HEADER_TRANSFER_ENCODING) != nullptr ||
                        (length != nullptr && std::strcmp(length, "0") != 0);
            if (!body) {
                *requestContext = &checkedMark;
                return MHD_YES;
            }
        }
        *requestContext = &answeredMark;

        std::string forwarded;
        if (!options.trustedProxies.empty()) MHD_get_connection_values(c, MHD_HEADER_KIND, joinForwardedFor, &forwarded);
        std::string caller = callerAddress(peer, forwarded, options.trustedProxies);
        if (auto reply = fetchedResource(path, caller, options.texts))
            return answerText(c, method, path, peer, reply->status, reply->contentType, reply->body, true, false);

        if (auto name = siteFileName(path)) {
            if (auto file = site.openFile(*name)) {
                MHD_Response* response = MHD_create_response_from_fd64(file->size, file->fd);
                if (response == nullptr) {
                    ::close(file->fd);
                    return MHD_NO;
                }
                MHD_add_response_header(response, MHD_HTTP_HEADER_CONTENT_TYPE, contentTypeFor(*name).c_str());
                return answer(c, method, path, peer, MHD_HTTP_OK, response, file->size);
            }
        }
        return answerText(c, method, path, peer, MHD_HTTP_NOT_FOUND, "text/html; charset=utf-8", notFoundPage(path),
                          false, false);
    }

    void onConnection(MHD_Connection* c, void** socketContext, MHD_ConnectionNotificationCode code) {
        if (code == MHD_CONNECTION_NOTIFY_STARTED) {
            auto* conn = new Connection;
            auto* info = MHD_get_connection_info(c, MHD_CONNECTION_INFO_CONNECTION_FD);
            conn->fd = info ? info->connect_fd : -1;
            conn->waitingSince.store(nowMs());
            // Answers go out at once rather than wait for the peer's acknowledgement.
            int yes = 1;
            if (conn->fd >= 0) setsockopt(conn->fd, IPPROTO_TCP, TCP_NODELAY, &yes, sizeof yes);
            std::lock_guard<std::mutex> lock(connectionsMutex);
            conn->next = connections;
            if (connections) connections->prev = conn;
            connections = conn;
            ++openConnections;
            *socketContext = conn;
            return;
        }
        auto* conn = static_cast<Connection*>(*socketContext);
        if (conn == nullptr) return;
        {
            // The socket is still open here: the sweeper, holding the same
            // lock, never touches a descriptor that was closed and reused.
            std::lock_guard<std::mutex> lock(connectionsMutex);
            if (conn->prev) conn->prev->next = conn->next;
            else connections = conn->next;
            if (conn->next) conn->next->prev = conn->prev;
            --openConnections;
        }
        *socketContext = nullptr;
        delete conn;
    }

    void onCompleted(MHD_Connection* c) {
        auto* info = MHD_get_connection_info(c, MHD_CONNECTION_INFO_SOCKET_CONTEXT);
        if (info != nullptr && info->socket_context != nullptr)
            static_cast<Connection*>(info->socket_context)->waitingSince.store(nowMs(), std::memory_order_relaxed);
    }

    // Cuts connections that have waited too long for a request head, and,
    // once nine in ten of the allowed connections are open, the ones that
    // have waited longest, until seven in ten are left: requests being
    // answered are never cut, idle ones make room for new callers.
    void sweep() {
        const long long limit = static_cast<long long>(options.requestTimeout) * 1000;
        const unsigned crowded = connectionLimit - connectionLimit / 10, relieved = connectionLimit / 10 * 7;
        std::unique_lock<std::mutex> wait(sweepMutex);
        std::vector<std::pair<long long, Connection*>> idle;
        while (sweeping) {
            sweepWake.wait_for(wait, std::chrono::milliseconds(200));
            long long now = nowMs();
            std::lock_guard<std::mutex> lock(connectionsMutex);
            idle.clear();
            unsigned open = openConnections;
            for (Connection* conn = connections; conn != nullptr; conn = conn->next) {
                long long since = conn->waitingSince.load(std::memory_order_relaxed);
                if (since == 0 || conn->fd < 0) continue;
                if (now - since > limit) {
                    ::shutdown(conn->fd, SHUT_RDWR);
                    conn->waitingSince.store(0, std::memory_order_relaxed);
                    --open;
                } else if (open >= crowded) {
                    idle.emplace_back(since, conn);
                }
            }
            if (open < crowded) continue;
            std::sort(idle.begin(), idle.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
            for (auto& [since, conn] : idle) {
                if (open <= relieved) break;
                ::shutdown(conn->fd, SHUT_RDWR);
                conn->waitingSince.store(0, std::memory_order_relaxed);
                --open;
            }
        }
    }
};

namespace {

MHD_Result onRequestThunk(void* cls, MHD_Connection* c, const char* url, const char* method, const char*,
                          const char*, size_t* uploadBytes, void** requestContext) {
    return static_cast<HttpService::State*>(cls)->onRequest(c, url, method, uploadBytes, requestContext);
}

void* onUriThunk(void*, const char* uri, MHD_Connection*) {
    // The raw request target's length, carried to the handler in its context.
    return reinterpret_cast<void*>(static_cast<std::uintptr_t>(std::strlen(uri)) + 1);
}

void onConnectionThunk(void* cls, MHD_Connection* c, void** socketContext, MHD_ConnectionNotificationCode code) {
    static_cast<HttpService::State*>(cls)->onConnection(c, socketContext, code);
}

void onCompletedThunk(void* cls, MHD_Connection* c, void**, MHD_RequestTerminationCode) {
    static_cast<HttpService::State*>(cls)->onCompleted(c);
}

// A listening socket on the address and port: no shared port, so a second
// server on a busy port fails rather than take half of the requests.
int listenOn(const std::string& bind, int port, std::string& error) {
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_PASSIVE | AI_NUMERICSERV;
    addrinfo* found = nullptr;
    std::string service = std::to_string(port);
    int rc = getaddrinfo(bind.c_str(), service.c_str(), &hints, &found);
    if (rc != 0) {
        error = "cannot listen on " + bind + ": " + gai_strerror(rc);
        return -1;
    }
    int fd = -1;
    for (addrinfo* a = found; a != nullptr && fd < 0; a = a->ai_next) {
        fd = socket(a->ai_family, a->ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, a->ai_protocol);
        if (fd < 0) continue;
        int yes = 1;
        setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
        if (a->ai_family == AF_INET6) setsockopt(fd, IPPROTO_IPV6, IPV6_V6ONLY, &yes, sizeof yes);
        if (::bind(fd, a->ai_addr, a->ai_addrlen) != 0 || listen(fd, 1024) != 0) {
            ::close(fd);
            fd = -1;
        }
    }
    freeaddrinfo(found);
    if (fd < 0)
        error = "cannot listen on " + bind + " port " + std::to_string(port) +
                " (in use, not an address of this machine, or not allowed)";
    return fd;
}

}  // namespace

HttpService::HttpService(const ServerOptions& options, const SiteFolder& site, RequestLog& log)
    : state_(std::make_unique<State>(options, site, log)) {}

HttpService::~HttpService() { stop(); }

int HttpService::port() const { return state_->port; }

std::string HttpService::start() {
    State& s = *state_;
    std::string error;
    s.listenFd = listenOn(s.options.bind, s.options.port, error);
    if (s.listenFd < 0) return error;
    sockaddr_storage bound{};
    socklen_t length = sizeof bound;
    getsockname(s.listenFd, reinterpret_cast<sockaddr*>(&bound), &length);
    s.port = ntohs(bound.ss_family == AF_INET6 ? reinterpret_cast<sockaddr_in6*>(&bound)->sin6_port
                                               : reinterpret_cast<sockaddr_in*>(&bound)->sin_port);

    // Every connection is a descriptor: take what the system allows.
    rlimit files{};
    if (getrlimit(RLIMIT_NOFILE, &files) == 0 && files.rlim_cur < files.rlim_max) {
        files.rlim_cur = files.rlim_max;
        setrlimit(RLIMIT_NOFILE, &files);
    }
    getrlimit(RLIMIT_NOFILE, &files);
    unsigned workers = s.options.workers > 0 ? static_cast<unsigned>(s.options.workers)
                                             : std::max(1u, std::thread::hardware_concurrency());
    // Below the open-file limit, with room for the workers' own descriptors,
    // the log and the site's files; one address takes no more than its share.
    const rlim_t reserve = 64 + 4 * static_cast<rlim_t>(workers);
    const rlim_t openFiles = files.rlim_cur == RLIM_INFINITY ? 65536 : files.rlim_cur;
    unsigned connectionLimit =
        static_cast<unsigned>(openFiles > reserve + 32 ? std::min<rlim_t>(openFiles - reserve, 60000) : std::max<rlim_t>(openFiles / 2, 1));
    unsigned perAddressLimit = std::max(1u, std::min(kPerAddressConnections, connectionLimit / 4));
    s.connectionLimit = connectionLimit;
    unsigned flags = MHD_USE_EPOLL_INTERNAL_THREAD | MHD_USE_TURBO;
    s.daemon = MHD_start_daemon(
        flags, 0, nullptr, nullptr, onRequestThunk, &s,
        MHD_OPTION_LISTEN_SOCKET, s.listenFd,
        MHD_OPTION_THREAD_POOL_SIZE, workers,
        MHD_OPTION_CONNECTION_LIMIT, connectionLimit,
        MHD_OPTION_PER_IP_CONNECTION_LIMIT, perAddressLimit,
        // Room for a request head of kMaxHeadBytes and what is kept of it.
        MHD_OPTION_CONNECTION_MEMORY_LIMIT, static_cast<size_t>(kMaxHeadBytes * 2),
        MHD_OPTION_CONNECTION_TIMEOUT, static_cast<unsigned>(s.options.requestTimeout),
        MHD_OPTION_URI_LOG_CALLBACK, onUriThunk, &s,
        MHD_OPTION_NOTIFY_CONNECTION, onConnectionThunk, &s,
        MHD_OPTION_NOTIFY_COMPLETED, onCompletedThunk, &s,
        MHD_OPTION_LISTEN_BACKLOG_SIZE, 1024u,
        MHD_OPTION_END);
    if (s.daemon == nullptr) {
        ::close(s.listenFd);
        s.listenFd = -1;
        return "cannot start the HTTP service on " + s.options.bind;
    }
    s.sweeping = true;
    s.sweeper = std::thread([&s] { s.sweep(); });
    return {};
}

void HttpService::stop() {
    State& s = *state_;
    if (s.sweeper.joinable()) {
        {
            std::lock_guard<std::mutex> lock(s.sweepMutex);
            s.sweeping = false;
        }
        s.sweepWake.notify_one();
        s.sweeper.join();
    }
    if (s.daemon != nullptr) {
        MHD_stop_daemon(s.daemon);  // closes the listening socket too
        s.daemon = nullptr;
        s.listenFd = -1;
    }
    if (s.listenFd >= 0) {
        ::close(s.listenFd);
        s.listenFd = -1;
    }
}

}  // namespace webserver
