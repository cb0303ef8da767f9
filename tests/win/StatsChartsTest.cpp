// The statistics charts painted with GDI into a 400 x 300 bitmap: the bars and
// curves land where the figures put them, in their colours, and empty figures
// paint without them; the chart control paints the figures it was given.

#include "win/StatsCharts.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <functional>

namespace pk10::win {
namespace {

constexpr int kWidth = 400;
constexpr int kHeight = 300;

// A 32-bit top-down bitmap selected into a memory DC, white.
class Canvas {
  public:
    Canvas() {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = kWidth;
        info.bmiHeader.biHeight = -kHeight;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        dc_ = CreateCompatibleDC(nullptr);
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits_, nullptr, 0);
        old_ = SelectObject(dc_, bitmap_);
        const RECT all{0, 0, kWidth, kHeight};
        FillRect(dc_, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;
    ~Canvas() {
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    HDC dc() const { return dc_; }

    // Pixels of `colour` in the share [x0, x1) x [y0, y1) of the bitmap.
    int Count(COLORREF colour, double x0, double x1, double y0, double y1) const {
        GdiFlush();
        const std::uint32_t wanted = (std::uint32_t{GetRValue(colour)} << 16) |
                                     (std::uint32_t{GetGValue(colour)} << 8) | GetBValue(colour);
        const auto* pixels = static_cast<const std::uint32_t*>(bits_);
        int count = 0;
        for (int y = static_cast<int>(y0 * kHeight); y < static_cast<int>(y1 * kHeight); ++y) {
            for (int x = static_cast<int>(x0 * kWidth); x < static_cast<int>(x1 * kWidth); ++x) {
                count += (pixels[y * kWidth + x] & 0xffffffU) == wanted ? 1 : 0;
            }
        }
        return count;
    }

  private:
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
    void* bits_ = nullptr;
};

HitRateFigures Rates() {
    HitRateFigures figures;
    for (PositionRate& position : figures.positions) {
        position = {true, 0.93, 0.92, 0.94};
    }
    figures.axisLowPercent = 80;
    return figures;
}

StreakFigures Streaks() {
    return {{{1, 50, 40}, {2, 10, 12}, {3, 1, 2}}, 50};
}

MoneyCurveFigures Curves() {
    std::vector<MoneyPoint> engine;
    std::vector<MoneyPoint> random;
    for (int draw = 0; draw < 200; ++draw) {
        engine.push_back({100000 + draw, (draw < 100 ? draw : 200 - 2 * (draw - 100)) * kMoneyScale,
                          -draw * kMoneyScale / 10});
        random.push_back({100000 + draw, -draw * kMoneyScale / 2, 0});
    }
    return MoneyCurveFiguresOf(engine, random);
}

using Painter = std::function<void(HDC, const RECT&)>;

TEST(StatsCharts, BarsAndCurvesLandWhereTheFiguresPutThem) {
    const RECT area{0, 0, kWidth, kHeight};
    const struct {
        const char* name;
        Painter paint;
        COLORREF colour;
        double x0, x1, y0, y1;  // the share of the bitmap that must hold the colour
        int least;              // pixels of it at least there; 0: none at all
    } cases[] = {
        {"hit-rate bars", [](HDC dc, const RECT& r) { PaintHitRates(dc, r, Rates(), nullptr); },
         kEngineColour, 0.1, 1.0, 0.3, 0.85, 3000},
        {"chance line", [](HDC dc, const RECT& r) { PaintHitRates(dc, r, Rates(), nullptr); },
         kChanceColour, 0.1, 1.0, 0.1, 0.85, 300},
        {"no rates, no bars",
         [](HDC dc, const RECT& r) { PaintHitRates(dc, r, HitRateFigures{}, nullptr); },
         kEngineColour, 0.0, 1.0, 0.0, 0.85, 0},
        {"engine streak bars",
         [](HDC dc, const RECT& r) { PaintMissStreaks(dc, r, Streaks(), nullptr); }, kEngineColour,
         0.0, 0.45, 0.1, 0.85, 1000},
        {"random streak bars",
         [](HDC dc, const RECT& r) { PaintMissStreaks(dc, r, Streaks(), nullptr); }, kRandomColour,
         0.0, 0.45, 0.1, 0.85, 1000},
        {"no streaks, no bars",
         [](HDC dc, const RECT& r) { PaintMissStreaks(dc, r, StreakFigures{}, nullptr); },
         kEngineColour, 0.0, 1.0, 0.0, 0.85, 0},
        {"engine curve", [](HDC dc, const RECT& r) { PaintMoneyCurves(dc, r, Curves(), nullptr); },
         kEngineColour, 0.0, 1.0, 0.05, 0.85, 300},
        {"drawdown marks",
         [](HDC dc, const RECT& r) { PaintMoneyCurves(dc, r, Curves(), nullptr); }, kDrawdownColour,
         0.0, 1.0, 0.05, 0.85, 40},
        {"no curve",
         [](HDC dc, const RECT& r) { PaintMoneyCurves(dc, r, MoneyCurveFigures{}, nullptr); },
         kEngineColour, 0.0, 1.0, 0.0, 1.0, 0},
    };
    for (const auto& c : cases) {
        const Canvas canvas;
        c.paint(canvas.dc(), area);
        const int count = canvas.Count(c.colour, c.x0, c.x1, c.y0, c.y1);
        if (c.least == 0) {
            EXPECT_EQ(count, 0) << c.name;
        } else {
            EXPECT_GE(count, c.least) << c.name;
        }
    }
}

TEST(StatsCharts, TheChartControlPaintsTheFiguresItHolds) {
    ASSERT_TRUE(RegisterChartClass());
    ASSERT_TRUE(RegisterChartClass()) << "a second registration is harmless";
    // A message-only window: it needs no display, so the test runs under a bare Wine.
    const HWND chart = CreateWindowExW(0, kChartClassName, L"", WS_CHILD, 0, 0, kWidth, kHeight,
                                       HWND_MESSAGE, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(chart, nullptr);
    const Canvas before;
    SendMessageW(chart, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(before.dc()), PRF_CLIENT);
    EXPECT_EQ(before.Count(kEngineColour, 0, 1, 0, 1), 0);
    SetChartFigures(chart, Streaks());
    const Canvas after;
    SendMessageW(chart, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(after.dc()), PRF_CLIENT);
    EXPECT_GE(after.Count(kRandomColour, 0.0, 0.45, 0.1, 0.85), 1000);
    DestroyWindow(chart);
}

}  // namespace
}  // namespace pk10::win
