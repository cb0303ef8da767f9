// The parts of the whole-file writes that do not depend on the operating system:
// the temporary files' names, the trace line and the removal of stray files.

#include "io/FileWrite.h"

#include <chrono>
#include <cstdio>
#include <optional>
#include <string>
#include <system_error>

#include "io/FileWritePlatform.h"
#include "io/PathText.h"

namespace pk10 {
namespace file_write {

namespace {

constexpr const char* kTempMark = ".tmp-";
constexpr int kRandomDigits = 8;
// A temporary file this old is a stray even when its pid names a live process
// (a reused pid): a write of one of our files takes well under a second.
constexpr auto kStrayAge = std::chrono::minutes(10);

// The pid in the name of a temporary file that a write made, or nothing when
// `name` is not such a name.
std::optional<long> TempFilePid(const std::string& name) {
    constexpr std::size_t kMaxPidDigits = 9;
    const std::size_t mark = name.rfind(kTempMark);
    if (mark == std::string::npos || mark == 0) {
        return std::nullopt;
    }
    const std::string rest = name.substr(mark + std::char_traits<char>::length(kTempMark));
    const std::size_t dash = rest.find('-');
    if (dash == std::string::npos) {
        return std::nullopt;
    }
    const std::string pid = rest.substr(0, dash);
    const std::string random = rest.substr(dash + 1);
    const bool wellFormed = !pid.empty() && pid.size() <= kMaxPidDigits &&
                            pid.find_first_not_of("0123456789") == std::string::npos &&
                            random.size() == static_cast<std::size_t>(kRandomDigits) &&
                            random.find_first_not_of("0123456789abcdef") == std::string::npos;
    return wellFormed ? std::optional(std::stol(pid)) : std::nullopt;
}

}  // namespace

std::filesystem::path TempName(const std::filesystem::path& file, std::random_device& random) {
    char suffix[32];
    std::snprintf(suffix, sizeof suffix, "%s%ld-%08x", kTempMark, CurrentProcessId(),
                  static_cast<unsigned>(random()));
    std::filesystem::path temp = file;
    temp += suffix;
    return temp;
}

}  // namespace file_write

std::string FileErrorText(const std::filesystem::path& file, int error) {
    return "Can't open file " + PathUtf8(file) +
           ",error=" + std::to_string(static_cast<unsigned>(error));
}

void TraceFileError(const std::filesystem::path& file, int error, ErrorSink* errors) {
    const std::string text = FileErrorText(file, error);
    std::fprintf(stderr, "%s\n", text.c_str());
    if (errors != nullptr) {
        errors->ReportError(text);
    }
}

bool WriteFileAtomically(const std::filesystem::path& file, std::string_view bytes,
                         ErrorSink* errors) {
    if (const int error = ReplaceFile(file, bytes); error != 0) {
        TraceFileError(file, error, errors);
        return false;
    }
    return true;
}

void RemoveStrayTempFiles(const std::filesystem::path& folder) {
    using namespace file_write;
    std::error_code ec;
    const auto now = std::filesystem::file_time_type::clock::now();
    for (auto it = std::filesystem::directory_iterator(folder, ec);
         !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
        const std::optional<long> pid = TempFilePid(PathUtf8(it->path().filename()));
        if (!pid) {
            continue;
        }
        std::error_code statError;
        const auto written = std::filesystem::last_write_time(it->path(), statError);
        const bool old = !statError && now - written > kStrayAge;
        if (old || !ProcessRunning(*pid)) {
            RemoveQuietly(it->path());
        }
    }
}

}  // namespace pk10
