// HttpTextFetch on libcurl (Linux).

#include "io/HttpTextFetch.h"

#include <curl/curl.h>

#include <memory>
#include <mutex>

namespace pk10 {
namespace {

constexpr long kMaxRedirects = 5;
// Longest wait for network activity before the abort flag is looked at again.
constexpr int kAbortCheckMs = 50;

// libcurl's global state is set up once for the process, before the first
// transfer, whichever thread makes it.
void InitCurlOnce() {
    static std::once_flag once;
    std::call_once(once, [] {
        if (curl_global_init(CURL_GLOBAL_DEFAULT) != CURLE_OK) {
            throw FetchError(FetchError::Kind::Other, "cannot initialise the HTTP client");
        }
    });
}

struct EasyDeleter {
    void operator()(CURL* handle) const { curl_easy_cleanup(handle); }
};
struct MultiDeleter {
    void operator()(CURLM* handle) const { curl_multi_cleanup(handle); }
};
struct HeaderListDeleter {
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};
using EasyHandle = std::unique_ptr<CURL, EasyDeleter>;
using MultiHandle = std::unique_ptr<CURLM, MultiDeleter>;
using HeaderList = std::unique_ptr<curl_slist, HeaderListDeleter>;

// Keeps an easy handle attached to a multi handle for one transfer.
class Attachment {
  public:
    Attachment(CURLM* multi, CURL* easy) : multi_(multi), easy_(easy) {
        if (curl_multi_add_handle(multi_, easy_) != CURLM_OK) {
            throw FetchError(FetchError::Kind::Other, "cannot start the HTTP transfer");
        }
    }
    Attachment(const Attachment&) = delete;
    Attachment& operator=(const Attachment&) = delete;
    ~Attachment() { curl_multi_remove_handle(multi_, easy_); }

