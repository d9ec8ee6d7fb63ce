// Where the product web server is: a setting built into the program that an
// environment variable may override.
#pragma once

#include <string>

#include "platform/Environment.h"

namespace addrpeek {

// The environment variable that overrides the built-in base address.
inline constexpr const char* kServerVariable = "CFGSCOPE_PRODUCT_SERVER";

// The base address (scheme and host, no "/" at the end).
std::string productServerBase(platform::Environment& env);

// The address page of the monitor on that server.
std::string ipPageAddress(const std::string& serverBase);

}  // namespace addrpeek
