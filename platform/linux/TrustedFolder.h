// Whether a folder can hold what this user's programs later run: it and
// every folder from / down to it belong to root or to the user, and no one
// else may write into any of them (a sticky folder such as /tmp counts only
// when root owns it), as OpenSSH checks the paths it trusts. The owner of a
// folder may rename anything in it, sticky bit or not; so may anyone who
// can write into it without one.
#pragma once

#include <string>

namespace platform::linux_backend {

// A descriptor (O_PATH) of the folder, opened from / down without following
// a link on the way (links in `path` are resolved first); -1, and why in
// `why`, when the folder or one above it fails the check.
int openTrustedFolder(const std::string& path, std::string& why);

bool trustedFolder(const std::string& path);

// A folder, not a link (even to a folder of the user's), of this user's
// that no one else may write into. The folders above it are not looked at.
bool ownPrivateFolder(const std::string& path);

}  // namespace platform::linux_backend
