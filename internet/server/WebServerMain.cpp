// vorlan-webserver: the product web server, small enough for an organisation
// to host its own. Fetched resources come from ServerResources, browser pages
// from the files of its site folder; HttpService carries them over HTTP.
#include <limits.h>
#include <signal.h>
#include <unistd.h>

#include <iostream>
#include <string>
#include <vector>

#include "ProgramVersion.h"
#include "internet/server/HttpService.h"
#include "internet/server/RequestLog.h"
#include "internet/server/ResourceFiles.h"
#include "internet/server/ServerOptions.h"
#include "internet/server/SiteFolder.h"

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

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    auto parsed = webserver::parseServerOptions(args);
    if (auto* error = std::get_if<std::string>(&parsed)) {
        std::cerr << "vorlan-webserver: " << *error << "\n" << webserver::usageText("vorlan-webserver");
        return 2;
    }
    const webserver::ServerOptions options = std::get<webserver::ServerOptions>(parsed);
    if (options.help) {
        std::cout << webserver::usageText("vorlan-webserver");
        return 0;
    }
    if (options.version) {
        std::cout << "vorlan-webserver " << CFGSCOPE_VERSION << "\n";
        return 0;
    }
    const std::string site = options.site.empty() ? shippedSiteFolder() : options.site;
    if (!options.writeResources.empty()) {
        std::vector<std::string> written;
        std::string error = webserver::writeResourceFiles(options.writeResources, site, options, &written);
        if (!error.empty()) {
            std::cerr << "vorlan-webserver: " << error << "\n";
            return 1;
        }
        // Say what was written, so the next steps (an engine's include lines) can name it.
        for (const auto& file : written) std::cout << "wrote " << file << "\n";
        return 0;
    }

    webserver::SiteFolder siteFolder;
    if (std::string error = siteFolder.open(site); !error.empty()) {
        std::cerr << "vorlan-webserver: cannot open the site folder " << site << ": " << error << "\n";
        return 1;
    }

    // Termination signals are taken by this thread alone: block them before
    // any other thread starts, so every thread inherits the mask.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGINT);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
    signal(SIGPIPE, SIG_IGN);

    webserver::RequestLog log(STDOUT_FILENO);
    webserver::HttpService service(options, siteFolder, log);
    if (std::string error = service.start(); !error.empty()) {
        std::cerr << "vorlan-webserver: " << error << "\n";
        return 1;
    }
    std::string host = options.bind.find(':') != std::string::npos ? "[" + options.bind + "]" : options.bind;
    log.note("vorlan-webserver listening on http://" + host + ":" + std::to_string(service.port()) + "/ serving " +
             site);

    int signal = 0;
    sigwait(&stopSignals, &signal);
    service.stop();
    log.note("vorlan-webserver stopped");
    return 0;
}
