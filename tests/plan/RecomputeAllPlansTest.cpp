#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "PlanTestDraws.h"
#include "plan/PlanEngine.h"
#include "support/RealDraws.h"

namespace pk10 {
namespace {

// An engine started as the application starts it: filler pick, search of every
// multiplier, every book refreshed, hooks counting their calls.
struct RecomputeFixture {
    DrawHistory history;
    PlanState state;
    PlanEngine engine{history, state};
    std::vector<std::string> calls;

    explicit RecomputeFixture(std::vector<std::string> newestFirst, bool start = true) {
        engine.PickAllFillerDigits();
        test::FillHistory(history, newestFirst);
        engine.SetRecomputeHooks([this] { calls.push_back("show"); },
                                 [this] { calls.push_back("write"); });
        if (start) {
            engine.SmartSearchAll();
            for (int position = 1; position <= 10; ++position) {
                engine.RefreshPositionBook(position);
            }
        }
    }

    // The lines of one walk of `slot` with multiplier m.
    std::vector<std::string> Walk(int slot, std::int32_t m) {
        history.cursor = history.oldest;
        state.scratch.WorkLineCount = 0;
        engine.PrepareWalk();
        engine.WalkPositionPlan(PositionOfSlot(slot), m, 3, 6);
        std::vector<std::string> lines(
            state.scratch.WorkBook.begin(),
            state.scratch.WorkBook.begin() + state.scratch.WorkLineCount);
        for (auto& line : state.scratch.WorkBook) {
            line.clear();
        }
        return lines;
    }

    // Puts a new newest draw in front, as the poll merges it.
    void Merge(const std::string& draw) {
        for (int i = history.oldest; i >= 0; --i) {
            history.lines[static_cast<std::size_t>(i + 1)] =
                history.lines[static_cast<std::size_t>(i)];
        }
        history.lines[0] = draw;
        ++history.oldest;
        for (int i = 0; i <= history.oldest; ++i) {
            history.walkLines[static_cast<std::size_t>(i)] =
                history.lines[static_cast<std::size_t>(i)];
        }
        history.cursor = history.oldest;
        history.latest = draw;
    }
};

std::vector<std::string> RealWindow(std::size_t from, std::size_t length) {
    const std::vector<std::string> all = test::RealDraws();
    return {all.begin() + static_cast<long>(from), all.begin() + static_cast<long>(from + length)};
}

TEST(RecomputeAllPlans, ThirtyOneDrawsResearchEverySlot) {
    RecomputeFixture f(RealWindow(1, 30));
    f.Merge(RealWindow(0, 1)[0]);  // now 31 draws
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        f.state.PlanMultiplier[slot] = 5000 + slot;  // outside every search range
    }
    // What a search of every slot gives, on a copy of the engine.
    DrawHistory copyHistory = f.history;
    PlanState copyState = f.state;
    PlanEngine copy(copyHistory, copyState);
    std::int32_t expected[kSlotCount + 1] = {};
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        expected[slot] = copy.SmartSearch(slot, 1, 2000, 3, 6);
    }
    f.engine.RecomputeAllPlans();
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        const std::int32_t m = f.state.PlanMultiplier[slot];
        // A miss at the last period searches again with the same history: same result.
        EXPECT_EQ(m, expected[slot]) << "slot " << slot;
    }
    EXPECT_EQ(f.calls, (std::vector<std::string>{"show", "write"}));
}

