#include "internet/server/ServerOptions.h"

#include <charconv>

namespace webserver {

namespace {

bool parseNumber(const std::string& text, int low, int high, int& out) {
    int value = -1;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc{} || end != text.data() + text.size() || value < low || value > high) return false;
    out = value;
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
        if (arg == "--version") {
            options.version = true;
            continue;
        }
        bool takesValue = arg == "--bind" || arg == "--port" || arg == "--site" || arg == "--newest-version" ||
                          arg == "--whats-new" || arg == "--trust-proxy" || arg == "--request-timeout" ||
                          arg == "--workers" || arg == "--write-resources";
        if (!takesValue) return "unknown option: " + arg;
        if (i + 1 >= args.size()) return arg + " needs a value";
        const std::string& value = args[++i];
        if (arg == "--bind") {
            if (value.empty()) return "--bind needs an address";
            options.bind = value;
        } else if (arg == "--port") {
            if (!parseNumber(value, 0, 65535, options.port))
                return "--port needs a number from 0 to 65535, not \"" + value + "\"";
        } else if (arg == "--site") {
            if (value.empty()) return "--site needs a folder";
            options.site = value;
        } else if (arg == "--newest-version") {
            options.texts.newestVersion = value;
        } else if (arg == "--whats-new") {
            options.texts.whatsNew = value;
        } else if (arg == "--trust-proxy") {
            if (!options.trustedProxies.add(value))
                return "--trust-proxy needs an address or ADDRESS/BITS (a mapped ::ffff:a.b.c.d/BITS with BITS of 96 "
                       "or more), not \"" + value + "\"";
        } else if (arg == "--request-timeout") {
            if (!parseNumber(value, 1, 3600, options.requestTimeout))
                return "--request-timeout needs seconds from 1 to 3600, not \"" + value + "\"";
        } else if (arg == "--workers") {
            if (!parseNumber(value, 1, 64, options.workers))
                return "--workers needs a number from 1 to 64, not \"" + value + "\"";
        } else {
            if (value.empty()) return "--write-resources needs a folder";
            options.writeResources = value;
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
           "  --trust-proxy ADDRESS[/BITS]\n"
           "                          a proxy whose X-Forwarded-For names the caller;\n"
           "                          repeat for more (default: none, the header is ignored)\n"
           "  --request-timeout S     seconds a connection has to send each request head,\n"
           "                          idle time included (default 10)\n"
           "  --workers N             event threads (default: one a processor)\n"
           "  --write-resources FOLDER\n"
           "                          write the version and what's-new files and the\n"
           "                          settings nginx or Apache httpd need into FOLDER, from\n"
           "                          the options above, and end\n"
           "  --version               the version, and end\n"
           "  -h, --help              this text\n"
           "\n"
           "The first line on standard output names the address it listens on; then one\n"
           "line a request. SIGTERM or SIGINT stops it.\n";
}

}  // namespace webserver
