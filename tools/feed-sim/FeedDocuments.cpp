#include "FeedDocuments.h"

namespace feedsim {

std::string TextFeedBody(const std::vector<std::string>& newestFirst) {
    std::string body;
    body.reserve(newestFirst.size() * 38);
    for (const std::string& line : newestFirst) {
        body += line;
        body += "\r\n";
    }
    return body;
}

std::string XmlFeedBody(const std::string& newestLine, std::uint64_t published) {
    return "<pk10>\r\n<newest>=" + newestLine + "</newest>\r\n<count>" + std::to_string(published) +
           "</count>\r\n</pk10>\r\n";
}

std::string OneLineBody(const std::string& text) {
    return text + "\r\n";
}

std::string BannerPage() {
    return "<!DOCTYPE html>\r\n"
           "<html lang=\"zh-CN\">\r\n"
           "<head><meta charset=\"utf-8\"><title>PK10 计划 - 本地横幅</title></head>\r\n"
           "<body style=\"margin:0;font-family:sans-serif;background:#fff8e1\">\r\n"
           "<p style=\"margin:8px\">本地测试横幅：feed-sim 在这里代替推广页面。</p>\r\n"
           "</body>\r\n"
           "</html>\r\n";
}

std::string ArchiveBytes() {
    // The RAR 4 marker block and an end-of-archive block; nothing unpacks from it.
    static constexpr unsigned char kBytes[] = {0x52, 0x61, 0x72, 0x21, 0x1A, 0x07, 0x00,
                                               0xC4, 0x3D, 0x7B, 0x00, 0x40, 0x07, 0x00};
    return std::string(reinterpret_cast<const char*>(kBytes), sizeof kBytes);
}

}  // namespace feedsim