TEST(RecomputeAllPlans, ResearchesOnlyWhereTheLatestClosedSpanMissed) {
    RecomputeFixture f(RealWindow(0, 30));
    // For every slot a multiplier whose latest closed span hit, and one whose missed.
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        std::int32_t hitM = 0;
        std::int32_t missM = 0;
        for (std::int32_t m = 1; m < 3000 && (hitM == 0 || missM == 0); ++m) {
            const std::vector<std::string> lines = f.Walk(slot, m);
            ASSERT_GE(lines.size(), 2u);
            const std::string& closed = lines[lines.size() - 2];
            if (closed.find("\u3000中 ") != std::string::npos && hitM == 0) {
                hitM = m;
            }
            if (closed.find("\u3000挂 ") != std::string::npos && missM == 0) {
                missM = m;
            }
        }
        ASSERT_NE(hitM, 0) << "slot " << slot;
        ASSERT_NE(missM, 0) << "slot " << slot;

        // Books of this slot emptied so the settling cannot search either.
        for (int s = 1; s <= kSlotCount; ++s) {
            f.state.books[s] = PlanBook{};
        }
        f.state.PlanMultiplier[slot] = hitM;
        f.engine.RecomputeAllPlans();
        EXPECT_EQ(f.state.PlanMultiplier[slot], hitM) << "slot " << slot << " hit";

        DrawHistory copyHistory = f.history;
        PlanState copyState = f.state;
        PlanEngine copy(copyHistory, copyState);
        const std::int32_t searched = copy.SmartSearch(slot, 1, 2000, 3, 6);
        f.state.PlanMultiplier[slot] = missM;
        f.engine.RecomputeAllPlans();
        EXPECT_EQ(f.state.PlanMultiplier[slot], searched) << "slot " << slot << " miss";
    }
}

TEST(RecomputeAllPlans, KeepsTheOpenLineOfSlotsSixToTenOnly) {
    RecomputeFixture f(RealWindow(0, 30));
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        f.state.books[slot] = PlanBook{};
    }
    f.engine.RecomputeAllPlans();
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        const std::vector<std::string> lines = f.Walk(slot, f.state.PlanMultiplier[slot]);
        const std::string expected = slot <= 5 ? std::string() : lines.back();
        EXPECT_EQ(f.state.LatestPlanLine[slot], expected) << "slot " << slot;
    }
}

TEST(RecomputeAllPlans, WalkWithOnlyTheOpenLineKeepsThePreviousLine) {
    // Two draws: every walk writes only slot 0 of the WorkBook.
    RecomputeFixture f(RealWindow(0, 2), false);
    f.state.PlanSpan = 3;
    f.state.PlanSize = 6;
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        f.state.LatestPlanLine[slot] = "previous " + std::to_string(slot);
        f.state.PlanMultiplier[slot] = 11;
    }
    f.engine.RecomputeAllPlans();
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        EXPECT_EQ(f.state.PlanMultiplier[slot], 11) << "slot " << slot;
        EXPECT_EQ(f.state.LatestPlanLine[slot],
                  slot <= 5 ? std::string() : "previous " + std::to_string(slot))
            << "slot " << slot;
    }
}

TEST(RecomputeAllPlans, SettlesEveryRunningPlanAgainstANewDraw) {
    int outcomes[3] = {};  // hit, miss at the last period, nothing yet
    for (std::size_t w = 1; w <= 12; ++w) {
        RecomputeFixture f(RealWindow(w, 29));
        f.engine.RecomputeAllPlans();  // start-up: every plan starts after the newest draw
        const BySlot<PlanBook> started = f.state.books;
        const std::string draw = RealWindow(w - 1, 1)[0];
        const int period = std::stoi(draw.substr(0, 6));
        f.Merge(draw);
        f.engine.RecomputeAllPlans();
        for (int slot = 1; slot <= kSlotCount; ++slot) {
            const int position = PositionOfSlot(slot);
            const std::string car =
                draw.substr(static_cast<std::size_t>(7 + 3 * (position - 1)), 2);
            const std::string& running = started[slot][5];
            const std::string list = running.substr(running.find('<'));
            const PlanBook& book = f.state.books[slot];
            const std::string name =
                "window " + std::to_string(w) + " slot " + std::to_string(slot);
            const std::size_t dash = running.find('-');
            ASSERT_NE(dash, std::string::npos) << name;
            const int first = std::stoi(running.substr(dash - 6, 6));
            const int last = std::stoi(running.substr(dash + 1, 6));
            // The open span started at most two draws before the new one.
            ASSERT_TRUE(first <= period && period <= last) << name << running;
            const std::string next =
                std::to_string(period + 1) + "-" + std::to_string(period + 3) + "期<";
            if (list.find(car) != std::string::npos) {
                ++outcomes[0];
                EXPECT_EQ(book[5],
                          running + "  " + std::to_string(period) + "期开 " + car + "\u3000中 ")
                    << name;
                EXPECT_NE(book[6].find(next), std::string::npos) << name << book[6];
            } else if (last == period) {
                ++outcomes[1];
                const std::string mark = slot == 5 ? " 挂" : "  挂";
                EXPECT_EQ(book[5], running + "  " + std::to_string(period) + "期开 " + car + mark)
                    << name;
                EXPECT_NE(book[6].find(next), std::string::npos) << name << book[6];
            } else {
                ++outcomes[2];
                EXPECT_EQ(book[5], running) << name;
                EXPECT_EQ(book[6], "") << name;
            }
        }
        // A second recompute without a new draw changes no book.
        const BySlot<PlanBook> settled = f.state.books;
        f.engine.RecomputeAllPlans();
        for (int slot = 1; slot <= kSlotCount; ++slot) {
            EXPECT_EQ(f.state.books[slot], settled[slot]) << "window " << w << " slot " << slot;
        }
    }
    EXPECT_GT(outcomes[0], 0);
    EXPECT_GT(outcomes[1], 0);
    EXPECT_GT(outcomes[2], 0);
}

