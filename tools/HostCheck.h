// Whether a typed host can stand in a diagnostic script: a host name, or an
// IPv4 or IPv6 address (with a zone index after "%"). Pure text.
#pragma once

#include <optional>
#include <string>

namespace tools {

// Empty for a usable host; else the message that says what is wrong with it.
// A line break, a blank or any of > < | & ; would add a command or a
// redirection to the script line the host is written into.
std::optional<std::string> hostProblem(const std::string& host);

}  // namespace tools
