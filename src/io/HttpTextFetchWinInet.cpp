// HttpTextFetch on WinINet, Windows' own HTTP client (Windows). It behaves as the
// libcurl fetch of Linux does: the same time-outs, abort, redirect and size
// limits, failure kinds and texts; the system's proxy settings; never an answer
// from the local cache.
//
// WinINet's calls block and have no total time-out of their own, so a watcher
// thread looks at the abort flag and the deadline every 50 ms and, when either
// calls for it, closes the request handle, which ends the blocked call.

#include <windows.h>
// After windows.h, which it needs.
#include <wininet.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "io/HttpTextFetch.h"

namespace pk10 {
namespace {

constexpr int kMaxRedirects = 5;
constexpr auto kAbortCheck = std::chrono::milliseconds(50);
using Clock = std::chrono::steady_clock;

std::wstring Wide(const std::string& utf8) {
    if (utf8.empty()) {
        return {};
    }
    const int size =
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), size);
    return wide;
}

std::string Utf8(const std::wstring& wide) {
    if (wide.empty()) {
        return {};
    }
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(), size,
                        nullptr, nullptr);
    return utf8;
}

// The system's text for a WinINet error, or its number.
std::string ErrorText(DWORD error) {
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_FROM_HMODULE | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_ALLOCATE_BUFFER |
            FORMAT_MESSAGE_IGNORE_INSERTS,
        GetModuleHandleW(L"wininet.dll"), error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring message = length > 0 && text != nullptr ? std::wstring(text, length) : L"";
    LocalFree(text);
    while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r' ||
                                message.back() == L' ' || message.back() == L'.')) {
        message.pop_back();
    }
    return message.empty() ? "WinINet error " + std::to_string(error) : Utf8(message);
}

struct InternetHandle {
    HINTERNET handle = nullptr;
    InternetHandle() = default;
    explicit InternetHandle(HINTERNET h) : handle(h) {}
    InternetHandle(const InternetHandle&) = delete;
    InternetHandle& operator=(const InternetHandle&) = delete;
    ~InternetHandle() {
        if (handle != nullptr) {
            InternetCloseHandle(handle);
        }
    }
};

// Why the watcher ended a transfer.
enum class Stop { None, Aborted, TimedOut };

// Closes the request handle of the running transfer when the abort flag is set
// or the deadline passes; the transfer's thread then sees its call fail.
class Watcher {
  public:
    Watcher(const std::atomic<bool>* abort, Clock::time_point deadline)
        : abort_(abort), deadline_(deadline), thread_([this] { Watch(); }) {}
    Watcher(const Watcher&) = delete;
    Watcher& operator=(const Watcher&) = delete;
    ~Watcher() {
        {
            std::lock_guard lock(mutex_);
            done_ = true;
        }
        wake_.notify_one();
        thread_.join();
    }

    // The request now running (null between requests). Returns false when the
    // transfer has already been stopped.
    bool Track(HINTERNET request) {
        std::lock_guard lock(mutex_);
        request_ = request;
        return stop_ == Stop::None;
    }
    // Takes the request back from the watcher: true when the caller still owns
    // the handle and must close it, false when the watcher closed it.
    bool Release() {
        std::lock_guard lock(mutex_);
        request_ = nullptr;
        return stop_ == Stop::None;
    }
    Stop stop() {
        std::lock_guard lock(mutex_);
        return stop_;
    }

  private:
    void Watch() {
        std::unique_lock lock(mutex_);
        while (!done_) {
            Stop stop = Stop::None;
            if (abort_ != nullptr && abort_->load()) {
                stop = Stop::Aborted;
            } else if (Clock::now() >= deadline_) {
                stop = Stop::TimedOut;
            }
            if (stop != Stop::None && stop_ == Stop::None) {
                stop_ = stop;
                if (request_ != nullptr) {
                    InternetCloseHandle(request_);
                    request_ = nullptr;
                }
            }
            wake_.wait_for(lock, kAbortCheck);
        }
    }

    const std::atomic<bool>* abort_;
    const Clock::time_point deadline_;
    std::mutex mutex_;
    std::condition_variable wake_;
    bool done_ = false;
    Stop stop_ = Stop::None;
    HINTERNET request_ = nullptr;
    std::thread thread_;
};

// A request handle that the watcher may close first.
class Request {
  public:
    Request(HINTERNET handle, Watcher& watcher) : handle_(handle), watcher_(watcher) {}
    Request(const Request&) = delete;
    Request& operator=(const Request&) = delete;
    ~Request() {
        if (watcher_.Release()) {
            InternetCloseHandle(handle_);
        }
    }
    HINTERNET get() const { return handle_; }

