// vorlan-webserver: the product web server, small enough for an organisation
// to host its own. Fetched resources come from ServerResources, browser pages
// from the files of its site folder.
#include <httplib.h>
#include <limits.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <iostream>
#include <sstream>
#include <thread>

#include "internet/server/ServerOptions.h"
#include "internet/server/ServerResources.h"

namespace {

// The shipped site folder: share/vorlan-webserver/site beside the program's bin folder.
std::string shippedSiteFolder() {
    char exe[PATH_MAX];
    ssize_t n = readlink("/proc/self/exe", exe, sizeof exe - 1);
    if (n <= 0) return "site";
    std::string path(exe, static_cast<std::size_t>(n));
    std::string bin = path.substr(0, path.rfind('/'));
    std::string prefix = bin.substr(0, bin.rfind('/'));
    return prefix + "/share/vorlan-webserver/site";
}

bool readFile(const std::string& path, std::string& out) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream buffer;
    buffer << in.rdbuf();
    out = buffer.str();
    return !in.bad();
}

std::string timestamp() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
    return text;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    auto parsed = webserver::parseServerOptions(args);
    if (auto* error = std::get_if<std::string>(&parsed)) {
        std::cerr << "vorlan-webserver: " << *error << "\n" << webserver::usageText("vorlan-webserver");
        return 2;
    }
    webserver::ServerOptions options = std::get<webserver::ServerOptions>(parsed);
    if (options.help) {
        std::cout << webserver::usageText("vorlan-webserver");
        return 0;
    }
    const std::string site = options.site.empty() ? shippedSiteFolder() : options.site;

    // Termination signals are taken by one thread that stops the server, so
    // the handlers of the listening threads never see them.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGINT);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
    signal(SIGPIPE, SIG_IGN);

    httplib::Server server;
    // Address reuse for quick restarts, but no shared port: a second server
    // on a busy port must fail rather than take half of the requests.
    server.set_socket_options([](socket_t sock) {
        int yes = 1;
        setsockopt(sock, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    });
    server.set_read_timeout(10);
    server.set_write_timeout(10);
    server.set_keep_alive_timeout(5);
    server.set_logger([](const httplib::Request& req, const httplib::Response& res) {
        std::printf("%s %s \"%s %s\" %d %zu\n", timestamp().c_str(), req.remote_addr.c_str(), req.method.c_str(),
                    req.path.c_str(), res.status, res.body.size());
        std::fflush(stdout);
    });
    server.Get(R"(/.*)", [&](const httplib::Request& req, httplib::Response& res) {
        std::string caller =
            webserver::callerAddress(req.remote_addr, req.get_header_value("X-Forwarded-For"), options.trustProxy);
        if (auto reply = webserver::fetchedResource(req.path, caller, options.texts)) {
            res.status = reply->status;
            res.set_header("Cache-Control", "no-store");
            res.set_content(reply->body, reply->contentType.c_str());
            return;
        }
        std::string body;
        auto name = webserver::siteFileName(req.path);
        if (name && readFile(site + "/" + *name, body)) {
            res.set_content(body, webserver::contentTypeFor(*name).c_str());
            return;
        }
        res.status = 404;
        res.set_content(webserver::notFoundPage(req.path), "text/html; charset=utf-8");
    });

    int port = options.port;
    if (port == 0) {
        port = server.bind_to_any_port(options.bind);
        if (port < 0) port = -1;
    } else if (!server.bind_to_port(options.bind, port)) {
        port = -1;
    }
    if (port <= 0) {
        std::cerr << "vorlan-webserver: cannot listen on " << options.bind << " port " << options.port
                  << " (in use, not an address of this machine, or not allowed)\n";
        return 1;
    }
    std::string host = options.bind.find(':') != std::string::npos ? "[" + options.bind + "]" : options.bind;
    std::printf("vorlan-webserver listening on http://%s:%d/ serving %s\n", host.c_str(), port, site.c_str());
    std::fflush(stdout);

    std::thread stopper([&server, stopSignals] {
        int signal = 0;
        sigwait(&stopSignals, &signal);
        server.stop();
    });
    bool ok = server.listen_after_bind();
    // The server only ends through the stopper; if it failed on its own,
    // wake the stopper so it can be joined.
    if (stopper.joinable()) {
        if (server.is_running() || !ok) pthread_kill(stopper.native_handle(), SIGTERM);
        stopper.join();
    }
    std::printf("vorlan-webserver stopped\n");
    std::fflush(stdout);
    return ok ? 0 : 1;
}
