#pragma once
// Helpers shared by the draw tests: a results server whose feeds the test
// changes between requests, sockets that refuse or never answer, a pane and an
// error sink that record what they were given, and draw lines with chosen periods.

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <mutex>
#include <stdexcept>
#include <string>
#include <vector>

#include "draws/DrawPaneView.h"
#include "io/ErrorSink.h"
#include "support/ListeningSocket.h"
#include "support/LocalHttpServer.h"
#include "support/RealDraws.h"

namespace pk10::test {

// The pane of the left side, as the feeds see it.
class RecordingPane : public DrawPaneView {
  public:
    struct Shown {
        std::string text;
        bool scrollToEnd = false;
    };
    void ShowDrawListing(const std::string& text, bool scrollToEnd) override {
        shown.push_back({text, scrollToEnd});
    }
    std::vector<Shown> shown;
};

// An error sink that keeps what it heard.
class RecordingErrors : public ErrorSink {
  public:
    void ReportError(const std::string& text) override { heard.push_back(text); }
    std::vector<std::string> heard;
};

// A real HTTP server that serves pk10.txt and pk10.xml. Each request takes the
// next response the test queued for that path, or repeats the last one queued.
class FeedServer {
  public:
    struct Reply {
        int status = 200;
        std::string body;
        // Declared body length larger than the body: the connection closes early.
        bool cutShort = false;
    };

    FeedServer() {
        Route("/pk10.txt", text_);
        Route("/pk10.xml", xml_);
        base_ = http_.Start();
    }

    const std::string& base() const { return base_; }

    void QueueText(Reply reply) { Queue(text_, std::move(reply)); }
    void QueueXml(Reply reply) { Queue(xml_, std::move(reply)); }
    void SetText(const std::string& body) { QueueText({200, body, false}); }
    void SetXml(const std::string& body) { QueueXml({200, body, false}); }

    int TextRequests() const { return Count(text_); }
    int XmlRequests() const { return Count(xml_); }
    // Request headers of the last request for the path, "Name: value" per entry.
    std::vector<std::string> LastHeaders(bool xml) const {
        std::lock_guard lock(mutex_);
        return xml ? xml_.lastHeaders : text_.lastHeaders;
    }

  private:
    struct Path {
        std::vector<Reply> queued;
        std::size_t next = 0;
        int requests = 0;
        std::vector<std::string> lastHeaders;
    };

    void Queue(Path& path, Reply reply) {
        std::lock_guard lock(mutex_);
        path.queued.push_back(std::move(reply));
    }
    int Count(const Path& path) const {
        std::lock_guard lock(mutex_);
        return path.requests;
    }

    void Route(const std::string& pattern, Path& path) {
        http_.server().Get(
            pattern, [this, &path](const httplib::Request& request, httplib::Response& response) {
                Reply reply;
                {
                    std::lock_guard lock(mutex_);
                    ++path.requests;
                    path.lastHeaders.clear();
                    for (const auto& [name, value] : request.headers) {
                        path.lastHeaders.push_back(name + ": " + value);
                    }
                    if (path.queued.empty()) {
                        reply = {404, "no feed", false};
                    } else {
                        reply = path.queued[std::min(path.next, path.queued.size() - 1)];
                        ++path.next;
                    }
                }
                response.status = reply.status;
                if (!reply.cutShort) {
                    response.set_content(reply.body, "text/plain");
                    return;
                }
                const std::string body = reply.body;
                response.set_content_provider(
                    body.size() + 1000, "text/plain",
                    [body](std::size_t offset, std::size_t, httplib::DataSink& sink) {
                        if (offset >= body.size()) {
                            return false;  // closes the connection before the declared end
                        }
                        sink.write(body.data() + offset, body.size() - offset);
                        return true;
                    });
            });
    }

    mutable std::mutex mutex_;
    Path text_;
    Path xml_;
    std::string base_;
    // Last, so the server stops before the state its handlers use goes away.
    LocalHttpServer http_;
};

// The newest `count` real draws, newest first.
inline std::vector<std::string> Draws(std::size_t count) {
    std::vector<std::string> all = RealDraws();
    if (all.size() < count) {
        throw std::runtime_error("not enough real draws");
    }
    all.resize(count);
    return all;
}

// A real draw's numbers under another period ("%06d").
inline std::string WithPeriod(int period, const std::string& draw) {
    std::string digits = std::to_string(period);
    return std::string(6 - digits.size(), '0') + digits + draw.substr(6);
}

inline std::string JoinLines(const std::vector<std::string>& lines, const std::string& end) {
    std::string text;
    for (const std::string& line : lines) {
        text += line + end;
    }
    return text;
}

// The XML feed as the results server writes it, naming `draw` as the newest.
inline std::string XmlFeed(const std::string& draw) {
    return "<pk10><newest>=" + draw + "</newest>\r\n<count>1</count></pk10>\r\n";
}

inline std::string ReadFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace pk10::test