  private:
    CURLM* multi_;
    CURL* easy_;
};

// What the callbacks of one transfer share.
struct Transfer {
    std::string body;
    std::size_t maxBodyBytes = 0;
    bool tooLarge = false;
    const std::atomic<bool>* abort = nullptr;
};

std::size_t OnBody(char* data, std::size_t size, std::size_t count, void* user) {
    auto* transfer = static_cast<Transfer*>(user);
    const std::size_t bytes = size * count;
    if (bytes > transfer->maxBodyBytes - transfer->body.size()) {
        // Returning less than given makes libcurl stop the transfer at once.
        transfer->tooLarge = true;
        return 0;
    }
    transfer->body.append(data, bytes);
    return bytes;
}

bool AbortRequested(const Transfer& transfer) {
    return transfer.abort != nullptr && transfer.abort->load();
}

int OnProgress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    return AbortRequested(*static_cast<const Transfer*>(user)) ? 1 : 0;
}

template <typename T>
void SetOption(CURL* handle, CURLoption option, T value) {
    const CURLcode code = curl_easy_setopt(handle, option, value);
    if (code != CURLE_OK) {
        throw FetchError(FetchError::Kind::Other,
                         std::string("HTTP client option refused: ") + curl_easy_strerror(code));
    }
}

void AllowOnlyHttp(CURL* handle) {
#if LIBCURL_VERSION_NUM >= 0x075500  // 7.85.0
    SetOption(handle, CURLOPT_PROTOCOLS_STR, "http,https");
    SetOption(handle, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
#else
    SetOption(handle, CURLOPT_PROTOCOLS, static_cast<long>(CURLPROTO_HTTP | CURLPROTO_HTTPS));
    SetOption(handle, CURLOPT_REDIR_PROTOCOLS, static_cast<long>(CURLPROTO_HTTP | CURLPROTO_HTTPS));
#endif
}

[[noreturn]] void ThrowFor(CURLcode code, CURL* handle, const Transfer& transfer,
                           const std::string& url, const char* detail) {
    using Kind = FetchError::Kind;
    const std::string where = " (" + url + ")";
    const std::string reason = detail[0] != '\0' ? detail : curl_easy_strerror(code);
    switch (code) {
        case CURLE_COULDNT_CONNECT:
            throw FetchError(Kind::Connect, "connection failed: " + reason + where);
        case CURLE_COULDNT_RESOLVE_HOST:
        case CURLE_COULDNT_RESOLVE_PROXY:
            throw FetchError(Kind::Resolve, "host name not resolved: " + reason + where);
        case CURLE_OPERATION_TIMEDOUT:
            throw FetchError(Kind::Timeout, "timed out: " + reason + where);
        case CURLE_HTTP_RETURNED_ERROR: {
            long status = 0;
            curl_easy_getinfo(handle, CURLINFO_RESPONSE_CODE, &status);
            throw FetchError(Kind::HttpStatus,
                             "server answered HTTP status " + std::to_string(status) + where);
        }
        case CURLE_FILESIZE_EXCEEDED:
            throw FetchError(
                Kind::TooLarge,
                "response body over " + std::to_string(transfer.maxBodyBytes) + " bytes" + where);
        case CURLE_WRITE_ERROR:
            if (transfer.tooLarge) {
                throw FetchError(Kind::TooLarge, "response body over " +
                                                     std::to_string(transfer.maxBodyBytes) +
                                                     " bytes" + where);
            }
            break;
        case CURLE_ABORTED_BY_CALLBACK:
            throw FetchError(Kind::Aborted, "transfer aborted" + where);
        case CURLE_TOO_MANY_REDIRECTS:
            throw FetchError(Kind::Other, "more than " + std::to_string(kMaxRedirects) +
                                              " redirects (a redirect loop?)" + where);
        default:
            break;
    }
    throw FetchError(Kind::Other, "HTTP request failed: " + reason + where);
}

[[noreturn]] void ThrowMulti(CURLMcode code) {
    throw FetchError(FetchError::Kind::Other,
                     std::string("HTTP transfer failed: ") + curl_multi_strerror(code));
}

// Runs the transfer to its end and returns libcurl's result. libcurl calls the
// progress callback only about once a second while a server sends nothing, so
// the transfer is driven here in short waits, and the abort flag is looked at
// after each one as well as from the progress callback.
CURLcode Perform(CURL* easy, const Transfer& transfer) {
    MultiHandle multi(curl_multi_init());
    if (!multi) {
        throw FetchError(FetchError::Kind::Other, "cannot create an HTTP transfer");
    }
    const Attachment attachment(multi.get(), easy);
    for (;;) {
        int running = 0;
        CURLMcode code = curl_multi_perform(multi.get(), &running);
        if (code != CURLM_OK) {
            ThrowMulti(code);
        }
        if (running == 0) {
            break;
        }
        if (AbortRequested(transfer)) {
            return CURLE_ABORTED_BY_CALLBACK;
        }
        code = curl_multi_poll(multi.get(), nullptr, 0, kAbortCheckMs, nullptr);
        if (code != CURLM_OK) {
            ThrowMulti(code);
        }
    }
    int left = 0;
    while (const CURLMsg* message = curl_multi_info_read(multi.get(), &left)) {
        if (message->msg == CURLMSG_DONE && message->easy_handle == easy) {
            return message->data.result;
        }
    }
    throw FetchError(FetchError::Kind::Other, "HTTP transfer ended without a result");
}

}  // namespace

std::vector<std::string> HttpTextFetch(const std::string& url, const FetchOptions& options) {
    if (options.abort != nullptr && options.abort->load()) {
        throw FetchError(FetchError::Kind::Aborted,
                         "transfer aborted before it began (" + url + ")");
    }
    InitCurlOnce();
    EasyHandle easy(curl_easy_init());
    if (!easy) {
        throw FetchError(FetchError::Kind::Other, "cannot create an HTTP transfer");
    }
    CURL* handle = easy.get();

    Transfer transfer;
    transfer.maxBodyBytes = options.maxBodyBytes;
    transfer.abort = options.abort;
    char detail[CURL_ERROR_SIZE] = {};

    HeaderList headers;
    if (options.noCache) {
        for (const char* header : {"Cache-Control: no-cache", "Pragma: no-cache"}) {
            curl_slist* longer = curl_slist_append(headers.get(), header);
            if (longer == nullptr) {
                throw FetchError(FetchError::Kind::Other, "cannot build the request headers");
            }
            headers.release();
            headers.reset(longer);
        }
    }

    SetOption(handle, CURLOPT_URL, url.c_str());
    SetOption(handle, CURLOPT_HTTPGET, 1L);
    SetOption(handle, CURLOPT_USERAGENT, kUserAgent);
    SetOption(handle, CURLOPT_NOSIGNAL, 1L);
    SetOption(handle, CURLOPT_ERRORBUFFER, detail);
    AllowOnlyHttp(handle);
    SetOption(handle, CURLOPT_FOLLOWLOCATION, 1L);
    SetOption(handle, CURLOPT_MAXREDIRS, kMaxRedirects);
    SetOption(handle, CURLOPT_FAILONERROR, 1L);
    SetOption(handle, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(options.connectTimeout.count()));
    SetOption(handle, CURLOPT_TIMEOUT_MS, static_cast<long>(options.totalTimeout.count()));
    SetOption(handle, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(options.maxBodyBytes));
    SetOption(handle, CURLOPT_WRITEFUNCTION, &OnBody);
    SetOption(handle, CURLOPT_WRITEDATA, static_cast<void*>(&transfer));
    SetOption(handle, CURLOPT_NOPROGRESS, 0L);
    SetOption(handle, CURLOPT_XFERINFOFUNCTION, &OnProgress);
    SetOption(handle, CURLOPT_XFERINFODATA, static_cast<void*>(&transfer));
    if (headers) {
        SetOption(handle, CURLOPT_HTTPHEADER, headers.get());
    }

    const CURLcode code = Perform(handle, transfer);
    if (code != CURLE_OK) {
        ThrowFor(code, handle, transfer, url, detail);
    }
    return SplitBodyLines(transfer.body);
}

}  // namespace pk10
