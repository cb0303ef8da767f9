#pragma once
// The ten per-day plan files: prepared at start-up (making the plan of every
// Position whose file of the day is missing), read back into the plan books, and
// rewritten from the books after every recompute; prepared again for the new day
// by the first recompute after local midnight.
//
// Files live in <workDir>/data/ (created when missing) and are named from the
// date of the day the files were prepared and the Position's tag. Each file is
// the plan file template with the Position's plan block in place of its marker,
// as GBK bytes, written through a temporary file and a rename.
//
// Not thread-safe: the refresh worker runs every operation, one at a time. A
// file that cannot be opened or created gives the trace line
// "Can't open file %s,error=%u\n" (also told to the error sink, when one is
// set) and the other files are still handled.

#include <filesystem>
#include <string>

#include "io/ErrorSink.h"
#include "io/LocalDate.h"
#include "plan/PlanEngine.h"
#include "plan/PlanState.h"
#include "records/PlanDayFile.h"
#include "records/PlanView.h"

namespace pk10 {

// Largest part of a per-day file that is read: 4 KiB for each of the 256
// entries a book lists, where a plan line takes under 100 bytes. A longer file
// keeps the entries at its start, its newest.
inline constexpr std::size_t kMaxDayFileBytes = std::size_t{4096} * kKeptBookSlots;

class DayFiles {
  public:
    explicit DayFiles(DateSource dateSource = LocalCalendarDate);

    // The folder that holds data/; the current directory by default.
    void SetWorkDir(std::filesystem::path workDir);
    const std::filesystem::path& workDir() const { return workDir_; }
    // Where the trace lines of the files also go; none by default. Called on
    // the thread that runs the operations.
    void SetErrorSink(ErrorSink* errors);

    // Start-up selection (Position 1 checked, Positions 4, 5, 2, 3 unchecked,
    // "经典模式" unchecked, "智能模式" checked), every book and the WorkBook
    // emptied, today's paths built, and engine.RefreshPositionBook for every
    // Position whose file is missing or restores no plan line (it cannot be
    // read, is a folder, is empty, holds only "<br>" or blank entries, or is
    // damaged); those files are marked fresh.
    void PrepareDayFiles(PlanEngine& engine, PlanView& view);

    // Once the local date is no longer the day the files were prepared for, the
    // files of the new day as a start-up at this moment would make them (every
    // book and the WorkBook emptied, the new day's paths, fresh plans where the
    // new day's file is missing or restores no plan line, the others read back),
    // leaving the selection and the mode buttons as the user set them; the
    // previous day's files are not touched again. Returns whether the day
    // changed. Does nothing before PrepareDayFiles has run.
    bool RollOverToToday(PlanEngine& engine);

    // Reads every prepared file that is not fresh back into its book: entries
    // newest first on disk, oldest first in the book from slot 0. At most 256
    // entries (the newest) are kept; an entry that is not valid GBK is left out.
    void LoadDayFiles(BySlot<PlanBook>& books) const;

    // Writes every book into its prepared file. Does nothing for files whose
    // path has not been prepared.
    void WriteDayFiles(const BySlot<PlanBook>& books) const;

    const BySlot<PlanDayFile>& files() const { return files_; }
    // The date text of the day the files are prepared for ("20160105"); empty
    // until PrepareDayFiles has run.
    const std::string& dateText() const { return dateText_; }

  private:
    // Empties the books and prepares the files of the day `dateText`.
    void PrepareFilesOf(std::string dateText, PlanEngine& engine);

    DateSource dateSource_;
    std::filesystem::path workDir_ = ".";
    ErrorSink* errors_ = nullptr;
    BySlot<PlanDayFile> files_;
    std::string dateText_;
};

}  // namespace pk10
