#include "internet/server/ServerOptions.h"

#include <charconv>

namespace webserver {

namespace {

bool parsePort(const std::string& text, int& port) {
    int value = -1;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc{} || end != text.data() + text.size() || value < 0 || value > 65535) return false;
    port = value;
    return true;
}

}  // namespace

std::variant<ServerOptions, std::string> parseServerOptions(const std::vector<std::string>& args) {
    ServerOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "-h" || arg == "--help") {
            options.help = true;
            continue;
        }
        if (arg == "--trust-proxy") {
            options.trustProxy = true;
            continue;
        }
        bool takesValue = arg == "--bind" || arg == "--port" || arg == "--site" || arg == "--newest-version" ||
                          arg == "--whats-new";
        if (!takesValue) return "unknown option: " + arg;
        if (i + 1 >= args.size()) return arg + " needs a value";
        const std::string& value = args[++i];
        if (arg == "--bind") {
            if (value.empty()) return "--bind needs an address";
            options.bind = value;
        } else if (arg == "--port") {
            if (!parsePort(value, options.port)) return "--port needs a number from 0 to 65535, not \"" + value + "\"";
        } else if (arg == "--site") {
            if (value.empty()) return "--site needs a folder";
            options.site = value;
        } else if (arg == "--newest-version") {
            options.texts.newestVersion = value;
        } else {
            options.texts.whatsNew = value;
        }
    }
    return options;
}

std::string usageText(const std::string& program) {
    return "Usage: " + program +
           " [options]\n"
           "The product web server of Lanomat Std and Addrpeek: the caller's address,\n"
           "the newest version and what is new in it, and the pages the programs open.\n"
           "\n"
           "  --bind ADDRESS          address to listen on (default 127.0.0.1)\n"
           "  --port N                port (default 8080; 0 picks a free one)\n"
           "  --site FOLDER           folder of the pages (default: the one shipped with it)\n"
           "  --newest-version TEXT   newest version, major.minor.revision (default 1.03.0)\n"
           "  --whats-new TEXT        what is new in it; \"~\" breaks a line (default empty)\n"
           "  --trust-proxy           take the caller's address from X-Forwarded-For\n"
           "  -h, --help              this text\n"
           "\n"
           "The first line on standard output names the address it listens on; then one\n"
           "line a request. SIGTERM or SIGINT stops it.\n";
}

}  // namespace webserver
