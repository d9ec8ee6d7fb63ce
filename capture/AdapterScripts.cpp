#include "capture/AdapterScripts.h"

namespace capture {

std::string pingDnsSuffix(int which) { return "pingdns" + std::to_string(which) + ".bat"; }

ScriptFile framedScript(std::string name, std::string_view title, std::string_view command) {
    return {std::move(name),
            {"@echo off", kHyphenLine, "@echo " + std::string(title), kHyphenLine, std::string(command), kHyphenLine,
             "@pause"}};
}

ScriptFile releaseScript(int adapter, std::string_view shortName) {
    return {std::to_string(adapter) + kReleaseSuffix, {"ipconfig /release *" + std::string(shortName) + "*"}};
}

ScriptFile renewScript(int adapter, std::string_view shortName) {
    return {std::to_string(adapter) + kRenewSuffix, {"ipconfig /renew *" + std::string(shortName) + "*"}};
}

ScriptFile pingGatewayScript(int adapter, std::string_view gateway) {
    auto n = std::to_string(adapter);
    return framedScript(n + kPingGatewaySuffix, "Ping default Gateway / Router for Adapter (" + n + ")",
                        "ping " + std::string(gateway));
}

ScriptFile pingDnsScript(int adapter, int which, std::string_view server) {
    auto n = std::to_string(adapter);
    auto w = std::to_string(which);
    return framedScript(n + pingDnsSuffix(which), "Ping DNS " + w + " for Adapter (" + n + ")",
                        "ping " + std::string(server));
}

}  // namespace capture
