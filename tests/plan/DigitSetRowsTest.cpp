// The search's row store: a dropped row's buffer serves the next row made, and
// the rows kept keep what they hold.
#include <gtest/gtest.h>

#include "plan/ProductRowCache.h"

namespace pk10 {
namespace {

TEST(DigitSetRowsTest, DroppedBuffersServeNewRowsAndKeptRowsStayWhole) {
    DigitSetRows rows;
    for (std::uint64_t key : {1u, 2u, 3u}) {
        rows.Make(rows[key]);
        rows[key].sets[0] = static_cast<std::uint16_t>(key * 100);
        rows[key].filled = 1;
    }
    const std::uint16_t* dropped = rows.Sets(2);
    rows.DropUnless([](std::uint64_t key) { return key != 2; });
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows.Sets(1)[0], 100);
    EXPECT_EQ(rows.Sets(3)[0], 300);

    DigitSetRow& fresh = rows[4];
    EXPECT_EQ(fresh.filled, 0) << "a new row starts unfilled whatever its buffer held";
    rows.Make(fresh);
    EXPECT_EQ(fresh.sets.get(), dropped);
    const std::uint16_t* kept = fresh.sets.get();
    rows.Make(fresh);  // a row with a buffer keeps it
    EXPECT_EQ(fresh.sets.get(), kept);

    rows.Clear();
    EXPECT_EQ(rows.size(), 0u);
}

}  // namespace
}  // namespace pk10