TEST(RecomputeAllPlans, FewerThanTwoDrawsStillRunTheHooks) {
    for (std::size_t count : {0u, 1u}) {
        RecomputeFixture f(RealWindow(0, count), false);
        f.state.books[1][2] = "冠军计划466280-466282期<01 02 03 04 05 06 >";
        const BySlot<PlanBook> before = f.state.books;
        f.engine.RecomputeAllPlans();
        EXPECT_EQ(f.calls, (std::vector<std::string>{"show", "write"})) << count;
        for (int slot = 1; slot <= kSlotCount; ++slot) {
            EXPECT_EQ(f.state.books[slot], before[slot]) << count << " draws, slot " << slot;
        }
    }
}

TEST(RecomputeAllPlans, RecomputeCallbackRunsTheRecompute) {
    RecomputeFixture f(RealWindow(0, 30));
    const std::function<void()> recompute = f.engine.RecomputeCallback();
    recompute();
    recompute();
    EXPECT_EQ(f.calls, (std::vector<std::string>{"show", "write", "show", "write"}));
}

TEST(OnPlanUnstable, RebuildsTheFirstFiveBooksFromFreshWalks) {
    RecomputeFixture f(RealWindow(0, 33));
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        f.state.PlanMultiplier[slot] = 1999;
        f.state.books[slot][0] = "morning line";
        f.state.books[slot][7] = "late line";
    }
    const BySlot<PlanBook> before = f.state.books;
    DrawHistory copyHistory = f.history;
    PlanState copyState = f.state;
    PlanEngine copy(copyHistory, copyState);
    copy.SmartSearchAll();

    f.engine.OnPlanUnstable();
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        const std::string name = "slot " + std::to_string(slot);
        EXPECT_EQ(f.state.PlanMultiplier[slot], copyState.PlanMultiplier[slot]) << name;
        const PlanBook& book = f.state.books[slot];
        if (slot > 5) {
            EXPECT_EQ(book, before[slot]) << name;
            continue;
        }
        const std::vector<std::string> lines = f.Walk(slot, f.state.PlanMultiplier[slot]);
        ASSERT_GE(lines.size(), 5u) << name;
        EXPECT_EQ(book[0], "") << name;
        for (int s = 1; s <= 5; ++s) {
            EXPECT_EQ(book[static_cast<std::size_t>(s)], lines[lines.size() - 6 + s]) << name;
        }
        for (int s = 6; s < kBookSlots; ++s) {
            ASSERT_EQ(book[static_cast<std::size_t>(s)], "") << name << " slot " << s;
        }
    }
    EXPECT_EQ(f.calls, (std::vector<std::string>{"show", "write"}));
}

}  // namespace
}  // namespace pk10
