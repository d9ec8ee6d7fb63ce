#include "capture/AdapterScripts.h"

#include <algorithm>

namespace capture {

namespace {

bool interpreterSpecial(char c) {
    const auto u = static_cast<unsigned char>(c);
    return u < 0x20 || u == 0x7F || std::string_view("&|<>^%\"").find(c) != std::string_view::npos;
}

}  // namespace

std::string pingDnsSuffix(int which) { return "pingdns" + std::to_string(which) + ".bat"; }

ScriptFile framedScript(std::string name, std::string_view title, std::string_view command) {
    return {std::move(name),
            {"@echo off", kHyphenLine, "@echo " + std::string(title), kHyphenLine, std::string(command), kHyphenLine,
             "@pause"}};
}

std::string adapterPattern(std::string_view shortName) {
    std::string pattern = "*";
    for (char c : shortName) pattern += interpreterSpecial(c) || c == '*' ? '?' : c;
    return pattern + "*";
}

ScriptFile releaseScript(int adapter, std::string_view shortName) {
    return {std::to_string(adapter) + kReleaseSuffix, {"ipconfig /release " + adapterPattern(shortName)}};
}

ScriptFile renewScript(int adapter, std::string_view shortName) {
    return {std::to_string(adapter) + kRenewSuffix, {"ipconfig /renew " + adapterPattern(shortName)}};
}

std::optional<std::string> pingTarget(std::string_view value) {
    if (std::none_of(value.begin(), value.end(), interpreterSpecial)) return std::string(value);
    // An IPv6 address with its zone ("fe80::1%11", trailing blanks kept):
    // the "%" is written "%%", which a script line reads as one "%".
    const auto pct = value.find('%');
    const auto end = value.find_last_not_of(' ') + 1;
    auto only = [](std::string_view s, std::string_view allowed) {
        return !s.empty() && s.find_first_not_of(allowed) == std::string_view::npos;
    };
    if (pct == std::string_view::npos || value.find(':') > pct ||
        !only(value.substr(0, pct), "0123456789abcdefABCDEF:.") ||
        !only(value.substr(pct + 1, end - pct - 1),
              "0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ._-"))
        return std::nullopt;
    std::string out(value);
    out.insert(pct, "%");
    return out;
}

std::optional<ScriptFile> pingGatewayScript(int adapter, std::string_view gateway) {
    auto target = pingTarget(gateway);
    if (!target) return std::nullopt;
    auto n = std::to_string(adapter);
    return framedScript(n + kPingGatewaySuffix, "Ping default Gateway / Router for Adapter (" + n + ")",
                        "ping " + *target);
}

std::optional<ScriptFile> pingDnsScript(int adapter, int which, std::string_view server) {
    auto target = pingTarget(server);
    if (!target) return std::nullopt;
    auto n = std::to_string(adapter);
    auto w = std::to_string(which);
    return framedScript(n + pingDnsSuffix(which), "Ping DNS " + w + " for Adapter (" + n + ")",
                        "ping " + *target);
}

}  // namespace capture
