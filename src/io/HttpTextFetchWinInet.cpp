// HttpTextFetch on WinINet, Windows' own HTTP client (Windows). It behaves as the
// libcurl fetch of Linux does: the same time-outs, abort, redirect and size
// limits, failure kinds and texts; the system's proxy settings; never an answer
// from the local cache.
//
// WinINet's calls block, have no total time-out of their own, and a closed handle
// does not always end a call blocked on it (Wine's does not), so the transfer runs
// on a thread of its own while the caller looks at the abort flag and the deadline
// every 50 ms. When either calls for it, the caller closes the request handle
// (which ends the call on Windows), leaves the transfer's thread to finish alone
// within WinINet's own time-outs, and fails at once.

#include <windows.h>
// After windows.h, which it needs.
#include <wininet.h>

#include <chrono>
#include <condition_variable>
#include <exception>
#include <memory>
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

// The request handle of a running transfer, which the caller may close to
// cancel it. Shared by the caller and the transfer's thread.
class Cancellation {
  public:
    // The request now running. Returns false when the transfer was cancelled.
    bool Track(HINTERNET request) {
        std::lock_guard lock(mutex_);
        request_ = request;
        return !cancelled_;
    }
    // Takes the request back: true when the transfer still owns the handle and
    // must close it, false when the caller closed it.
    bool Release() {
        std::lock_guard lock(mutex_);
        request_ = nullptr;
        return !cancelled_;
    }
    void Cancel() {
        std::lock_guard lock(mutex_);
        cancelled_ = true;
        if (request_ != nullptr) {
            InternetCloseHandle(request_);
            request_ = nullptr;
        }
    }
    bool cancelled() {
        std::lock_guard lock(mutex_);
        return cancelled_;
    }

  private:
    std::mutex mutex_;
    HINTERNET request_ = nullptr;
    bool cancelled_ = false;
};

// A request handle that the caller may close first.
class Request {
  public:
    Request(HINTERNET handle, Cancellation& cancellation)
        : handle_(handle), cancellation_(cancellation) {}
    Request(const Request&) = delete;
    Request& operator=(const Request&) = delete;
    ~Request() {
        if (cancellation_.Release()) {
            InternetCloseHandle(handle_);
        }
    }

