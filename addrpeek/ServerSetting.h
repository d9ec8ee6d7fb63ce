// Where the product web server is: the main program's setting
// (internet/InternetSettings.h), built in and overridden by an environment
// variable.
#pragma once

#include <string>

#include "platform/Environment.h"

namespace addrpeek {

// The base address (scheme and host, no "/" at the end).
std::string productServerBase(platform::Environment& env);

// The address page of the monitor on that server.
std::string ipPageAddress(const std::string& serverBase);

}  // namespace addrpeek
