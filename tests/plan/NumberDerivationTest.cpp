#include "plan/NumberDerivation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>

#include "PlanTestDraws.h"
#include "plan/Decimal.h"
#include "plan/PlanEngine.h"

namespace pk10 {
namespace {

TEST(Decimal, TextIsPrintfD) {
    EXPECT_EQ(DecimalText(0), "0");
    EXPECT_EQ(DecimalText(-500993902), "-500993902");
    EXPECT_EQ(DecimalText(INT_MIN), "-2147483648");
    EXPECT_EQ(DecimalText(733001), "733001");
}

TEST(Decimal, ValueSkipsSpaceTakesSignAndWraps) {
    struct Case {
        const char* text;
        std::int32_t value;
    };
    const Case cases[] = {
        {"", 0},
        {"abc", 0},
        {"-", 0},
        {"  \t\r\n42", 42},
        {"+17x9", 17},
        {"-733001", -733001},
        {"733001 05", 733001},
        {"007", 7},
        {"05100308010209", -2113137439},
        {"05100308010209040706", -644425406},
        {"2147483648", INT_MIN},
        {"-2147483648", INT_MIN},
        {"4294967296", 0},
        {"4294967295", -1},
        {" - 5", 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DecimalValue(c.text), c.value) << "text '" << c.text << "'";
    }
}

TEST(Decimal, WrapArithmetic) {
    EXPECT_EQ(WrapMul(WrapMul(5138129, 13), 314), -500993902);
    EXPECT_EQ(WrapMul(WrapMul(5138129, 13), 618), -1669944574);
    EXPECT_EQ(WrapAdd(INT_MAX, 1), INT_MIN);
    EXPECT_EQ(WrapAdd(INT_MIN, -1), INT_MAX);
}

TEST(Decimal, ReplaceAllScansLeftToRight) {
    EXPECT_EQ(ReplaceAll("aaa", "aa", "b"), "ba");
    EXPECT_EQ(ReplaceAll("733001-733003", "733001", "*"), "*-733003");
    EXPECT_EQ(ReplaceAll("abc", "", "x"), "abc");
    EXPECT_EQ(ReplaceAll("", "a", "x"), "");
}

TEST(UniqueChars, KeepsFirstOccurrences) {
    EXPECT_EQ(UniqueChars("abcabd"), "abcd");
    EXPECT_EQ(UniqueChars("3141592653"), "3145926");
    EXPECT_EQ(UniqueChars(""), "");
}

TEST(DigitsToNumbers, DigitZeroAndOtherCharactersAreCarTen) {
    EXPECT_EQ(DigitsToNumbers("12345"), "01 02 03 04 05 ");
    EXPECT_EQ(DigitsToNumbers("90"), "09 10 ");
    EXPECT_EQ(DigitsToNumbers("0"), "10 ");
    EXPECT_EQ(DigitsToNumbers("x-"), "10 10 ");
    EXPECT_EQ(DigitsToNumbers(""), "");
}

TEST(ProductDigits, WorkedExampleWrapsBothProducts) {
    EXPECT_EQ(ProductDigits(5138129, 13), "-500993902");
    EXPECT_EQ(TwinProductDigits(5138129, 13), "-500993902-1669944574");
    EXPECT_EQ(ProductDigits(0, 13), "0");
    EXPECT_EQ(ProductDigits(5138129, 0), "0");
}

TEST(DerivePlanNumbers, WorkedExample) {
    const char* filler = "8302715946";
    EXPECT_EQ(DerivePlanNumbers(PlanForm::Single, 5138129, 13, 6, filler), "05 10 09 03 02 08 ");
    EXPECT_EQ(DerivePlanNumbers(PlanForm::Twin, 5138129, 13, 6, filler), "05 10 09 03 02 01 ");
}

TEST(DerivePlanNumbers, EdgeCases) {
    struct Case {
        const char* name;
        PlanForm form;
        std::int32_t seed;
        std::int32_t m;
        std::int32_t n;
        const char* filler;
        const char* numbers;
    };
    // 2^30 * 314 = 157 * 2^31 wraps to the most negative value, -2^31.
    const Case cases[] = {
        {"most negative product keeps its digits", PlanForm::Single, 1 << 30, 1, 10, "",
         "02 01 04 07 08 03 06 "},
        {"seed 0 starts with car 10", PlanForm::Single, 0, 13, 6, "0123456789",
         "10 01 02 03 04 05 "},
        {"never more than ten numbers", PlanForm::Twin, 5138129, 13, 40, "8302715946",
         "05 10 09 03 02 01 06 04 07 08 "},
        {"empty filler is not padded", PlanForm::Single, 1, 1, 6, "", "03 01 04 "},
        {"n zero gives no numbers", PlanForm::Single, 5138129, 13, 0, "0123456789", ""},
        {"negative n gives no numbers", PlanForm::Single, 5138129, 13, -3, "0123456789", ""},
        {"filler minus signs are dropped", PlanForm::Single, 1, 1, 5, "-9-8", "03 01 04 09 08 "},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DerivePlanNumbers(c.form, c.seed, c.m, c.n, c.filler), c.numbers) << c.name;
    }
    EXPECT_EQ(ProductDigits(1 << 30, 1), "-2147483648");
}

TEST(DerivePlanNumbers, TwinWithBothProductsNegativeDropsBothSigns) {
    // 5138129 * 13: both products negative (see the worked example).
    const std::string text = TwinProductDigits(5138129, 13);
    ASSERT_EQ(std::count(text.begin(), text.end(), '-'), 2);
    EXPECT_EQ(DerivePlanNumbers(PlanForm::Twin, 5138129, 13, 10, ""),
              DigitsToNumbers(UniqueChars("5009939021669944574")));
}

TEST(PrepareWalk, TakesSeedAndPeriodFromOldestDraw) {
    struct Case {
        const char* name;
        const char* oldest;
        std::int32_t seed;
        const char* digits;
    };
    const Case cases[] = {
        {"worked example", "733001 05 10 03 08 01 02 09 04 07 06", 5138129, "5138129"},
        {"car ten leaves a one", "733002 10 09 08 07 06 05 04 03 02 01", 1987654, "1987654"},
    };
    for (const Case& c : cases) {
        DrawHistory history;
        PlanState state;
        test::FillHistory(history, {"733009 01 02 03 04 05 06 07 08 09 10", c.oldest});
        PlanEngine engine(history, state);
        history.cursor = history.oldest;
        engine.PrepareWalk();
        EXPECT_EQ(state.scratch.PlanSeed, c.seed) << c.name;
        EXPECT_EQ(state.scratch.DrawDigits, c.digits) << c.name;
        EXPECT_EQ(state.scratch.SeedPeriod, DecimalValue(std::string(c.oldest).substr(0, 6)))
            << c.name;
        EXPECT_EQ(history.cursor, 0) << c.name;
    }
}

TEST(PrepareWalk, EmptyHistoryChangesNothing) {
    DrawHistory history;
    PlanState state;
    test::FillHistory(history, {});
    state.scratch.PlanSeed = 77;
    PlanEngine engine(history, state);
    history.cursor = history.oldest;
    engine.PrepareWalk();
    EXPECT_EQ(history.cursor, -1);
    EXPECT_EQ(state.scratch.PlanSeed, 77);
}

TEST(PrepareWalk, ShortLineGivesWhatTheRulesGive) {
    DrawHistory history;
    PlanState state;
    test::FillHistory(history, {"", "12"});
    PlanEngine engine(history, state);
    history.cursor = history.oldest;
    engine.PrepareWalk();
    EXPECT_EQ(state.scratch.PlanSeed, 0);
    EXPECT_EQ(state.scratch.SeedPeriod, 12);
    EXPECT_EQ(state.scratch.DrawDigits, "");
}

}  // namespace
}  // namespace pk10