  private:
    HINTERNET handle_;
    Watcher& watcher_;
};

struct Target {
    bool secure = false;
    std::wstring host;
    INTERNET_PORT port = 0;
    std::wstring object;  // path and query
};

Target CrackUrl(const std::string& url) {
    const std::wstring wide = Wide(url);
    wchar_t host[1024];
    wchar_t path[4096];
    wchar_t extra[4096];
    URL_COMPONENTSW parts{};
    parts.dwStructSize = sizeof parts;
    parts.lpszHostName = host;
    parts.dwHostNameLength = static_cast<DWORD>(std::size(host));
    parts.lpszUrlPath = path;
    parts.dwUrlPathLength = static_cast<DWORD>(std::size(path));
    parts.lpszExtraInfo = extra;
    parts.dwExtraInfoLength = static_cast<DWORD>(std::size(extra));
    if (InternetCrackUrlW(wide.c_str(), 0, 0, &parts) == 0 ||
        (parts.nScheme != INTERNET_SCHEME_HTTP && parts.nScheme != INTERNET_SCHEME_HTTPS)) {
        throw FetchError(FetchError::Kind::Other,
                         "HTTP request failed: not an http or https address (" + url + ")");
    }
    Target target;
    target.secure = parts.nScheme == INTERNET_SCHEME_HTTPS;
    target.host.assign(host, parts.dwHostNameLength);
    target.port = parts.nPort;
    target.object.assign(path, parts.dwUrlPathLength);
    target.object.append(extra, parts.dwExtraInfoLength);
    if (target.object.empty()) {
        target.object = L"/";
    }
    return target;
}

[[noreturn]] void ThrowFor(DWORD error, Watcher& watcher, const std::string& url) {
    using Kind = FetchError::Kind;
    const std::string where = " (" + url + ")";
    switch (watcher.stop()) {
        case Stop::Aborted:
            throw FetchError(Kind::Aborted, "transfer aborted" + where);
        case Stop::TimedOut:
            throw FetchError(Kind::Timeout, "timed out: the transfer took too long" + where);
        case Stop::None:
            break;
    }
    const std::string reason = ErrorText(error);
    switch (error) {
        case ERROR_INTERNET_CANNOT_CONNECT:
        case ERROR_INTERNET_CONNECTION_ABORTED:
        case ERROR_INTERNET_CONNECTION_RESET:
            throw FetchError(Kind::Connect, "connection failed: " + reason + where);
        case ERROR_INTERNET_NAME_NOT_RESOLVED:
            throw FetchError(Kind::Resolve, "host name not resolved: " + reason + where);
        case ERROR_INTERNET_TIMEOUT:
            throw FetchError(Kind::Timeout, "timed out: " + reason + where);
        default:
            break;
    }
    throw FetchError(Kind::Other, "HTTP request failed: " + reason + where);
}

DWORD NumberHeader(HINTERNET request, DWORD query, DWORD missing) {
    DWORD value = 0;
    DWORD size = sizeof value;
    if (HttpQueryInfoW(request, query | HTTP_QUERY_FLAG_NUMBER, &value, &size, nullptr) == 0) {
        return missing;
    }
    return value;
}

std::wstring TextHeader(HINTERNET request, DWORD query) {
    DWORD size = 0;
    HttpQueryInfoW(request, query, nullptr, &size, nullptr);
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || size == 0) {
        return {};
    }
    std::wstring text(size / sizeof(wchar_t) + 1, L'\0');
    if (HttpQueryInfoW(request, query, text.data(), &size, nullptr) == 0) {
        return {};
    }
    text.resize(size / sizeof(wchar_t));
    return text;
}

// The address a redirect leads to, resolved against the address it came from.
std::string RedirectTarget(const std::string& from, const std::wstring& location) {
    const std::wstring base = Wide(from);
    DWORD size = 0;
    InternetCombineUrlW(base.c_str(), location.c_str(), nullptr, &size, ICU_NO_ENCODE);
    std::wstring combined(size + 1, L'\0');
    size = static_cast<DWORD>(combined.size());
    if (InternetCombineUrlW(base.c_str(), location.c_str(), combined.data(), &size,
                            ICU_NO_ENCODE) == 0) {
        return Utf8(location);
    }
    combined.resize(size);
    return Utf8(combined);
}

bool IsRedirect(DWORD status) {
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

[[noreturn]] void ThrowTooLarge(std::size_t limit, const std::string& url) {
    throw FetchError(FetchError::Kind::TooLarge,
                     "response body over " + std::to_string(limit) + " bytes (" + url + ")");
}

}  // namespace

