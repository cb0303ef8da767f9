#include "records/DayFiles.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "io/FileOpen.h"
#include "io/FileWrite.h"
#include "records/GbkCodec.h"
#include "records/PlanBlock.h"
#include "records/PlanFileTemplate.h"
#include "records/PlanLineScan.h"

namespace pk10 {
namespace {

void EnsureDataDirectory(const std::filesystem::path& workDir) {
    // A failure shows up as the trace line of every file that cannot be written.
    std::error_code ec;
    std::filesystem::create_directories(workDir / "data", ec);
}

// Any entry of that name counts: a file, a folder, even a dangling link.
bool EntryExists(const std::filesystem::path& path) {
    std::error_code ec;
    const std::filesystem::file_status status = std::filesystem::symlink_status(path, ec);
    return !ec && status.type() != std::filesystem::file_type::not_found;
}

// Up to `limit` bytes from the start of `path`; nothing (with the trace line)
// when it cannot be opened or read.
std::optional<std::string> ReadFileStart(const std::filesystem::path& path, std::size_t limit,
                                         ErrorSink* errors) {
    int openError = 0;
    std::FILE* in = OpenFileForReading(path, openError);
    if (in == nullptr) {
        TraceFileError(path, openError, errors);
        return std::nullopt;
    }
    std::string bytes;
    char buffer[65536];
    int error = 0;
    while (bytes.size() < limit) {
        const std::size_t want = std::min(sizeof buffer, limit - bytes.size());
        const std::size_t got = std::fread(buffer, 1, want, in);
        bytes.append(buffer, got);
        if (got < want) {
            if (std::ferror(in)) {
                error = errno != 0 ? errno : EIO;
            }
            break;
        }
    }
    std::fclose(in);
    if (error != 0) {
        TraceFileError(path, error, errors);
        return std::nullopt;
    }
    return bytes;
}

// The entries a day file restores; none when it cannot be read (traced).
std::vector<std::string> ReadEntries(const std::filesystem::path& path, ErrorSink* errors) {
    const std::optional<std::string> bytes = ReadFileStart(path, kMaxDayFileBytes, errors);
    return bytes ? DecodeDayFileEntries(*bytes) : std::vector<std::string>{};
}

// Whether the file at `path` restores at least one plan line.
bool RestoresPlanLine(const std::filesystem::path& path, ErrorSink* errors) {
    const std::vector<std::string> entries = ReadEntries(path, errors);
    return std::any_of(entries.begin(), entries.end(),
                       [](const std::string& entry) { return IsPlanLine(entry); });
}

}  // namespace

DayFiles::DayFiles(DateSource dateSource) : dateSource_(std::move(dateSource)) {
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        files_[slot].tag = std::string(DayFileTag(slot));
    }
}

void DayFiles::SetWorkDir(std::filesystem::path workDir) {
    workDir_ = std::move(workDir);
}

void DayFiles::SetErrorSink(ErrorSink* errors) {
    errors_ = errors;
}

void DayFiles::PrepareDayFiles(PlanEngine& engine, PlanView& view) {
    view.SetPositionChecked(1, true);
    for (int position : {4, 5, 2, 3}) {
        view.SetPositionChecked(position, false);
    }
    view.SetModeButtons(false, true);

    PrepareFilesOf(DateText(dateSource_()), engine);
}

bool DayFiles::RollOverToToday(PlanEngine& engine) {
    if (dateText_.empty()) {
        return false;
    }
    std::string today = DateText(dateSource_());
    if (today == dateText_) {
        return false;
    }
    PrepareFilesOf(std::move(today), engine);
    LoadDayFiles(engine.state().books);
    return true;
}

void DayFiles::PrepareFilesOf(std::string dateText, PlanEngine& engine) {
    PlanState& state = engine.state();
    for (std::string& text : state.scratch.WorkBook) {
        text.clear();
    }
    for (PlanBook& book : state.books) {
        for (std::string& text : book) {
            text.clear();
        }
    }

    dateText_ = std::move(dateText);
    EnsureDataDirectory(workDir_);
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        PlanDayFile& file = files_[slot];
        file.path = DayFilePath(workDir_, dateText_, file.tag);
        // A file that restores no plan line (unreadable, a folder, empty, only
        // "<br>" or blank entries, damaged) is made afresh like a missing one;
        // otherwise its Position would show no plan for the rest of the day.
        file.fresh = !EntryExists(file.path) || !RestoresPlanLine(file.path, errors_);
        if (file.fresh) {
            engine.RefreshPositionBook(PositionOfSlot(slot));
        }
    }
}

void DayFiles::LoadDayFiles(BySlot<PlanBook>& books) const {
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        const PlanDayFile& file = files_[slot];
        if (file.fresh || file.path.empty()) {
            continue;
        }
        RestoreBook(books[slot], ReadEntries(file.path, errors_));
    }
}

void DayFiles::WriteDayFiles(const BySlot<PlanBook>& books) const {
    EnsureDataDirectory(workDir_);
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        const PlanDayFile& file = files_[slot];
        if (file.path.empty()) {
            continue;
        }
        const std::string block = PlanBlock(books[slot], FileWritesSlotZero(PositionOfSlot(slot)));
        const std::string text = FillPlanFileTemplate(kPlanFileTemplate, block);
        std::optional<std::string> gbk = Utf8ToGbk(text);
        if (!gbk) {
            gbk = Utf8ToGbkReplacing(text);
        }
        WriteFileAtomically(file.path, *gbk, errors_);
    }
}

}  // namespace pk10
