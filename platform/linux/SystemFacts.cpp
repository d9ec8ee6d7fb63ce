#include "platform/linux/SystemFacts.h"

#include <sstream>

#include "platform/linux/TextValues.h"

namespace platform::linux_backend {

namespace {

// A shell-style value: double quotes allow backslash escapes, single quotes
// none.
std::string unquote(const std::string& v) {
    if (v.size() < 2 || (v.front() != '"' && v.front() != '\'') || v.back() != v.front()) return v;
    std::string inner = v.substr(1, v.size() - 2);
    if (v.front() == '\'') return inner;
    std::string out;
    for (std::size_t i = 0; i < inner.size(); ++i) {
        if (inner[i] == '\\' && i + 1 < inner.size()) ++i;
        out += inner[i];
    }
    return out;
}

}  // namespace

std::string prettyName(std::string_view osRelease) {
    std::istringstream in{std::string(osRelease)};
    for (std::string line; std::getline(in, line);) {
        line = trim(line);
        if (line.rfind("PRETTY_NAME=", 0) == 0) return unquote(line.substr(12));
    }
    return "Linux";
}

std::vector<std::string> cpuModelNames(std::string_view cpuinfo) {
    std::vector<std::string> names;
    std::istringstream in{std::string(cpuinfo)};
    for (std::string line; std::getline(in, line);) {
        auto colon = line.find(':');
        if (colon == std::string::npos || trim(std::string_view(line).substr(0, colon)) != "model name") continue;
        names.push_back(trim(std::string_view(line).substr(colon + 1)));
    }
    return names;
}

}  // namespace platform::linux_backend
