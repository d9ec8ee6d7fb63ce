// The product web server's command line.
#pragma once

#include <string>
#include <variant>
#include <vector>

#include "internet/server/ProxyTrust.h"
#include "internet/server/ServerResources.h"

namespace webserver {

struct ServerOptions {
    std::string bind = "127.0.0.1";  // loopback unless told otherwise
    int port = 8080;                 // 0: any free port, printed at start
    std::string site;                // empty: the site folder shipped beside the program
    ServerTexts texts;
    TrustedProxies trustedProxies;   // peers whose X-Forwarded-For names the caller
    int requestTimeout = 10;         // seconds a connection has for each request head
    int workers = 0;                 // event threads; 0: one a processor
    std::string writeResources;      // set: write the resource files for nginx or Apache there and end
    bool help = false;
    bool version = false;
};

// The options, or a message saying what is wrong with the command line.
std::variant<ServerOptions, std::string> parseServerOptions(const std::vector<std::string>& args);

std::string usageText(const std::string& program);

}  // namespace webserver
