// The multiplier search's kept rows, side-by-side walks and threads must not
// change anything: an engine with them and one without, each started and fed
// the same 200 real draws, choose the same multipliers and write the same books.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "PlanTestDraws.h"
#include "draws/PollXmlFeed.h"
#include "plan/PlanEngine.h"
#include "support/RealDraws.h"
#include "support/TempDir.h"

namespace pk10 {
namespace {

class SilentPane : public DrawPaneView {
  public:
    void ShowDrawListing(const std::string&, bool) override {}
};

struct Replay {
    DrawHistory history;
    PlanState state;
    PlanEngine engine;

    Replay(const std::vector<std::string>& newestFirst, SearchOptions search)
        : engine(history, state, search) {
        engine.PickAllFillerDigits();
        test::FillHistory(history, newestFirst);
        engine.SmartSearchAll();
        for (int position = 1; position <= 10; ++position) {
            engine.RefreshPositionBook(position);
        }
    }
};

void ExpectSame(const Replay& fast, const Replay& reference, const std::string& when) {
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        ASSERT_EQ(fast.state.PlanMultiplier[slot], reference.state.PlanMultiplier[slot])
            << when << ", slot " << slot;
        ASSERT_EQ(fast.state.FillerDigits[slot], reference.state.FillerDigits[slot]) << when;
        ASSERT_EQ(fast.state.LatestPlanLine[slot], reference.state.LatestPlanLine[slot]) << when;
        ASSERT_EQ(fast.state.books[slot], reference.state.books[slot])
            << when << ", book of slot " << slot;
    }
    ASSERT_EQ(fast.state.scratch.WorkBook, reference.state.scratch.WorkBook) << when;
    ASSERT_EQ(fast.state.scratch.PlanSeed, reference.state.scratch.PlanSeed) << when;
    ASSERT_EQ(fast.state.scratch.SeedPeriod, reference.state.scratch.SeedPeriod) << when;
    ASSERT_EQ(fast.state.scratch.DrawDigits, reference.state.scratch.DrawDigits) << when;
    ASSERT_EQ(fast.state.scratch.WorkLineCount, reference.state.scratch.WorkLineCount) << when;
    ASSERT_EQ(fast.history.cursor, reference.history.cursor) << when;
}

TEST(SearchPaths, FastPathsAndThreadsChangeNoMultiplierNorLine) {
    const std::vector<std::string> real = test::RealDraws();
    constexpr std::size_t kReplayed = 200;
    // The 30 draws before the replayed ones, newest first, start both engines.
    const std::vector<std::string> start(real.begin() + kReplayed, real.begin() + kReplayed + 30);
    Replay fast(start, SearchOptions{2, true});
    Replay reference(start, SearchOptions{1, false});
    ExpectSame(fast, reference, "after the start");

    test::TempDir dir;
    SilentPane pane;
    const FeedContext context{"http://127.0.0.1:1/", dir / "data1.txt", pane, {}};
    for (std::size_t i = kReplayed; i-- > 0;) {
        const std::string& draw = real[i];
        ASSERT_TRUE(MergeNewestDraw(fast.history, draw, context, fast.engine.RecomputeCallback()));
        ASSERT_TRUE(MergeNewestDraw(reference.history, draw, context,
                                    reference.engine.RecomputeCallback()));
        ExpectSame(fast, reference, "after draw " + draw);
    }
    // The re-plan command searches every slot afresh.
    fast.engine.OnPlanUnstable();
    reference.engine.OnPlanUnstable();
    ExpectSame(fast, reference, "after the re-plan command");
}

}  // namespace
}  // namespace pk10
