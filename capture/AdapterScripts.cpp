#include "capture/AdapterScripts.h"

namespace capture {

std::string pingDnsSuffix(int which) { return "pingdns" + std::to_string(which) + ".bat"; }

ScriptFile framedScript(std::string name, std::string_view title, std::string_view command) {
    return {std::move(name),
            {"@echo off", kHyphenLine, "@echo " + std::string(title), kHyphenLine, std::string(command), kHyphenLine,
             "@pause"}};
}

bool interpreterSpecial(char c) {
    const auto u = static_cast<unsigned char>(c);
    return u < 0x20 || u == 0x7F || std::string_view("&|<>^%\"").find(c) != std::string_view::npos;
}

bool holdsInterpreterSpecial(std::string_view text) {
    for (char c : text)
        if (interpreterSpecial(c)) return true;
    return false;
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

std::optional<ScriptFile> pingGatewayScript(int adapter, std::string_view gateway) {
    if (holdsInterpreterSpecial(gateway)) return std::nullopt;
    auto n = std::to_string(adapter);
    return framedScript(n + kPingGatewaySuffix, "Ping default Gateway / Router for Adapter (" + n + ")",
                        "ping " + std::string(gateway));
}

std::optional<ScriptFile> pingDnsScript(int adapter, int which, std::string_view server) {
    if (holdsInterpreterSpecial(server)) return std::nullopt;
    auto n = std::to_string(adapter);
    auto w = std::to_string(which);
    return framedScript(n + pingDnsSuffix(which), "Ping DNS " + w + " for Adapter (" + n + ")",
                        "ping " + std::string(server));
}

}  // namespace capture
