#include "io/HttpTextFetch.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "support/ListeningSocket.h"
#include "support/LocalHttpServer.h"

namespace pk10 {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;
using Lines = std::vector<std::string>;

TEST(SplitBodyLines, ReadsLinesAsTheFeedsExpect) {
    struct Case {
        const char* name;
        std::string body;
        Lines lines;
    };
    const Case cases[] = {
        {"empty body", "", {}},
        {"one line with LF", "a\n", {"a"}},
        {"last line without LF", "a\nb", {"a", "b"}},
        {"CR LF ends", "a\r\nb\r\n", {"a", "b"}},
        {"CR inside a line", "a\rb\r\r\nc", {"ab", "c"}},
        {"CR alone", "\r", {}},
        {"empty lines kept", "\n\na\n", {"", "", "a"}},
        {"CR before an empty line", "a\n\r\n", {"a", ""}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SplitBodyLines(c.body), c.lines) << c.name;
    }
}

TEST(JoinUrl, PutsOneSlashBetweenServerAndPath) {
    EXPECT_EQ(JoinUrl("http://h:1/", "pk10.txt"), "http://h:1/pk10.txt");
    EXPECT_EQ(JoinUrl("http://h:1", "pk10.txt"), "http://h:1/pk10.txt");
    EXPECT_EQ(JoinUrl("http://h:1/", "/pk10.txt"), "http://h:1/pk10.txt");
    EXPECT_EQ(JoinUrl("http://h/base", "a/b.txt"), "http://h/base/a/b.txt");
}

class HttpTextFetchTest : public ::testing::Test {
  protected:
    std::string Serve(const std::string& path, int status, const std::string& body) {
        server_.server().Get(path, [status, body](const httplib::Request&, httplib::Response& r) {
            r.status = status;
            r.set_content(body, "text/plain");
        });
        return server_.BaseUrl() + path.substr(1);
    }
    std::string Start() { return server_.Start(); }

    // The kind of the FetchError thrown by fetching `url`; fails when none is thrown.
    static FetchError::Kind ErrorKind(const std::string& url, const FetchOptions& options = {}) {
        try {
            HttpTextFetch(url, options);
        } catch (const FetchError& error) {
            return error.kind();
        }
        ADD_FAILURE() << "no FetchError for " << url;
        return FetchError::Kind::Other;
    }

