#pragma once

#include "platform/Environment.h"

namespace platform::linux_backend {

// Windows variable names answered on Linux: a set variable wins; TEMP falls
// back to XDG_RUNTIME_DIR, then to a private per-user folder. The identity
// variables fall back to what the machine says: username is the login name,
// COMPUTERNAME the host name in upper case; userdomain and logonserver name
// the joined domain and its controller, or else the computer itself (a
// workgroup machine logs its users on itself). windir and SystemRoot have
// no stand-in.
class LinuxEnvironment : public Environment {
public:
    std::string get(const std::string& name) override;
};

// A folder only the user can reach: TEMP when set, else XDG_RUNTIME_DIR,
// else /tmp/cfgscope-UID (created 0700; refused when not the user's own).
std::string userTempFolder();

}  // namespace platform::linux_backend
