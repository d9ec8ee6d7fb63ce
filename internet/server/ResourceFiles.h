// The resources for nginx or Apache httpd, written from the same options the
// server takes (vorlan-webserver --write-resources FOLDER):
//   lanomatpstdupdater1.htm, lanomatpstdwhatsnew.htm  the version and what's new, as the server answers them
//   ip.shtml, lanomatstd.shtml                        the caller's address through Apache's server-side includes
//   nginx.conf                                        root, this folder and the trusted proxies, for a server block
//   apache2.conf                                      the same for a virtual host
// The shipped engine configurations (share/vorlan-webserver/nginx, apache2)
// include the last two.
#pragma once

#include <string>
#include <vector>

#include "internet/server/ServerOptions.h"

namespace webserver {

// Empty on success, else what went wrong. Each file is replaced whole, so an
// engine serving the folder never reads half of one. `written`, when given,
// receives the full path of every file written, in order.
std::string writeResourceFiles(const std::string& folder, const std::string& site, const ServerOptions& options,
                               std::vector<std::string>* written = nullptr);

}  // namespace webserver
