// Small helpers of the Linux backend's command-line translators: the blank-
// separated words of a command line, lower-casing, and finding a program.
#pragma once

#include <string>
#include <vector>

namespace platform::linux_backend {

// Words separated by blanks or tabs; no quoting.
std::vector<std::string> words(const std::string& text);
// ASCII lower case.
std::string lower(std::string text);
// The full path of an executable program: `program` itself when it names a
// path, else the first match on PATH (unset or empty: /usr/local/bin,
// /usr/bin, /bin); empty when there is none.
std::string findOnPath(const std::string& program);

}  // namespace platform::linux_backend
