// The update check and the promotional link against a real HTTP server.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "online/CheckForUpdate.h"
#include "online/OpenPromoLink.h"
#include "support/LocalHttpServer.h"

namespace pk10 {
namespace {

using namespace std::chrono_literals;

// Records what would reach the user: messages and opened addresses, in order.
class RecordingDesktop : public Notifier, public DesktopOpener {
  public:
    void ShowMessage(const std::string& caption, const std::string& text) override {
        std::lock_guard lock(mutex_);
        events_.push_back("message " + caption + ": " + text);
    }
    void OpenUrl(const std::string& url) override {
        std::lock_guard lock(mutex_);
        events_.push_back("open " + url);
    }
    std::vector<std::string> Events() const {
        std::lock_guard lock(mutex_);
        return events_;
    }

  private:
    mutable std::mutex mutex_;
    std::vector<std::string> events_;
};

// A maker server whose files the test sets; it counts requests and remembers
// the cache headers of the last one.
class MakerServer {
  public:
    MakerServer() {
        auto serve = [this](const char* path, std::string* body) {
            server_.server().Get(path,
                                 [this, body](const httplib::Request& req, httplib::Response& res) {
                                     std::lock_guard lock(mutex_);
                                     ++requests_;
                                     lastCacheControl_ = req.get_header_value("Cache-Control");
                                     lastPragma_ = req.get_header_value("Pragma");
                                     if (status_ != 200) {
                                         res.status = status_;
                                     }
                                     res.set_content(*body, "text/plain");
                                 });
        };
        serve("/setting/pk10updata.txt", &updateFile_);
        serve("/addurl/pk10.txt", &promoFile_);
        base_ = server_.Start();
    }

    const std::string& base() const { return base_; }
    void SetUpdateFile(std::string body) {
        std::lock_guard lock(mutex_);
        updateFile_ = std::move(body);
    }
    void SetPromoFile(std::string body) {
        std::lock_guard lock(mutex_);
        promoFile_ = std::move(body);
    }
    void SetStatus(int status) {
        std::lock_guard lock(mutex_);
        status_ = status;
    }
    int requests() const {
        std::lock_guard lock(mutex_);
        return requests_;
    }
    std::string lastCacheControl() const {
        std::lock_guard lock(mutex_);
        return lastCacheControl_;
    }
    std::string lastPragma() const {
        std::lock_guard lock(mutex_);
        return lastPragma_;
    }

