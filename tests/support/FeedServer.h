#pragma once
// The results and maker server in one, for in-process tests of the
// application: the 30 newest real draws in the text feed, the draw after them
// in the XML feed once the test releases it, a version stamp the test sets,
// and a promotional link. Polls can be held inside their transfer.

#include <atomic>
#include <chrono>
#include <filesystem>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "app/AppOptions.h"
#include "support/LocalHttpServer.h"
#include "support/RealDraws.h"

namespace pk10::test {

class FeedServer {
  public:
    FeedServer() : draws_(test::RealDraws()) {
        auto& server = server_.server();
        server.Get("/pk10.txt", [this](const httplib::Request&, httplib::Response& res) {
            std::string body;
            for (std::size_t i = 1; i <= 30; ++i) {
                body += draws_[i] + "\r\n";
            }
            res.set_content(body, "text/plain");
        });
        server.Get("/pk10.xml", [this](const httplib::Request&, httplib::Response& res) {
            polls_.fetch_add(1);
            while (holdPolls_.load()) {
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            }
            const std::size_t newest = publishNewest_.load() ? 0 : 1;
            res.set_content("<xml><row expect=" + draws_[newest] + " /></xml>\r\n", "text/xml");
        });
        server.Get("/setting/pk10updata.txt",
                   [this](const httplib::Request&, httplib::Response& res) {
                       std::lock_guard lock(mutex_);
                       res.set_content(version_, "text/plain");
                   });
        server.Get("/addurl/pk10.txt", [](const httplib::Request&, httplib::Response& res) {
            res.set_content("http://promo.example/pk10\r\n", "text/plain");
        });
        base_ = server_.Start();
    }
    ~FeedServer() { holdPolls_ = false; }

    const std::string& base() const { return base_; }
    const std::vector<std::string>& draws() const { return draws_; }
    void SetVersion(std::string version) {
        std::lock_guard lock(mutex_);
        version_ = std::move(version);
    }
    void HoldPolls(bool hold) { holdPolls_ = hold; }
    void PublishNewest() { publishNewest_ = true; }
    int polls() const { return polls_.load(); }

  private:
    std::vector<std::string> draws_;
    std::mutex mutex_;
    std::string version_ = "20160401";
    std::atomic<bool> holdPolls_{false};
    std::atomic<bool> publishNewest_{false};
    std::atomic<int> polls_{0};
    test::LocalHttpServer server_;
    std::string base_;
};

inline AppOptions Options(const std::string& results, const std::string& maker,
                          const std::filesystem::path& dir, int refreshMs = 3600000) {
    AppOptions options;
    options.resultsServer = results;
    options.makerServer = maker;
    options.refreshMs = refreshMs;
    options.headless = true;
    options.workDir = dir;
    return options;
}

}  // namespace pk10::test
