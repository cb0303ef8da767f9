// pk10plan --headless against servers that misbehave on purpose: refused
// connections, error pages, huge, cut, stuck, trickling, garbage and invalid
// UTF-8 bodies on every path, redirect loops and an XML feed whose period goes
// backwards. Whatever comes back, only draws are stored (the printed draw pane
// and data1.txt), no transfer outlasts its time-outs, and the run goes on until
// SIGTERM ends it with status 0.
//
// The cases of one test run side by side, each with its own server, working
// directory and pk10plan, so the file takes about as long as its slowest case.

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <csignal>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "e2e/Pk10Run.h"
#include "feedsim/FeedSimRunner.h"
#include "support/ListeningSocket.h"
#include "support/LocalHttpServer.h"
#include "support/RealDraws.h"
#include "support/TempDir.h"

namespace pk10::test {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using Handler = httplib::Server::Handler;

constexpr std::uint32_t kFeedNewest = 512040;  // period of the text feed's newest draw
constexpr std::size_t kTenMiB = 10U << 20;

// The draw of `period` with the cars of the bundled real draw `index`.
std::string Draw(std::uint32_t period, std::size_t index) {
    static const std::vector<std::string> real = RealDraws();
    char text[8];
    std::snprintf(text, sizeof text, "%06u", period % 1000000U);
    return text + real.at(index).substr(6);
}

// The 30 draws of the text feed, newest first.
std::vector<std::string> FeedDraws() {
    std::vector<std::string> draws;
    for (std::uint32_t i = 0; i < 30; ++i) {
        draws.push_back(Draw(kFeedNewest - i, 100 + i));
    }
    return draws;
}

std::string TextFeed(const std::vector<std::string>& lines) {
    std::string body;
    for (const std::string& line : lines) {
        body += line + "\r\n";
    }
    return body;
}

std::string XmlFeed(const std::string& newest) {
    return "<pk10>\r\n<newest>=" + newest + "</newest>\r\n</pk10>\r\n";
}

// A server whose every path behaves as its case says (404 for paths it does
// not name) and which counts the requests of each path. Stuck and trickling
// answers end when the server is destroyed.
class FaultServer {
  public:
    explicit FaultServer(std::map<std::string, Handler> routes) : routes_(std::move(routes)) {
        http_.server().Get(".*", [this](const httplib::Request& req, httplib::Response& res) {
            Handler handler;
            {
                std::lock_guard lock(mutex_);
                ++counts_[req.path];
                const auto found = routes_.find(req.path);
                if (found != routes_.end()) {
                    handler = found->second;
                }
            }
            if (handler) {
                handler(req, res);
            } else {
                res.status = 404;
            }
        });
        base_ = http_.Start();
    }
    FaultServer(const FaultServer&) = delete;
    FaultServer& operator=(const FaultServer&) = delete;
    ~FaultServer() {
        {
            std::lock_guard lock(mutex_);
            stopping_ = true;
        }
        wake_.notify_all();
        http_.Stop();
    }

    const std::string& base() const { return base_; }

    int Count(const std::string& path) const {
        std::lock_guard lock(mutex_);
        const auto found = counts_.find(path);
        return found == counts_.end() ? 0 : found->second;
    }

    // Waits up to `wait`; false when the server is being destroyed.
    bool Pause(std::chrono::milliseconds wait) {
        std::unique_lock lock(mutex_);
        return !wake_.wait_for(lock, wait, [this] { return stopping_; });
    }

