#include "platform/linux/CurlDownload.h"

#include <curl/curl.h>
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <mutex>

#include "platform/linux/NativePath.h"

namespace platform::linux_backend {

namespace {

std::size_t writeBody(char* data, std::size_t size, std::size_t count, void* user) {
    int fd = *static_cast<int*>(user);
    std::size_t total = size * count;
    std::size_t done = 0;
    while (done < total) {
        ssize_t n = write(fd, data + done, total - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return 0;  // makes curl stop with a write error
        done += static_cast<std::size_t>(n);
    }
    return total;
}

// The user's proxy exceptions plus the loopback addresses: a proxy cannot
// reach a server on this machine, so asking one would only fail.
std::string noProxyList() {
    const char* own = std::getenv("no_proxy");
    if (!own || !*own) own = std::getenv("NO_PROXY");
    std::string list = own && *own ? std::string(own) + "," : std::string{};
    return list + "localhost,127.0.0.1,::1";
}

}  // namespace

bool CurlDownload::toFile(const std::string& url, const std::string& localPath) {
    static std::once_flag initOnce;
    std::call_once(initOnce, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });

    std::string target = nativePath(localPath);
    std::string temp = target + ".XXXXXX";
    int fd = mkstemp(temp.data());
    if (fd < 0) return false;

    CURL* curl = curl_easy_init();
    bool ok = curl != nullptr;
    if (ok) {
        curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
        curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
        curl_easy_setopt(curl, CURLOPT_MAXREDIRS, 5L);
        curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
        curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
        curl_easy_setopt(curl, CURLOPT_FAILONERROR, 1L);
        curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, connectTimeout_);
        curl_easy_setopt(curl, CURLOPT_TIMEOUT, totalTimeout_);
        curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
        const std::string noProxy = noProxyList();
        curl_easy_setopt(curl, CURLOPT_NOPROXY, noProxy.c_str());
        curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, writeBody);
        curl_easy_setopt(curl, CURLOPT_WRITEDATA, &fd);
        ok = curl_easy_perform(curl) == CURLE_OK;
        curl_easy_cleanup(curl);
    }
    if (close(fd) != 0) ok = false;
    if (ok && std::rename(temp.c_str(), target.c_str()) != 0) ok = false;
    if (!ok) unlink(temp.c_str());
    return ok;
}

}  // namespace platform::linux_backend