  private:
    mutable std::mutex mutex_;
    std::string updateFile_;
    std::string promoFile_;
    int status_ = 200;
    int requests_ = 0;
    std::string lastCacheControl_;
    std::string lastPragma_;
    test::LocalHttpServer server_;
    std::string base_;
};

TEST(CheckForUpdate, AnnouncesOnlyANewerVersionThenOpensItsDownload) {
    struct Case {
        const char* name;
        std::string body;
        UpdateOutcome outcome;
    };
    const Case cases[] = {
        {"same version", "20160401\r\n", UpdateOutcome::Current},
        {"older version", "20150101\n", UpdateOutcome::Current},
        {"newer version", "20160402\r\n", UpdateOutcome::Announced},
        {"stamp over two lines", "2016\r\n0501\r\n", UpdateOutcome::Announced},
        {"blank line first", "\r\n20991231\r\n", UpdateOutcome::Announced},
        {"word first", "version 20991231\n", UpdateOutcome::Current},
        {"empty file", "", UpdateOutcome::Current},
        {"huge number", "999999999999999999999999999", UpdateOutcome::Announced},
    };
    MakerServer maker;
    for (const Case& c : cases) {
        maker.SetUpdateFile(c.body);
        RecordingDesktop desktop;
        EXPECT_EQ(CheckForUpdate(maker.base(), desktop, desktop), c.outcome) << c.name;
        std::vector<std::string> expected;
        if (c.outcome == UpdateOutcome::Announced) {
            expected = {
                "message pk10plan: 发现软件有升级，请到官网" + maker.base() + "下载最新版本!!",
                "open " + maker.base() + "varnokxz/pk10sy.rar"};
        }
        EXPECT_EQ(desktop.Events(), expected) << c.name;
    }
}

TEST(CheckForUpdate, FailuresAreSilent) {
    MakerServer maker;
    maker.SetUpdateFile("20991231");
    maker.SetStatus(500);
    RecordingDesktop desktop;
    EXPECT_EQ(CheckForUpdate(maker.base(), desktop, desktop), UpdateOutcome::Failed);

    test::LocalHttpServer closed;
    const std::string gone = closed.Start();
    closed.Stop();
    EXPECT_EQ(CheckForUpdate(gone, desktop, desktop), UpdateOutcome::Failed);
    EXPECT_TRUE(desktop.Events().empty());
}

TEST(OpenPromoLink, OpensTheFirstLineOnlyWhenItIsAWebAddress) {
    struct Case {
        const char* name;
        std::string body;
        PromoOutcome outcome;
        std::string opened;
    };
    const Case cases[] = {
        {"one address", "http://promo.example/a\r\n", PromoOutcome::Opened,
         "http://promo.example/a"},
        {"several lines", "https://one.example/\r\nhttp://two.example/\r\n", PromoOutcome::Opened,
         "https://one.example/"},
        {"no line end", "https://one.example/x?y=1", PromoOutcome::Opened,
         "https://one.example/x?y=1"},
        {"empty file", "", PromoOutcome::Ignored, ""},
        {"local program", "calc.exe\r\n", PromoOutcome::Ignored, ""},
        {"shell command", "sh -c 'rm -rf ~'\n", PromoOutcome::Ignored, ""},
        {"file address", "file:///etc/passwd\n", PromoOutcome::Ignored, ""},
    };
    MakerServer maker;
    for (const Case& c : cases) {
        maker.SetPromoFile(c.body);
        RecordingDesktop desktop;
        EXPECT_EQ(OpenPromoLink(maker.base(), desktop), c.outcome) << c.name;
        const std::vector<std::string> expected =
            c.opened.empty() ? std::vector<std::string>{}
                             : std::vector<std::string>{"open " + c.opened};
        EXPECT_EQ(desktop.Events(), expected) << c.name;
    }
}

TEST(OpenPromoLink, EveryRequestAsksPastTheCaches) {
    MakerServer maker;
    maker.SetPromoFile("http://promo.example/\n");
    RecordingDesktop desktop;
    EXPECT_EQ(OpenPromoLink(maker.base(), desktop), PromoOutcome::Opened);
    EXPECT_EQ(OpenPromoLink(maker.base(), desktop), PromoOutcome::Opened);
    EXPECT_EQ(maker.requests(), 2);
    EXPECT_EQ(maker.lastCacheControl(), "no-cache");
    EXPECT_EQ(maker.lastPragma(), "no-cache");
    EXPECT_EQ(desktop.Events().size(), 2U);
}

TEST(OpenPromoLink, AnErrorPageOpensNothing) {
    MakerServer maker;
    maker.SetPromoFile("http://promo.example/\n");
    maker.SetStatus(404);
    RecordingDesktop desktop;
    EXPECT_EQ(OpenPromoLink(maker.base(), desktop), PromoOutcome::Failed);
    EXPECT_TRUE(desktop.Events().empty());
}

TEST(OpenPromoLink, AnAbortEndsAStuckTransferAtOnce) {
    test::LocalHttpServer slow;
    std::atomic<bool> release{false};
    slow.server().Get("/addurl/pk10.txt", [&](const httplib::Request&, httplib::Response& res) {
        for (int i = 0; i < 1000 && !release; ++i) {
            std::this_thread::sleep_for(10ms);
        }
        res.set_content("http://late.example/\n", "text/plain");
    });
    const std::string base = slow.Start();
    std::atomic<bool> abort{false};
    FetchOptions options;
    options.abort = &abort;
    RecordingDesktop desktop;
    std::thread stopper([&] {
        std::this_thread::sleep_for(200ms);
        abort = true;
    });
    const auto started = std::chrono::steady_clock::now();
    EXPECT_EQ(OpenPromoLink(base, desktop, options), PromoOutcome::Failed);
    EXPECT_LT(std::chrono::steady_clock::now() - started, 2s);
    stopper.join();
    release = true;
    EXPECT_TRUE(desktop.Events().empty());
}

}  // namespace
}  // namespace pk10