std::vector<std::string> HttpTextFetch(const std::string& url, const FetchOptions& options) {
    if (options.abort != nullptr && options.abort->load()) {
        throw FetchError(FetchError::Kind::Aborted,
                         "transfer aborted before it began (" + url + ")");
    }
    const std::wstring agent = Wide(kUserAgent);
    // The system's proxy settings, as every Windows program that asks for them.
    const InternetHandle session(
        InternetOpenW(agent.c_str(), INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    if (session.handle == nullptr) {
        throw FetchError(FetchError::Kind::Other, "cannot initialise the HTTP client");
    }
    DWORD connectMs = static_cast<DWORD>(options.connectTimeout.count());
    DWORD totalMs = static_cast<DWORD>(options.totalTimeout.count());
    InternetSetOptionW(session.handle, INTERNET_OPTION_CONNECT_TIMEOUT, &connectMs,
                       sizeof connectMs);
    InternetSetOptionW(session.handle, INTERNET_OPTION_SEND_TIMEOUT, &totalMs, sizeof totalMs);
    InternetSetOptionW(session.handle, INTERNET_OPTION_RECEIVE_TIMEOUT, &totalMs, sizeof totalMs);

    Watcher watcher(options.abort, Clock::now() + options.totalTimeout);
    const std::wstring headers =
        options.noCache ? L"Cache-Control: no-cache\r\nPragma: no-cache\r\n" : L"";
    // Failures name the address asked for, whichever redirect they came at.
    std::string current = url;
    for (int redirects = 0;; ++redirects) {
        const Target target = CrackUrl(current);
        const InternetHandle connection(InternetConnectW(session.handle, target.host.c_str(),
                                                         target.port, nullptr, nullptr,
                                                         INTERNET_SERVICE_HTTP, 0, 0));
        if (connection.handle == nullptr) {
            ThrowFor(GetLastError(), watcher, url);
        }
        // Never the cache's copy, nor a copy kept for later; redirects are followed
        // here, so their number and targets are ours to check.
        DWORD flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE |
                      INTERNET_FLAG_NO_AUTO_REDIRECT | INTERNET_FLAG_NO_COOKIES |
                      INTERNET_FLAG_NO_UI | INTERNET_FLAG_NO_AUTH;
        if (target.secure) {
            flags |= INTERNET_FLAG_SECURE;
        }
        const HINTERNET handle = HttpOpenRequestW(connection.handle, L"GET", target.object.c_str(),
                                                  nullptr, nullptr, nullptr, flags, 0);
        if (handle == nullptr) {
            ThrowFor(GetLastError(), watcher, url);
        }
        const Request request(handle, watcher);
        if (!watcher.Track(handle)) {
            ThrowFor(0, watcher, url);
        }
        if (HttpSendRequestW(handle, headers.empty() ? nullptr : headers.c_str(),
                             static_cast<DWORD>(headers.size()), nullptr, 0) == 0) {
            ThrowFor(GetLastError(), watcher, url);
        }
        const DWORD status = NumberHeader(handle, HTTP_QUERY_STATUS_CODE, 0);
        if (IsRedirect(status)) {
            const std::wstring location = TextHeader(handle, HTTP_QUERY_LOCATION);
            if (!location.empty()) {
                if (redirects == kMaxRedirects) {
                    throw FetchError(FetchError::Kind::Other,
                                     "more than " + std::to_string(kMaxRedirects) +
                                         " redirects (a redirect loop?) (" + url + ")");
                }
                current = RedirectTarget(current, location);
                continue;
            }
        }
        if (status >= 400) {
            throw FetchError(
                FetchError::Kind::HttpStatus,
                "server answered HTTP status " + std::to_string(status) + " (" + url + ")");
        }
        const DWORD declared = NumberHeader(handle, HTTP_QUERY_CONTENT_LENGTH, 0);
        if (declared > options.maxBodyBytes) {
            ThrowTooLarge(options.maxBodyBytes, url);
        }
        std::string body;
        char buffer[16384];
        for (;;) {
            DWORD got = 0;
            if (InternetReadFile(handle, buffer, sizeof buffer, &got) == 0) {
                ThrowFor(GetLastError(), watcher, url);
            }
            if (got == 0) {
                break;
            }
            if (got > options.maxBodyBytes - body.size()) {
                ThrowTooLarge(options.maxBodyBytes, url);
            }
            body.append(buffer, got);
        }
        if (watcher.stop() != Stop::None) {
            ThrowFor(0, watcher, url);
        }
        return SplitBodyLines(body);
    }
}

}  // namespace pk10
