#include "platform/windows/WindowsDownload.h"

#include <windows.h>
#include <wininet.h>

#include <atomic>

#include "platform/windows/WideText.h"

namespace platform::windows_backend {

namespace {

constexpr DWORD kWaitSliceMs = 30;
constexpr DWORD kRequestFlags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_NO_AUTO_REDIRECT |
                                INTERNET_FLAG_NO_UI | INTERNET_FLAG_NO_COOKIES;

// One fetch, shared by the waiting thread and the worker that downloads; the
// last of the two to let go deletes it.
struct Transfer {
    enum State { Running, Done, Abandoned };
    std::atomic<int> state{Running};
    std::atomic<int> refs{2};
    HANDLE answered = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    std::string url;
    std::string part;  // the worker's own file
    bool fetched = false;
    bool told = false;  // the worker's own

    ~Transfer() { CloseHandle(answered); }
    bool running() const { return state == Running; }
    // The outcome, told once and as soon as it is known: closing the
    // connection may take longer (WinInet may read the rest of a body).
    void answer(bool ok) {
        if (told) return;
        told = true;
        fetched = ok;
        int expected = Running;
        // Given up on: nobody else will look at the file.
        if (!state.compare_exchange_strong(expected, Done)) DeleteFileW(widen(part).c_str());
        SetEvent(answered);
    }
    void release() {
        if (--refs == 0) delete this;
    }
};

// The body into the worker's file: a length announced beyond the limit is
// refused before a byte is read, and reading stops at the first byte beyond
// it or once the waiting thread has given up.
bool copyBody(HINTERNET request, const Transfer& t) {
    DWORD length = 0, size = sizeof length;
    if (HttpQueryInfoA(request, HTTP_QUERY_CONTENT_LENGTH | HTTP_QUERY_FLAG_NUMBER, &length, &size, nullptr) &&
        length > kMaxPageBytes)
        return false;
    HANDLE file = CreateFileW(widen(t.part).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    char buffer[8192];
    std::size_t total = 0;
    bool ok = true;
    while (ok) {
        DWORD n = 0;
        ok = t.running() && InternetReadFile(request, buffer, sizeof buffer, &n);
        if (!ok || n == 0) break;  // n == 0: the whole page
        total += n;
        DWORD written = 0;
        ok = total <= kMaxPageBytes && WriteFile(file, buffer, n, &written, nullptr) && written == n;
    }
    CloseHandle(file);
    return ok;
}

// GET with WinInet, redirects followed one by one so that each is checked.
void fetch(Transfer& t) {
    HINTERNET session = redirectAllowed("", t.url)  // http and https only
                            ? InternetOpenA("cfgscope", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0)
                            : nullptr;
    if (!session) return t.answer(false);
    DWORD connect = kConnectTimeoutSeconds * 1000, receive = kFetchTimeoutSeconds * 1000;
    InternetSetOptionA(session, INTERNET_OPTION_CONNECT_TIMEOUT, &connect, sizeof connect);
    InternetSetOptionA(session, INTERNET_OPTION_RECEIVE_TIMEOUT, &receive, sizeof receive);
    InternetSetOptionA(session, INTERNET_OPTION_SEND_TIMEOUT, &receive, sizeof receive);
    std::string current = t.url;
    for (int hop = 0; hop <= kMaxRedirects && t.running(); ++hop) {
        HINTERNET request = InternetOpenUrlA(session, current.c_str(), nullptr, 0, kRequestFlags, 0);
        if (!request) break;
        DWORD status = 0, size = sizeof status;
        HttpQueryInfoA(request, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size, nullptr);
        if (status / 100 != 3) {
            t.answer(status / 100 == 2 && copyBody(request, t));
            InternetCloseHandle(request);
            break;
        }
        char location[2048] = {}, next[2048] = {};
        DWORD locationSize = sizeof location, nextSize = sizeof next;
        bool moved = HttpQueryInfoA(request, HTTP_QUERY_LOCATION, location, &locationSize, nullptr) &&
                     InternetCombineUrlA(current.c_str(), location, next, &nextSize, ICU_NO_ENCODE) &&
                     redirectAllowed(current, next);
        if (!moved) t.answer(false);
        InternetCloseHandle(request);
        if (!moved) break;
        current = next;
    }
    t.answer(false);  // no answer above: none at all
    InternetCloseHandle(session);
}

DWORD WINAPI downloadWorker(void* arg) {
    auto* t = static_cast<Transfer*>(arg);
    fetch(*t);
    t->release();
    return 0;
}

bool withinLimit(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(widen(path).c_str(), GetFileExInfoStandard, &data)) return false;
    return data.nFileSizeHigh == 0 && data.nFileSizeLow <= kMaxPageBytes;
}

}  // namespace

void WindowsDownload::removeCachedCopy(const std::string& url) { DeleteUrlCacheEntryA(url.c_str()); }

bool WindowsDownload::toFile(const std::string& url, const std::string& localPath) {
    static std::atomic<unsigned> counter{0};
    auto* t = new Transfer;
    t->url = url;
    t->part = localPath + ".part" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter);
    HANDLE worker = CreateThread(nullptr, 0, downloadWorker, t, 0, nullptr);
    if (!worker) {
        delete t;
        return false;
    }
    CloseHandle(worker);
    // The download runs on the worker; this thread keeps the windows painted
    // until it answers or the time is up. (GetTickCount, not GetTickCount64:
    // the programs run on Windows 2000.)
    const DWORD start = GetTickCount();
    bool finished = false;
    while (!finished) {
        finished = WaitForSingleObject(t->answered, kWaitSliceMs) == WAIT_OBJECT_0;
        if (finished || GetTickCount() - start >= DWORD(kFetchTimeoutSeconds * 1000)) break;
        if (whileWaiting) whileWaiting();
    }
    int expected = Transfer::Running;
    if (!finished && t->state.compare_exchange_strong(expected, Transfer::Abandoned)) {
        t->release();  // the worker removes its file when it ends
        return false;
    }
    const std::string part = t->part;
    // The size once more before the file is handed over to be read.
    const bool fetched = t->fetched && withinLimit(part);
    t->release();
    // Moved over the target only when whole, so a failure leaves the old file.
    if (!fetched || !MoveFileExW(widen(part).c_str(), widen(localPath).c_str(), MOVEFILE_REPLACE_EXISTING)) {
        DeleteFileW(widen(part).c_str());
        return false;
    }
    return true;
}

}  // namespace platform::windows_backend
