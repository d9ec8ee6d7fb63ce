#include "capture/AdapterScripts.h"

namespace capture {

namespace {

ScriptFile framedPing(std::string name, std::string title, std::string_view target) {
    return {std::move(name),
            {"@echo off", kHyphenLine, "@echo " + title, kHyphenLine, "ping " + std::string(target), kHyphenLine,
             "@pause"}};
}

}  // namespace

ScriptFile releaseScript(int adapter, std::string_view shortName) {
    return {std::to_string(adapter) + "release.bat", {"ipconfig /release *" + std::string(shortName) + "*"}};
}

ScriptFile renewScript(int adapter, std::string_view shortName) {
    return {std::to_string(adapter) + "renew.bat", {"ipconfig /renew *" + std::string(shortName) + "*"}};
}

ScriptFile pingGatewayScript(int adapter, std::string_view gateway) {
    auto n = std::to_string(adapter);
    return framedPing(n + "pinggateway.bat", "Ping default Gateway / Router for Adapter (" + n + ")", gateway);
}

ScriptFile pingDnsScript(int adapter, int which, std::string_view server) {
    auto n = std::to_string(adapter);
    auto w = std::to_string(which);
    return framedPing(n + "pingdns" + w + ".bat", "Ping DNS " + w + " for Adapter (" + n + ")", server);
}

}  // namespace capture
