// What the product web server answers, as values: the fetched resources the
// programs rely on, and which file of the site folder a browser path names.
#pragma once

#include <optional>
#include <string>

namespace webserver {

// Texts the server is configured with.
struct ServerTexts {
    std::string newestVersion = "1.03.0";  // major "." minor "." revision
    std::string whatsNew;                  // "~" stands for a line break
};

struct Reply {
    int status = 200;
    std::string contentType;
    std::string body;
};

// The resources the programs fetch and read back ("/lanomatstd.shtml",
// "/ip.shtml", "/lanomatpstdupdater1.htm", "/lanomatpstdwhatsnew.htm");
// nothing for any other path.
std::optional<Reply> fetchedResource(const std::string& path, const std::string& callerAddress,
                                     const ServerTexts& texts);

// The site file a browser path names: "/" is "index.html"; otherwise one
// plain file name directly inside the site folder (letters, digits, ".",
// "-", "_", not starting with "."). Nothing for any other path, so a request
// can never reach outside the site folder.
std::optional<std::string> siteFileName(const std::string& path);

// The page of a path the server does not hold; the path shown escaped.
std::string notFoundPage(const std::string& path);

// Content type by file name ending.
std::string contentTypeFor(const std::string& fileName);

}  // namespace webserver
