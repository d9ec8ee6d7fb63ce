#include "internet/server/ServerResources.h"

#include <algorithm>

#include "internet/ServerPaths.h"

namespace webserver {

namespace {

const char* const kText = "text/plain; charset=utf-8";
const char* const kHtml = "text/html; charset=utf-8";

}  // namespace

std::optional<Reply> fetchedResource(const std::string& path, const std::string& callerAddress,
                                     const ServerTexts& texts) {
    // The main program cuts its address at "~"; the address monitor shows the
    // page whole, so "/ip.shtml" carries the address alone.
    if (path == internet::kAddressPage) return Reply{200, kText, callerAddress + "~"};
    if (path == internet::kMonitorAddressPage) return Reply{200, kText, callerAddress};
    if (path == internet::kVersionPage) return Reply{200, kText, texts.newestVersion + "~"};
    if (path == internet::kWhatsNewPage) return Reply{200, kText, texts.whatsNew};
    return std::nullopt;
}

std::optional<std::string> siteFileName(const std::string& path) {
    if (path == "/") return "index.html";
    if (path.size() < 2 || path[0] != '/' || path[1] == '.') return std::nullopt;
    std::string name = path.substr(1);
    bool plain = std::all_of(name.begin(), name.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' || c == '-' ||
               c == '_';
    });
    if (!plain) return std::nullopt;
    return name;
}

std::string notFoundPage(const std::string& path) {
    std::string shown;
    for (char c : path) {
        switch (c) {
            case '<': shown += "&lt;"; break;
            case '>': shown += "&gt;"; break;
            case '&': shown += "&amp;"; break;
            case '"': shown += "&quot;"; break;
            case '\'': shown += "&#39;"; break;
            default: shown += c;
        }
    }
    return "<!DOCTYPE html>\n<html lang=\"en\">\n<head><meta charset=\"utf-8\"><title>Not found</title></head>\n"
           "<body>\n<h1>Not found</h1>\n<p>This server holds no page " +
           shown + ".</p>\n</body>\n</html>\n";
}

std::string contentTypeFor(const std::string& fileName) {
    std::string lower = fileName;
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (lower.ends_with(".html") || lower.ends_with(".htm") || lower.ends_with(".shtml")) return kHtml;
    if (lower.ends_with(".txt")) return kText;
    if (lower.ends_with(".css")) return "text/css";
    if (lower.ends_with(".png")) return "image/png";
    if (lower.ends_with(".ico")) return "image/x-icon";
    if (lower.ends_with(".exe")) return "application/vnd.microsoft.portable-executable";
    return "application/octet-stream";
}

}  // namespace webserver
