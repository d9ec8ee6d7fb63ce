// Fetching a small file over HTTP, and the bounds every fetch keeps: the
// pages are a few bytes of text, and a server that answers more, forever,
// slowly or somewhere else is treated as one that does not answer.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace platform {

// A page larger than this is a failed fetch.
inline constexpr std::size_t kMaxPageBytes = 64 * 1024;
inline constexpr long kConnectTimeoutSeconds = 5;
inline constexpr long kFetchTimeoutSeconds = 15;  // the whole fetch, redirects included
inline constexpr int kMaxRedirects = 5;
// No window or message shows more of a fetched text than this many characters.
inline constexpr std::size_t kMaxShownChars = 2000;

// The first kMaxShownChars characters (UTF-8 sequences kept whole).
std::string shownText(std::string text);

// A redirect is followed only to http or https, and never from https to http.
bool redirectAllowed(std::string_view from, std::string_view to);

class Download {
public:
    virtual ~Download() = default;
    // Removes the platform's cached copy of the address, if it keeps one.
    virtual void removeCachedCopy(const std::string& url) = 0;
    // Fetches the address into the local file (created or replaced); false
    // on any failure, the file then left as it was. Blocks the calling
    // thread, calling `whileWaiting` every few tens of milliseconds.
    virtual bool toFile(const std::string& url, const std::string& localPath) = 0;

    // Set by the program: lets its windows repaint during the wait without
    // taking the user's input.
    std::function<void()> whileWaiting;
};

}  // namespace platform
