#pragma once
// Runs the real pk10plan for end-to-end tests and reads what it prints and
// writes: the panes printed by the headless shell, data1.txt and the per-day
// plan files of a working directory.

#include <iconv.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "support/ChildProcess.h"

namespace pk10::test {

inline std::string Pk10Binary() {
    return PK10_BINARY_DIR "/src/pk10plan";
}

// Starts `pk10plan --headless` with `args` in `workDir`, with no server taken
// from the environment.
inline ChildOptions Pk10Options(std::vector<std::string> args,
                                const std::filesystem::path& workDir) {
    ChildOptions options;
    options.args = {"--headless"};
    options.args.insert(options.args.end(), args.begin(), args.end());
    options.workDir = workDir;
    options.unsetEnv = {"PK10_RESULTS_SERVER", "PK10_MAKER_SERVER", "DISPLAY", "WAYLAND_DISPLAY"};
    return options;
}

inline std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

// The blocks that follow each `header` line ("== plan pane ==", "== draw pane =="),
// each as its lines, up to the next block header or event line.
inline std::vector<std::vector<std::string>> Blocks(const std::string& output,
                                                    const std::string& header) {
    std::vector<std::vector<std::string>> blocks;
    bool inside = false;
    for (const std::string& line : SplitLines(output)) {
        const bool event = line.rfind("== ", 0) == 0 || line.rfind("message: ", 0) == 0 ||
                           line.rfind("open: ", 0) == 0 || line.rfind("banner: ", 0) == 0 ||
                           line.rfind("counts: ", 0) == 0 || line.rfind("replan: ", 0) == 0 ||
                           line.rfind("stats: ", 0) == 0;
        if (line == header) {
            blocks.emplace_back();
            inside = true;
        } else if (event) {
            inside = false;
        } else if (inside) {
            blocks.back().push_back(line);
        }
    }
    return blocks;
}

// The lines of stdout that start with `prefix`.
inline std::vector<std::string> LinesStartingWith(const std::string& output,
                                                  const std::string& prefix) {
    std::vector<std::string> found;
    for (const std::string& line : SplitLines(output)) {
        if (line.rfind(prefix, 0) == 0) {
            found.push_back(line);
        }
    }
    return found;
}

inline std::string ReadFileBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Every file under `dir`, by its path below it, with its bytes.
inline std::vector<std::pair<std::string, std::string>> FilesBelow(
    const std::filesystem::path& dir) {
    std::vector<std::pair<std::string, std::string>> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(dir)) {
        if (entry.is_regular_file()) {
            files.emplace_back(std::filesystem::relative(entry.path(), dir).generic_string(),
                               ReadFileBytes(entry.path()));
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

// Today's local date as the per-day files name it ("%d%02d%02d").
inline std::string TodayText() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[32];
    std::snprintf(text, sizeof text, "%d%02d%02d", local.tm_year + 1900, local.tm_mon + 1,
                  local.tm_mday);
    return text;
}

// The file tags of the ten Positions, in the order 1, 4, 5, 2, 3, 6, 7, 8, 9, 10.
inline const std::vector<std::string>& DayFileTags() {
    static const std::vector<std::string> tags = {"h1", "h2", "h3", "h3b", "h5b",
                                                  "h6", "h7", "h8", "h9",  "h10"};
    return tags;
}

inline std::filesystem::path DayFile(const std::filesystem::path& workDir, const std::string& tag,
                                     const std::string& date) {
    return workDir / "data" / (date + tag + ".txt");
}

// `text` converted from encoding `from` to `to` by iconv; nothing when it cannot be.
inline std::optional<std::string> Convert(const std::string& text, const char* from,
                                          const char* to) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        return std::nullopt;
    }
    std::string in = text;
    std::string out(in.size() * 3 + 4, '\0');
    char* inPtr = in.data();
    char* outPtr = out.data();
    std::size_t inLeft = in.size();
    std::size_t outLeft = out.size();
    const std::size_t rc = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    if (rc == static_cast<std::size_t>(-1)) {
        return std::nullopt;
    }
    out.resize(out.size() - outLeft);
    return out;
}

// UTF-8 text as GBK bytes (the encoding of the per-day files), and back.
inline std::optional<std::string> ToGbk(const std::string& utf8) {
    return Convert(utf8, "UTF-8", "GBK");
}
inline std::optional<std::string> FromGbk(const std::string& gbk) {
    return Convert(gbk, "GBK", "UTF-8");
}

// Reads stdout until a line holds `text`; false when none came within `timeout`.
inline bool WaitForOutput(ChildProcess& process, const std::string& text,
                          std::chrono::milliseconds timeout) {
    return process.ReadLineContaining(text, timeout).has_value();
}

}  // namespace pk10::test
