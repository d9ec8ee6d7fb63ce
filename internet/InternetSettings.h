// Where the main window's internet services go: the product web server and
// the public address-echo service. Both are fixed when the program is built
// (CMake cache variables CFGSCOPE_PRODUCT_SERVER, CFGSCOPE_ECHO_SERVICE) and
// can be overridden at run time by environment variables of the same names.
#pragma once

#include <string>

#include "platform/Environment.h"

namespace internet {

inline constexpr const char* kProductServerVariable = "CFGSCOPE_PRODUCT_SERVER";
inline constexpr const char* kEchoServiceVariable = "CFGSCOPE_ECHO_SERVICE";

struct InternetSettings {
    std::string productServer;  // scheme and host (and port), no "/" at the end
    std::string echoService;    // the service's root address, as given
};

// The addresses built in, before any override.
InternetSettings builtInSettings();

// The built-in addresses, each replaced by its environment variable when set.
InternetSettings settingsFrom(platform::Environment& env);

// The product server's base address: trailing "/" dropped, so that a path
// such as "/ip.shtml" can be appended directly.
std::string productServerBase(const std::string& address);

}  // namespace internet
