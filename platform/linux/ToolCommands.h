#pragma once

#include <optional>
#include <string>
#include <vector>

namespace platform::linux_backend {

// The argv that stands in here for the toolbox's two fixed command lines:
// "notepad.exe <windir>\system32\drivers\etc\hosts" opens /etc/hosts in the
// user's text editor ($VISUAL, $EDITOR, sensible-editor, editor, nano, vi),
// and "cmd c:\ /k cd\" opens the user's shell at /. Both are terminal
// programs; the caller puts them into a terminal window.
// Nothing for any other command line; an empty argv when the line is one of
// these two but nothing on this machine can run it.
std::optional<std::vector<std::string>> toolCommandArgv(const std::string& commandLine);

}  // namespace platform::linux_backend
