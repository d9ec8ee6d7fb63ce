#pragma once

#include "platform/Environment.h"

namespace platform::linux_backend {

// Windows variable names answered on Linux: a set variable wins; TEMP falls
// back to the user's state folder (below). The identity
// variables fall back to what the machine says: username is the login name,
// COMPUTERNAME the host name in upper case; userdomain and logonserver name
// the joined domain and its controller, or else the computer itself (a
// workgroup machine logs its users on itself). windir and SystemRoot have
// no stand-in.
class LinuxEnvironment : public Environment {
public:
    std::string get(const std::string& name) override;
};

// A folder of the user's own that no other user can create or write into
// first: XDG_RUNTIME_DIR when it is the user's and private, else
// "cfgscope" in the user's cache folder ($XDG_CACHE_HOME, else ~/.cache),
// made 0700. Empty when there is none. Never a fixed name in a shared folder.
std::string userStateFolder();

// TEMP when set and every folder from / down to it belongs to root or the
// user and no one else may write it (see TrustedFolder.h), else the user's
// state folder, else (no home) a folder made by mkdtemp in /tmp for this
// run; empty when there is none.
std::string userTempFolder();

// Where the single-instance lock lives: TEMP when it is a private folder of
// the user's (so each TEMP has its copy), else the user's state folder.
// Never a folder others may write into, where they could hold the lock first.
std::string instanceLockFolder();

}  // namespace platform::linux_backend
