#include "platform/linux/CurlDownload.h"

#include <curl/curl.h>
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>

#include "platform/linux/NativePath.h"

namespace platform::linux_backend {

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kWaitSliceMs = 30;

struct Body {
    int fd = -1;
    std::size_t bytes = 0;
};

// Stops the transfer (a write error) at the first byte beyond the page limit.
std::size_t writeBody(char* data, std::size_t size, std::size_t count, void* user) {
    Body& body = *static_cast<Body*>(user);
    std::size_t total = size * count;
    if (total > kMaxPageBytes - body.bytes) return 0;
    std::size_t done = 0;
    while (done < total) {
        ssize_t n = write(body.fd, data + done, total - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return 0;  // makes curl stop with a write error
        done += static_cast<std::size_t>(n);
    }
    body.bytes += total;
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

// One transfer through the multi interface, so the wait can hand the thread
// to `whileWaiting` between polls.
int CurlDownload::perform(void* handle) {
    CURL* curl = static_cast<CURL*>(handle);
    CURLM* multi = curl_multi_init();
    if (!multi) return CURLE_OUT_OF_MEMORY;
    curl_multi_add_handle(multi, curl);
    CURLcode result = CURLE_RECV_ERROR;
    int running = 1;
    while (running) {
        if (curl_multi_perform(multi, &running) != CURLM_OK) break;
        if (!running) break;
        curl_multi_poll(multi, nullptr, 0, kWaitSliceMs, nullptr);
        if (whileWaiting) whileWaiting();
    }
    int left = 0;
    while (CURLMsg* m = curl_multi_info_read(multi, &left))
        if (m->msg == CURLMSG_DONE) result = m->data.result;
    curl_multi_remove_handle(multi, curl);
    curl_multi_cleanup(multi);
    return result;
}

bool CurlDownload::toFile(const std::string& url, const std::string& localPath) {
    static std::once_flag initOnce;
    std::call_once(initOnce, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });

    std::string target = nativePath(localPath);
    std::string temp = target + ".XXXXXX";
    Body body;
    body.fd = mkstemp(temp.data());
    if (body.fd < 0) return false;

    CURL* curl = curl_easy_init();
    bool ok = false;
    if (curl) {
        // Redirects are followed here, one by one, so each target is checked.
        curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 0L);
        curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
        curl_easy_setopt(curl, CURLOPT_FAILONERROR, 1L);
        curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, connectTimeout_);
        curl_easy_setopt(curl, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(kMaxPageBytes));
        curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
        const std::string noProxy = noProxyList();
        curl_easy_setopt(curl, CURLOPT_NOPROXY, noProxy.c_str());
        curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, writeBody);
        curl_easy_setopt(curl, CURLOPT_WRITEDATA, &body);

        const auto deadline = Clock::now() + std::chrono::seconds(totalTimeout_);
        std::string current = url;
        for (int hop = 0; hop <= kMaxRedirects; ++hop) {
            // A redirect's own body is not the page.
            if (ftruncate(body.fd, 0) != 0 || lseek(body.fd, 0, SEEK_SET) != 0) break;
            body.bytes = 0;
            auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
            if (left <= 0) break;
            curl_easy_setopt(curl, CURLOPT_URL, current.c_str());
            curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, static_cast<long>(left));
            if (perform(curl) != CURLE_OK) break;
            long status = 0;
            curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
            if (status / 100 != 3) {
                ok = status / 100 == 2;
                break;
            }
            char* next = nullptr;
            curl_easy_getinfo(curl, CURLINFO_REDIRECT_URL, &next);
            if (!next || !redirectAllowed(current, next)) break;
            current = next;
        }
        curl_easy_cleanup(curl);
    }
    if (close(body.fd) != 0) ok = false;
    if (ok && std::rename(temp.c_str(), target.c_str()) != 0) ok = false;
    if (!ok) unlink(temp.c_str());
    return ok;
}

}  // namespace platform::linux_backend
