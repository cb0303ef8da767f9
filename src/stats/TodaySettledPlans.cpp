#include "stats/TodaySettledPlans.h"

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <system_error>
#include <utility>

#include "io/FileWrite.h"
#include "stats/SettledPlansCsv.h"

namespace pk10 {
namespace {

// A day's ledger holds a few thousand rows at most; of a larger file, which is
// damaged, only the start is read.
constexpr std::uintmax_t kMaxLedgerBytes = std::uintmax_t{16} << 20;

// The file's text; empty when it is missing, is not a regular file or cannot be read.
std::string ReadText(const std::filesystem::path& file) {
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(file, error);
    if (error || !std::filesystem::is_regular_file(file, error)) {
        return {};
    }
    std::ifstream in(file, std::ios::binary);
    std::string text(static_cast<std::size_t>(std::min(size, kMaxLedgerBytes)), '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<std::size_t>(in.gcount()));
    return text;
}

}  // namespace

TodaySettledPlans::TodaySettledPlans(std::filesystem::path workDir)
    : workDir_(std::move(workDir)) {}

std::filesystem::path TodaySettledPlans::FileOf(const std::string& date) const {
    return workDir_ / "data" / (date + "settled.csv");
}

void TodaySettledPlans::NoteRunning(const BySlot<PlanBook>& books) {
    running_ = RunningLines(books);
}

void TodaySettledPlans::Settle(const std::string& date, const BySlot<PlanBook>& books) {
    if (!started_ || date != date_) {
        StartDay(date);
    }
    const std::size_t before = today_.plans.size();
    CollectSettled(running_, books, today_);
    NoteRunning(books);
    if (today_.plans.size() != before) {
        Write();
    }
}

void TodaySettledPlans::StartDay(const std::string& date) {
    started_ = true;
    date_ = date;
    today_ = {};
    if (date_.empty()) {
        return;
    }
    const std::filesystem::path file = FileOf(date_);
    std::error_code error;
    if (!std::filesystem::exists(file, error)) {
        Write();  // the day's file exists from its first recompute on
        return;
    }
    today_.plans = ReadSettledPlansCsv(ReadText(file)).plans;
}

void TodaySettledPlans::Write() const {
    if (date_.empty()) {
        return;
    }
    WriteFileAtomically(FileOf(date_), SettledPlansCsv(today_.plans), errors_);
}

}  // namespace pk10