    test::LocalHttpServer server_;
};

TEST_F(HttpTextFetchTest, ReturnsTheBodyAsLines) {
    Serve("/crlf", 200, "466281 08 07\r\n4662\r80\r\nlast");
    Serve("/empty", 200, "");
    const std::string base = Start();
    EXPECT_EQ(HttpTextFetch(base + "crlf"), (Lines{"466281 08 07", "466280", "last"}));
    EXPECT_EQ(HttpTextFetch(base + "empty"), Lines{});
}

TEST_F(HttpTextFetchTest, AnErrorStatusIsAFailure) {
    for (int status : {400, 404, 500, 503}) {
        server_.server().Get(
            "/s" + std::to_string(status), [status](const httplib::Request&, httplib::Response& r) {
                r.status = status;
                r.set_content("466281 08 07 01 03 02 09 05 06 10 04\n", "text/plain");
            });
    }
    const std::string base = Start();
    for (int status : {400, 404, 500, 503}) {
        const std::string url = base + "s" + std::to_string(status);
        try {
            HttpTextFetch(url);
            ADD_FAILURE() << "status " << status << " read as a body";
        } catch (const FetchError& error) {
            EXPECT_EQ(error.kind(), FetchError::Kind::HttpStatus) << status;
            EXPECT_NE(std::string(error.what()).find(std::to_string(status)), std::string::npos)
                << error.what();
        }
    }
}

TEST_F(HttpTextFetchTest, SendsTheAgentAndTheNoCacheHeadersOnlyWhenAsked) {
    std::mutex mutex;
    std::vector<httplib::Headers> seen;
    server_.server().Get("/h", [&](const httplib::Request& request, httplib::Response& r) {
        std::lock_guard lock(mutex);
        seen.push_back(request.headers);
        r.set_content("ok", "text/plain");
    });
    const std::string url = Start() + "h";
    FetchOptions noCache;
    noCache.noCache = true;
    HttpTextFetch(url);
    HttpTextFetch(url, noCache);
    std::lock_guard lock(mutex);
    ASSERT_EQ(seen.size(), 2U);
    for (const auto& headers : seen) {
        EXPECT_EQ(headers.find("User-Agent")->second, kUserAgent);
    }
    EXPECT_EQ(seen[0].count("Cache-Control"), 0U);
    EXPECT_EQ(seen[0].count("Pragma"), 0U);
    EXPECT_EQ(seen[1].find("Cache-Control")->second, "no-cache");
    EXPECT_EQ(seen[1].find("Pragma")->second, "no-cache");
}

TEST_F(HttpTextFetchTest, FollowsRedirectsButNotALoop) {
    server_.server().Get(
        "/moved", [](const httplib::Request&, httplib::Response& r) { r.set_redirect("/target"); });
    Serve("/target", 200, "arrived\n");
    server_.server().Get(
        "/loop", [](const httplib::Request&, httplib::Response& r) { r.set_redirect("/loop"); });
    server_.server().Get("/away", [](const httplib::Request&, httplib::Response& r) {
        r.set_redirect("file:///etc/hostname");
    });
    const std::string base = Start();
    EXPECT_EQ(HttpTextFetch(base + "moved"), Lines{"arrived"});
    EXPECT_EQ(ErrorKind(base + "loop"), FetchError::Kind::Other);
    EXPECT_EQ(ErrorKind(base + "away"), FetchError::Kind::Other) << "redirect to file:";
}

TEST_F(HttpTextFetchTest, OnlyHttpAddressesAreFetched) {
    EXPECT_EQ(ErrorKind("file:///etc/hostname"), FetchError::Kind::Other);
    EXPECT_EQ(ErrorKind("ftp://127.0.0.1/x"), FetchError::Kind::Other);
}

TEST_F(HttpTextFetchTest, RefusesABodyOverTheLimit) {
    const std::string big(2 * 1024 * 1024, 'x');
    Serve("/big", 200, big);
    // Without a declared length the limit has to be enforced while reading.
    server_.server().Get("/chunked", [&big](const httplib::Request&, httplib::Response& r) {
        r.set_chunked_content_provider("text/plain",
                                       [&big](std::size_t offset, httplib::DataSink& sink) {
                                           if (offset >= big.size()) {
                                               sink.done();
                                               return true;
                                           }
                                           sink.write(big.data() + offset, 64 * 1024);
                                           return true;
                                       });
    });
    Serve("/limit", 200, std::string(1024 * 1024, 'y'));
    const std::string base = Start();
    EXPECT_EQ(ErrorKind(base + "big"), FetchError::Kind::TooLarge);
    EXPECT_EQ(ErrorKind(base + "chunked"), FetchError::Kind::TooLarge);
    EXPECT_EQ(HttpTextFetch(base + "limit").size(), 1U) << "exactly 1 MiB is allowed";
}

TEST(HttpTextFetchFailures, ARefusedConnectionFailsAtOnce) {
    const auto start = Clock::now();
    try {
        HttpTextFetch(test::RefusedBaseUrl() + "pk10.txt");
        ADD_FAILURE() << "no error";
    } catch (const FetchError& error) {
        EXPECT_EQ(error.kind(), FetchError::Kind::Connect) << error.what();
    }
    EXPECT_LT(Clock::now() - start, milliseconds(2000));
}

TEST(HttpTextFetchFailures, AServerThatNeverAnswersTimesOut) {
    test::ListeningSocket silent;
    silent.Listen();
    FetchOptions options;
    options.connectTimeout = milliseconds(300);
    options.totalTimeout = milliseconds(300);
    const auto start = Clock::now();
    try {
        HttpTextFetch(silent.BaseUrl() + "pk10.txt", options);
        ADD_FAILURE() << "no error";
    } catch (const FetchError& error) {
        EXPECT_EQ(error.kind(), FetchError::Kind::Timeout) << error.what();
    }
    EXPECT_LT(Clock::now() - start, milliseconds(3000));
}

TEST(HttpTextFetchFailures, AnAbortFromAnotherThreadStopsAStuckTransfer) {
    test::ListeningSocket silent;
    silent.Listen();
    std::atomic<bool> abort{false};
    FetchOptions options;  // default time-outs: only the abort can end it early
    options.abort = &abort;
    Clock::time_point abortedAt;
    std::thread aborter([&] {
        std::this_thread::sleep_for(milliseconds(300));
        abortedAt = Clock::now();
        abort = true;
    });
    try {
        HttpTextFetch(silent.BaseUrl() + "pk10.txt", options);
        ADD_FAILURE() << "no error";
    } catch (const FetchError& error) {
        EXPECT_EQ(error.kind(), FetchError::Kind::Aborted) << error.what();
    }
    const auto stoppedAt = Clock::now();
    aborter.join();
    EXPECT_LT(stoppedAt - abortedAt, milliseconds(1000));

    // Once the flag is set, no transfer starts.
    EXPECT_THROW(HttpTextFetch(silent.BaseUrl() + "pk10.txt", options), FetchError);
}

TEST(HttpTextFetchFailures, AnUnknownHostIsAResolveFailure) {
    FetchOptions options;
    options.connectTimeout = milliseconds(2000);
    options.totalTimeout = milliseconds(3000);
    try {
        HttpTextFetch("http://no-such-host.invalid/pk10.txt", options);
        ADD_FAILURE() << "no error";
    } catch (const FetchError& error) {
        // Without a resolver on the machine the look-up may time out instead.
        EXPECT_TRUE(error.kind() == FetchError::Kind::Resolve ||
                    error.kind() == FetchError::Kind::Timeout)
            << error.what();
    }
}

}  // namespace
}  // namespace pk10
