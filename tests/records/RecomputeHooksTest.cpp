#include "records/RecomputeHooks.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FakePlanView.h"
#include "RecordsTestSupport.h"
#include "records/GbkCodec.h"
#include "records/PlanBlock.h"
#include "records/PlanPane.h"
#include "support/TempDir.h"

namespace pk10 {
namespace {

TEST(RecomputeHooks, RecomputeEndsWithThePaneThenTheFiles) {
    test::TempDir dir;
    test::FakePlanView view;
    test::PlanEngineRig rig;
    DayFiles files([] { return CalendarDate{2016, 1, 5}; });
    files.SetWorkDir(dir.path());
    files.PrepareDayFiles(rig.engine, view);
    files.LoadDayFiles(rig.state.books);
    WireRecomputeHooks(rig.engine, files, view);
    view.events.clear();

    rig.engine.RecomputeAllPlans();

    // One pane rebuild from the settled books with the start-up selection
    // (Position 1 only); the count fields are left alone.
    PositionSelection positionOne;
    positionOne.SetChecked(1, true);
    const std::string pane = PlanPaneText(rig.state.books, positionOne);
    EXPECT_EQ(view.events, std::vector<std::string>{"pane " + pane});
    EXPECT_EQ(pane.rfind("\r\n冠军计划", 0), 0U) << pane;
    EXPECT_EQ(pane.find("亚军计划"), std::string::npos) << pane;

    // Every file holds its book as settled by the recompute.
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        const std::string block =
            PlanBlock(rig.state.books[slot], FileWritesSlotZero(PositionOfSlot(slot)));
        EXPECT_FALSE(block.empty()) << "slot " << slot;
        EXPECT_EQ(test::ReadBytes(files.files()[slot].path), *Utf8ToGbk(block)) << "slot " << slot;
    }
}

}  // namespace
}  // namespace pk10
