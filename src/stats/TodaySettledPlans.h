#pragma once
// Today's statistics: the plans that were running and were then settled by a
// recompute today, collected as the backtest collects them. The closed lines a
// fresh book starts with were never played and never count.
//
// The day's plans are kept in <workDir>/data/<date>settled.csv (beside the
// per-day files, in the columns of `pk10plan --backtest --csv`), rewritten
// through a temporary file and a rename whenever a plan joins, and read back
// when the day's ledger is first used, so a restart on the same day keeps
// them. A damaged row of that file is left out; a file that cannot be read
// gives an empty ledger, one that cannot be written the trace line
// "Can't open file %s,error=%u\n" (also told to the error sink, when set).
//
// Not thread-safe: the refresh worker runs every operation, one at a time.

#include <filesystem>
#include <string>

#include "io/ErrorSink.h"
#include "plan/PlanState.h"
#include "stats/PlanStats.h"
#include "stats/SettledCollection.h"

namespace pk10 {

class TodaySettledPlans {
  public:
    // `workDir` holds data/, as for the per-day files.
    explicit TodaySettledPlans(std::filesystem::path workDir);

    void SetErrorSink(ErrorSink* errors) { errors_ = errors; }

    // Notes every book's running line, the plans a later Settle may find
    // settled. Settle notes them itself; call this where the books were made
    // or read back without a recompute (at start-up).
    void NoteRunning(const BySlot<PlanBook>& books);

    // After a recompute of the day `date` ("20160105"): every plan that was
    // running at the last note and is settled in `books` now joins the day's
    // ledger and its file, then the running lines are noted again. A date
    // other than the ledger's starts that day's ledger from its file (empty
    // when there is none). An empty date keeps the plans in memory only.
    void Settle(const std::string& date, const BySlot<PlanBook>& books);

    // The statistics of the day's plans.
    StatsReport Report() const { return today_.Report(); }
    const SettledCollection& today() const { return today_; }

    // The ledger file of `date`.
    std::filesystem::path FileOf(const std::string& date) const;

  private:
    void StartDay(const std::string& date);
    void Write() const;

    std::filesystem::path workDir_;
    ErrorSink* errors_ = nullptr;
    std::string date_;
    bool started_ = false;
    SettledCollection today_;
    BySlot<std::string> running_;
};

}  // namespace pk10
