// Who and where: the machine's computer name and the user's login name.
#pragma once

#include <string>

namespace platform::linux_backend {

// The host name without any domain part, in upper case, as Windows names a
// computer; empty when the system will not tell.
std::string computerName();
// The login name of the user running the program; empty when unknown.
std::string loginName();

}  // namespace platform::linux_backend
