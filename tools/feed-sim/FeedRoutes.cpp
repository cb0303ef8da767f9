#include "FeedRoutes.h"

#include "FeedDocuments.h"

namespace feedsim {
namespace {

constexpr const char* kText = "text/plain; charset=utf-8";

// Route patterns are regular expressions: the dots are escaped so that only the
// exact paths match.
constexpr const char* kTextFeed = R"(/pk10\.txt)";
constexpr const char* kXmlFeed = R"(/pk10\.xml)";
constexpr const char* kVersion = R"(/setting/pk10updata\.txt)";
constexpr const char* kPromo = R"(/addurl/pk10\.txt)";
constexpr const char* kBanner = R"(/add/pk10add\.html)";
constexpr const char* kArchive = R"(/varnokxz/pk10sy\.rar)";

}  // namespace

void AddFeedRoutes(httplib::Server& server, DrawBoard& board, const MakerFiles& maker,
                   const FeedRouteSettings& settings) {
    server.set_default_headers({{"Cache-Control", "no-cache"}});

    server.Get(kTextFeed, [&board](const httplib::Request&, httplib::Response& res) {
        const BoardView view = board.Read(DrawBoard::Clock::now(), false);
        res.set_content(TextFeedBody(view.lines), kText);
    });

    const bool publishOnPoll = settings.publishOnPoll;
    server.Get(
        kXmlFeed, [&board, publishOnPoll](const httplib::Request& req, httplib::Response& res) {
            // Only a real poll publishes; a HEAD request leaves the feed as it is.
            const bool publish = publishOnPoll && req.method == "GET";
            const BoardView view = board.Read(DrawBoard::Clock::now(), publish, 1);
            res.set_content(XmlFeedBody(view.lines.empty() ? std::string() : view.lines.front(),
                                        view.published),
                            "text/xml; charset=utf-8");
        });

    const std::string version = OneLineBody(maker.versionStamp);
    server.Get(kVersion, [version](const httplib::Request&, httplib::Response& res) {
        res.set_content(version, kText);
    });

    const std::string promo = OneLineBody(maker.promoUrl);
    server.Get(kPromo, [promo](const httplib::Request&, httplib::Response& res) {
        res.set_content(promo, kText);
    });

    server.Get(kBanner, [](const httplib::Request&, httplib::Response& res) {
        res.set_content(BannerPage(), "text/html; charset=utf-8");
    });

    server.Get(kArchive, [](const httplib::Request&, httplib::Response& res) {
        res.set_content(ArchiveBytes(), "application/octet-stream");
    });

    server.set_error_handler([](const httplib::Request&, httplib::Response& res) {
        if (res.body.empty()) {
            const std::string reason = res.status == 404 ? " Not Found" : "";
            res.set_content(std::to_string(res.status) + reason + "\r\n", kText);
        }
    });
}

}  // namespace feedsim
