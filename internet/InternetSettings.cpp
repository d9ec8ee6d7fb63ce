#include "internet/InternetSettings.h"

namespace internet {

InternetSettings builtInSettings() {
    return {productServerBase(CFGSCOPE_PRODUCT_SERVER_DEFAULT), CFGSCOPE_ECHO_SERVICE_DEFAULT};
}

InternetSettings settingsFrom(platform::Environment& env) {
    InternetSettings settings = builtInSettings();
    if (std::string server = env.get(kProductServerVariable); !server.empty())
        settings.productServer = productServerBase(server);
    if (std::string echo = env.get(kEchoServiceVariable); !echo.empty()) settings.echoService = echo;
    return settings;
}

std::string productServerBase(const std::string& address) {
    std::string base = address;
    while (!base.empty() && base.back() == '/') base.pop_back();
    return base;
}

}  // namespace internet