  private:
    HINTERNET handle_;
    Cancellation& cancellation_;
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

[[noreturn]] void ThrowFor(DWORD error, const std::string& url) {
    using Kind = FetchError::Kind;
    const std::string where = " (" + url + ")";
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

// The time-outs of a handle: the connection's, and for each send and receive a
// little more than the total, so that the caller's deadline decides and these only
// end a transfer left to finish alone.
void SetTimeouts(HINTERNET handle, const FetchOptions& options) {
    DWORD connectMs = static_cast<DWORD>(options.connectTimeout.count());
    DWORD totalMs = static_cast<DWORD>(options.totalTimeout.count() + 1000);
    InternetSetOptionW(handle, INTERNET_OPTION_CONNECT_TIMEOUT, &connectMs, sizeof connectMs);
    InternetSetOptionW(handle, INTERNET_OPTION_SEND_TIMEOUT, &totalMs, sizeof totalMs);
    InternetSetOptionW(handle, INTERNET_OPTION_RECEIVE_TIMEOUT, &totalMs, sizeof totalMs);
}

[[noreturn]] void ThrowTooLarge(std::size_t limit, const std::string& url) {
    throw FetchError(FetchError::Kind::TooLarge,
                     "response body over " + std::to_string(limit) + " bytes (" + url + ")");
}

// The whole transfer, on its own thread; `options.abort` is not looked at.
std::vector<std::string> Transfer(const std::string& url, const FetchOptions& options,
                                  Cancellation& cancellation) {
    const std::wstring agent = Wide(kUserAgent);
    // The system's proxy settings, as every Windows program that asks for them.
    const InternetHandle session(
        InternetOpenW(agent.c_str(), INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    if (session.handle == nullptr) {
        throw FetchError(FetchError::Kind::Other, "cannot initialise the HTTP client");
    }
    SetTimeouts(session.handle, options);

    // Each fetch has a session of its own, so its connection is of no use
    // afterwards: it is closed rather than left in WinINet's pool.
    std::wstring headers = L"Connection: close\r\n";
    if (options.noCache) {
        headers += L"Cache-Control: no-cache\r\nPragma: no-cache\r\n";
    }
    // Failures name the address asked for, whichever redirect they came at.
    std::string current = url;
    for (int redirects = 0;; ++redirects) {
        const Target target = CrackUrl(current);
        const InternetHandle connection(InternetConnectW(session.handle, target.host.c_str(),
                                                         target.port, nullptr, nullptr,
                                                         INTERNET_SERVICE_HTTP, 0, 0));
        if (connection.handle == nullptr) {
            ThrowFor(GetLastError(), url);
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
            ThrowFor(GetLastError(), url);
        }
        const Request request(handle, cancellation);
        SetTimeouts(handle, options);
        if (!cancellation.Track(handle)) {
            throw FetchError(FetchError::Kind::Aborted, "transfer cancelled (" + url + ")");
        }
        if (HttpSendRequestW(handle, headers.c_str(), static_cast<DWORD>(headers.size()), nullptr,
                             0) == 0) {
            ThrowFor(GetLastError(), url);
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
        constexpr DWORD kNoLength = MAXDWORD;
        const DWORD declared = NumberHeader(handle, HTTP_QUERY_CONTENT_LENGTH, kNoLength);
        if (declared != kNoLength && declared > options.maxBodyBytes) {
            ThrowTooLarge(options.maxBodyBytes, url);
        }
        std::string body;
        char buffer[16384];
        for (;;) {
            DWORD got = 0;
            if (InternetReadFile(handle, buffer, sizeof buffer, &got) == 0) {
                ThrowFor(GetLastError(), url);
            }
            if (got == 0) {
                break;
            }
            if (got > options.maxBodyBytes - body.size()) {
                ThrowTooLarge(options.maxBodyBytes, url);
            }
            body.append(buffer, got);
        }
        // WinINet ends the body quietly where the server closed the connection;
        // a body shorter than its declared length is a broken transfer.
        if (declared != kNoLength && body.size() < declared) {
            throw FetchError(FetchError::Kind::Other, "HTTP request failed: transfer closed with " +
                                                          std::to_string(declared - body.size()) +
                                                          " bytes remaining to read (" + url + ")");
        }
        return SplitBodyLines(body);
    }
}

// What the caller and the transfer's thread share; whichever ends last frees it.
struct Outcome {
    std::mutex mutex;
    std::condition_variable finished;
    bool done = false;
    std::vector<std::string> lines;
    std::exception_ptr error;
    Cancellation cancellation;
};

}  // namespace

std::vector<std::string> HttpTextFetch(const std::string& url, const FetchOptions& options) {
    using Kind = FetchError::Kind;
    if (options.abort != nullptr && options.abort->load()) {
        throw FetchError(Kind::Aborted, "transfer aborted before it began (" + url + ")");
    }
    const Clock::time_point deadline = Clock::now() + options.totalTimeout;
    const auto outcome = std::make_shared<Outcome>();
    FetchOptions own = options;
    own.abort = nullptr;  // the caller's flag may be gone when the thread ends
    std::thread transfer([outcome, url, own] {
        std::vector<std::string> lines;
        std::exception_ptr error;
        try {
            lines = Transfer(url, own, outcome->cancellation);
        } catch (...) {
            error = std::current_exception();
        }
        std::lock_guard lock(outcome->mutex);
        outcome->lines = std::move(lines);
        outcome->error = error;
        outcome->done = true;
        outcome->finished.notify_one();
    });

    std::unique_lock lock(outcome->mutex);
    for (;;) {
        if (outcome->finished.wait_for(lock, kAbortCheck, [&outcome] { return outcome->done; })) {
            lock.unlock();
            transfer.join();
            if (outcome->error) {
                std::rethrow_exception(outcome->error);
            }
            return std::move(outcome->lines);
        }
        const bool aborted = options.abort != nullptr && options.abort->load();
        if (aborted || Clock::now() >= deadline) {
            lock.unlock();
            outcome->cancellation.Cancel();
            transfer.detach();
            if (aborted) {
                throw FetchError(Kind::Aborted, "transfer aborted (" + url + ")");
            }
            throw FetchError(Kind::Timeout, "timed out: the transfer took longer than " +
                                                std::to_string(options.totalTimeout.count()) +
                                                " ms (" + url + ")");
        }
    }
}

}  // namespace pk10
