// The product web server's generated pages, as the programs ask for them and
// the shipped server answers them. No dependencies: the server uses it too.
#pragma once

namespace internet {

inline constexpr const char* kAddressPage = "/lanomatstd.shtml";          // the caller's address, then "~"
inline constexpr const char* kMonitorAddressPage = "/ip.shtml";           // the caller's address alone
inline constexpr const char* kVersionPage = "/lanomatpstdupdater1.htm";   // the newest version, then "~"
inline constexpr const char* kWhatsNewPage = "/lanomatpstdwhatsnew.htm";  // what the newest version brings

}  // namespace internet