  private:
    LocalHttpServer http_;
    std::map<std::string, Handler> routes_;
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::map<std::string, int> counts_;
    bool stopping_ = false;
    std::string base_;
};

// Behaviours of one path.

Handler Reply(int status, std::string body, std::string type = "text/plain") {
    return [=](const httplib::Request&, httplib::Response& res) {
        res.status = status;
        res.set_content(body, type.c_str());
    };
}

// The n-th request gets bodies[n]; the last body is repeated after them.
Handler Sequence(std::vector<std::string> bodies) {
    auto next = std::make_shared<std::atomic<std::size_t>>(0);
    return [bodies, next](const httplib::Request&, httplib::Response& res) {
        const std::size_t n = std::min(next->fetch_add(1), bodies.size() - 1);
        res.set_content(bodies[n], "text/xml");
    };
}

// Announces the whole body's length, sends its first `cut` bytes and closes.
Handler CutAfter(std::string body, std::size_t cut) {
    auto shared = std::make_shared<const std::string>(std::move(body));
    return [shared, cut](const httplib::Request&, httplib::Response& res) {
        res.set_content_provider(
            shared->size(), "text/plain",
            [shared, cut](std::size_t offset, std::size_t, httplib::DataSink& sink) {
                if (offset < cut) {
                    sink.write(shared->data() + offset, cut - offset);
                    return true;
                }
                return false;  // the connection is dropped here
            });
    };
}

// `head`, then `fill` up to `total` bytes; chunked when `chunked`, else with
// its length announced.
Handler Huge(std::string head, char fill, std::size_t total, bool chunked) {
    auto body = std::make_shared<std::string>(std::move(head));
    body->resize(total, fill);
    return [body, chunked](const httplib::Request&, httplib::Response& res) {
        const auto provide = [body](std::size_t offset, httplib::DataSink& sink) {
            if (offset >= body->size()) {
                sink.done();
                return true;
            }
            const std::size_t n = std::min<std::size_t>(64 * 1024, body->size() - offset);
            return sink.write(body->data() + offset, n);
        };
        if (chunked) {
            res.set_chunked_content_provider("text/plain", provide);
        } else {
            res.set_content_provider(
                body->size(), "text/plain",
                [provide](std::size_t offset, std::size_t, httplib::DataSink& sink) {
                    return provide(offset, sink);
                });
        }
    };
}

// Sends one byte of `body` a second.
Handler Trickle(FaultServer*& server, std::string body) {
    auto shared = std::make_shared<const std::string>(std::move(body));
    return [&server, shared](const httplib::Request&, httplib::Response& res) {
        FaultServer* owner = server;
        res.set_content_provider(
            shared->size(), "text/plain",
            [owner, shared](std::size_t offset, std::size_t, httplib::DataSink& sink) {
                return owner->Pause(1s) && sink.write(shared->data() + offset, 1);
            });
    };
}

// Accepts the request and never answers.
Handler Silent(FaultServer*& server) {
    return [&server](const httplib::Request&, httplib::Response& res) {
        while (server->Pause(1s)) {
        }
        res.status = 503;
    };
}

Handler RedirectToItself() {
    return [](const httplib::Request& req, httplib::Response& res) { res.set_redirect(req.path); };
}

// Bytes from a fixed seed; the first is a letter so that no version number
// can be read from them.
std::string Garbage(unsigned seed, std::size_t size) {
    std::mt19937 random(seed);
    std::string bytes(size, '\0');
    for (char& c : bytes) {
        c = static_cast<char>(random() & 0xff);
    }
    bytes[0] = 'x';
    return bytes;
}

constexpr const char* kTextPath = "/pk10.txt";
constexpr const char* kXmlPath = "/pk10.xml";
constexpr const char* kUpdatePath = "/setting/pk10updata.txt";
constexpr const char* kPromoPath = "/addurl/pk10.txt";

struct FaultCase {
    std::string name;
    // Filled once the case's server exists, so stuck answers can wait on it.
    std::function<std::map<std::string, Handler>(FaultServer*&)> routes;
    bool refused = false;
    // Stop once the start-up is done, this many XML polls have reached the
    // server and `settle` has passed after that.
    int xmlRequests = 0;
    std::chrono::milliseconds settle{0};
    // The draws the start-up stores, newest first, and the draws merged after it.
    std::vector<std::string> startupDraws;
    std::vector<std::string> mergedDraws;
    // More checks of the finished run.
    std::function<void(const FaultServer&, const std::string& out)> check;
};

// One case under way.
struct CaseRun {
    const FaultCase* fault = nullptr;
    FaultServer* serverPtr = nullptr;  // what the stuck behaviours wait on
    std::unique_ptr<FaultServer> server;
    TempDir dir;
    std::unique_ptr<ChildProcess> process;
    std::optional<Clock::time_point> readyAt;
};

std::size_t Count(const std::string& out, const std::string& header) {
    return Blocks(out, header).size();
}

// Runs every case at once; each is stopped with SIGTERM once it is ready, or
// when `deadline` has passed, and then checked.
void RunCases(const std::vector<FaultCase>& cases, std::chrono::seconds deadline) {
    const auto started = Clock::now();
    std::vector<std::unique_ptr<CaseRun>> runs;
    for (const FaultCase& fault : cases) {
        auto run = std::make_unique<CaseRun>();
        run->fault = &fault;
        std::string base;
        if (fault.refused) {
            base = RefusedBaseUrl();
        } else {
            run->server = std::make_unique<FaultServer>(fault.routes(run->serverPtr));
            run->serverPtr = run->server.get();
            base = run->server->base();
        }
        run->process = std::make_unique<ChildProcess>(
            Pk10Binary(),
            Pk10Options({"--results-server", base, "--maker-server", base, "--refresh-ms", "200"},
                        run->dir.path()));
        runs.push_back(std::move(run));
    }

    // Stop each case when it is ready.
    std::vector<std::optional<ExitStatus>> statuses(runs.size());
    std::vector<bool> stopped(runs.size(), false);
    for (std::size_t left = runs.size(); left > 0 && Clock::now() - started < deadline;) {
        std::this_thread::sleep_for(50ms);
        for (std::size_t i = 0; i < runs.size(); ++i) {
            CaseRun& run = *runs[i];
            if (stopped[i]) {
                continue;
            }
            const bool startupDone = Count(run.process->Stdout(), "== plan pane ==") >= 2;
            const int polls = run.server ? run.server->Count(kXmlPath) : 0;
            if (!run.readyAt && startupDone && polls >= run.fault->xmlRequests) {
                run.readyAt = Clock::now();
            }
            if (run.readyAt && Clock::now() - *run.readyAt >= run.fault->settle) {
                EXPECT_TRUE(run.process->Running()) << run.fault->name << ": ended on its own";
                run.process->Signal(SIGTERM);
                statuses[i] = run.process->Wait(10s);
                stopped[i] = true;
                --left;
            }
        }
    }

    for (std::size_t i = 0; i < runs.size(); ++i) {
        CaseRun& run = *runs[i];
        const FaultCase& fault = *run.fault;
        SCOPED_TRACE(fault.name);
        const std::string out = run.process->Stdout();
        if (!stopped[i]) {
            ADD_FAILURE() << "not ready within " << deadline.count() << " s; stdout:\n"
                          << out.substr(0, 4000);
            run.process->Stop(SIGTERM, 10s);
            continue;
        }
        ASSERT_TRUE(statuses[i]) << "still running 10 s after SIGTERM";
        EXPECT_TRUE(statuses[i]->ExitedWith(0)) << *statuses[i] << "\n" << run.process->Stderr();

        // Every line of every draw pane is a draw or empty; the first pane lists
        // the start-up's draws and each later one adds the next merged draw.
        const auto listings = Blocks(out, "== draw pane ==");
        ASSERT_EQ(listings.size(), 1 + fault.mergedDraws.size()) << out.substr(0, 4000);
        for (const auto& listing : listings) {
            for (const std::string& line : listing) {
                EXPECT_TRUE(line.empty() || IsDrawLine(line)) << "listed: " << line;
            }
        }
        std::vector<std::string> listed;
        for (auto it = listings[0].rbegin(); it != listings[0].rend(); ++it) {
            if (!it->empty()) {
                listed.push_back(*it);
            }
        }
        const std::size_t shown = std::min<std::size_t>(fault.startupDraws.size(), 20);
        EXPECT_EQ(listed, std::vector<std::string>(fault.startupDraws.begin(),
                                                   fault.startupDraws.begin() + shown));
        for (std::size_t m = 0; m < fault.mergedDraws.size(); ++m) {
            ASSERT_FALSE(listings[m + 1].empty());
            EXPECT_EQ(listings[m + 1].back(), fault.mergedDraws[m]) << "merge " << m;
        }

        // data1.txt holds the newest stored draw, or nothing.
        std::string newest;
        if (!fault.mergedDraws.empty()) {
            newest = fault.mergedDraws.back();
        } else if (!fault.startupDraws.empty()) {
            newest = fault.startupDraws.front();
        }
        EXPECT_EQ(ReadFileBytes(run.dir / "data1.txt"), newest);

        // Nothing a faulty maker's server sends is announced or opened.
        EXPECT_TRUE(LinesStartingWith(out, "message: ").empty()) << out.substr(0, 4000);
        EXPECT_TRUE(LinesStartingWith(out, "open: ").empty()) << out.substr(0, 4000);
        if (fault.check) {
            fault.check(*run.server, out);
        }
    }
}

TEST(HeadlessServerFaults, BadAnswersOnEveryPathStoreNothingButDraws) {
    const std::vector<std::string> feed = FeedDraws();
    const std::string errorPage = "<html><body><h1>500 Internal Server Error</h1>\r\n" +
                                  TextFeed(feed) + "<p>=" + Draw(kFeedNewest + 1, 5) +
                                  "</p></body></html>\r\n";

    // A text feed with every third line damaged by bytes that are not UTF-8.
    std::vector<std::string> mixed;
    std::vector<std::string> sound;
    for (std::size_t i = 0; i < feed.size(); ++i) {
        std::string line = feed[i];
        switch (i % 3) {
            case 0:
                sound.push_back(line);
                break;
            case 1:
                line[6] = '\xff';  // a byte that never starts a character
                break;
            default:
                line.replace(7, 1, "\xc0\xb0");  // an overlong '0'
                break;
        }
        mixed.push_back(line);
    }
    mixed.push_back(feed[0] + "\xc3");  // a character cut short after a sound draw

    std::vector<FaultCase> cases;
    {
        FaultCase& c = cases.emplace_back();
        c.name = "refused connection";
        c.refused = true;
        c.settle = 1000ms;
    }
    {
        FaultCase& c = cases.emplace_back();
        c.name = "HTTP 500 with an HTML page holding draws";
        c.routes = [&](FaultServer*&) {
            return std::map<std::string, Handler>{
                {kTextPath, Reply(500, errorPage, "text/html")},
                {kXmlPath, Reply(500, errorPage, "text/html")},
                {kUpdatePath, Reply(500, "20991231\r\n", "text/html")},
                {kPromoPath, Reply(500, "http://promo.example/\r\n")}};
        };
        c.xmlRequests = 3;
    }
    {
        FaultCase& c = cases.emplace_back();
        c.name = "bodies of 10 MiB";
        c.routes = [&](FaultServer*&) {
            return std::map<std::string, Handler>{
                {kTextPath, Huge(TextFeed(feed), '\n', kTenMiB, false)},
                {kXmlPath, Huge(XmlFeed(Draw(kFeedNewest + 1, 5)), ' ', kTenMiB, true)},
                {kUpdatePath, Huge("20991231", ' ', kTenMiB, true)},
                {kPromoPath, Huge("http://promo.example/", 'a', kTenMiB, false)}};
        };
        c.xmlRequests = 3;
    }
    {
        FaultCase& c = cases.emplace_back();
        c.name = "connection dropped in the middle of the body";
        c.routes = [&](FaultServer*&) {
            const std::string text = TextFeed(feed);
            const std::string xml = XmlFeed(Draw(kFeedNewest + 1, 5));
            return std::map<std::string, Handler>{
                {kTextPath, CutAfter(text, 12 * 38 + 17)},
                {kXmlPath, CutAfter(xml, xml.find('=') + 21)},
                {kUpdatePath, CutAfter("20991231\r\n" + std::string(100, ' '), 8)},
                {kPromoPath, CutAfter("http://promo.example/x\r\n" + std::string(100, ' '), 22)}};
        };
        c.xmlRequests = 3;
    }
    {
        FaultCase& c = cases.emplace_back();
        c.name = "garbage bytes";
        c.routes = [&](FaultServer*&) {
            return std::map<std::string, Handler>{{kTextPath, Reply(200, Garbage(1, 64 * 1024))},
                                                  {kXmlPath, Reply(200, Garbage(2, 64 * 1024))},
                                                  {kUpdatePath, Reply(200, Garbage(3, 4096))},
                                                  {kPromoPath, Reply(200, Garbage(4, 4096))}};
        };
        c.xmlRequests = 3;
    }
    std::string badXmlDraw = Draw(kFeedNewest + 1, 5);
    badXmlDraw[20] = '\x80';  // a continuation byte with nothing before it
    {
        FaultCase& c = cases.emplace_back();
        c.name = "invalid UTF-8";
        c.routes = [&](FaultServer*&) {
            return std::map<std::string, Handler>{
                {kTextPath, Reply(200, TextFeed(mixed))},
                {kXmlPath, Reply(200, "<pk10 \xff\xfe>" + XmlFeed(badXmlDraw))},
                {kUpdatePath, Reply(200,
                                    "\xff\xfe"
                                    "20991231\r\n")},
                {kPromoPath, Reply(200, "http://promo.example/\xff\xfe\r\n")}};
        };
        c.xmlRequests = 3;
        c.startupDraws = sound;
    }
    {
        FaultCase& c = cases.emplace_back();
        c.name = "redirect loop";
        c.routes = [&](FaultServer*&) {
            return std::map<std::string, Handler>{{kTextPath, RedirectToItself()},
                                                  {kXmlPath, RedirectToItself()},
                                                  {kUpdatePath, RedirectToItself()},
                                                  {kPromoPath, RedirectToItself()}};
        };
        c.xmlRequests = 12;
        c.check = [](const FaultServer& server, const std::string&) {
            // Three attempts, each giving up after five redirects.
            EXPECT_EQ(server.Count(kTextPath), 3 * 6);
            EXPECT_EQ(server.Count(kUpdatePath), 6);
        };
    }

    // An XML feed that repeats its period and goes back before going on.
    const std::string next1 = Draw(kFeedNewest + 1, 1);
    const std::string next2 = Draw(kFeedNewest + 2, 2);
    const std::string next3 = Draw(kFeedNewest + 3, 3);
    const std::vector<std::string> polled = {next1, next1,   feed[0], feed[5], next2,
                                             next1, feed[0], next3,   next2,   next3};
    std::vector<std::string> xmlBodies;
    for (const std::string& draw : polled) {
        xmlBodies.push_back(XmlFeed(draw));
    }
    {
        FaultCase& c = cases.emplace_back();
        c.name = "XML period that repeats and goes backwards";
        c.routes = [&](FaultServer*&) {
            return std::map<std::string, Handler>{{kTextPath, Reply(200, TextFeed(feed))},
                                                  {kXmlPath, Sequence(xmlBodies)},
                                                  {kUpdatePath, Reply(200, "20160401\r\n")},
                                                  {kPromoPath, Reply(200, "not a link\r\n")}};
        };
        c.xmlRequests = static_cast<int>(polled.size()) + 2;
        c.startupDraws = feed;
        c.mergedDraws = {next1, next2, next3};
    }

    RunCases(cases, 90s);
}

TEST(HeadlessServerFaults, StuckAndTricklingTransfersEndAtTheirTimeOuts) {
    const std::vector<std::string> feed = FeedDraws();
    const std::string next = Draw(kFeedNewest + 1, 1);
    const auto started = Clock::now();

    std::vector<FaultCase> cases;
    // The update check and every poll hang: the check gives up after its 15 s
    // transfer time-out, the start-up goes on, and each poll gives up in turn
    // so the next one is made. SIGTERM during a stuck poll still ends the run.
    {
        FaultCase& c = cases.emplace_back();
        c.name = "update check and polls never answered";
        c.routes = [&](FaultServer*& server) {
            return std::map<std::string, Handler>{{kTextPath, Reply(200, TextFeed(feed))},
                                                  {kXmlPath, Silent(server)},
                                                  {kUpdatePath, Silent(server)},
                                                  {kPromoPath, Reply(200, "none\r\n")}};
        };
        c.xmlRequests = 2;
        c.settle = 500ms;
        c.startupDraws = feed;
        c.check = [started](const FaultServer& server, const std::string&) {
            EXPECT_EQ(server.Count(kUpdatePath), 1);
            // Two 15 s transfers before the second poll, with a generous margin.
            EXPECT_LT(Clock::now() - started, 75s);
        };
    }
    // The text feed arrives one byte a second: each of its three attempts ends
    // at the transfer time-out, the start-up goes on with no draw, and the next
    // poll fills the history.
    {
        FaultCase& c = cases.emplace_back();
        c.name = "text feed at one byte a second";
        c.routes = [&](FaultServer*& server) {
            return std::map<std::string, Handler>{{kTextPath, Trickle(server, TextFeed(feed))},
                                                  {kXmlPath, Reply(200, XmlFeed(next))},
                                                  {kUpdatePath, Reply(200, "20160401\r\n")},
                                                  {kPromoPath, Reply(200, "none\r\n")}};
        };
        c.xmlRequests = 2;
        c.settle = 500ms;
        c.mergedDraws = {next};
        c.check = [started](const FaultServer& server, const std::string&) {
            EXPECT_EQ(server.Count(kTextPath), 3);
            EXPECT_LT(Clock::now() - started, 75s);
        };
    }

    RunCases(cases, 100s);
}

}  // namespace
}  // namespace pk10::test
