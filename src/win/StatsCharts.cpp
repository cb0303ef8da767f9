#include "win/StatsCharts.h"

#include <algorithm>
#include <cmath>
#include <cwchar>
#include <string>
#include <type_traits>
#include <variant>
#include <vector>

#include "win/WideText.h"

namespace pk10::win {
namespace {

// Selects a GDI object into a DC for one scope; deletes it after when owned.
class Selection {
  public:
    Selection(HDC dc, HGDIOBJ object, bool owned)
        : dc_(dc), object_(object), old_(SelectObject(dc, object)), owned_(owned) {}
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;
    ~Selection() {
        SelectObject(dc_, old_);
        if (owned_) {
            DeleteObject(object_);
        }
    }

  private:
    HDC dc_;
    HGDIOBJ object_;
    HGDIOBJ old_;
    bool owned_;
};

// A pen of `colour` selected for one scope.
class PenScope : public Selection {
  public:
    PenScope(HDC dc, COLORREF colour, int width = 1, int style = PS_SOLID)
        : Selection(dc, CreatePen(style, width, colour), true) {}
};

void Fill(HDC dc, const RECT& rect, COLORREF colour) {
    const HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &rect, brush);
    DeleteObject(brush);
}

void Line(HDC dc, int x0, int y0, int x1, int y1) {
    MoveToEx(dc, x0, y0, nullptr);
    LineTo(dc, x1, y1);
}

void Text(HDC dc, const std::wstring& text, RECT rect, UINT format) {
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect,
              format | DT_SINGLELINE | DT_NOPREFIX);
}

std::wstring Number(double value) {
    wchar_t buffer[32];
    std::swprintf(buffer, 32, L"%.0f", value);
    return buffer;
}

// A step of 1, 2 or 5 times a power of ten that cuts `range` into about `parts`.
double NiceStep(double range, int parts) {
    if (!(range > 0)) {
        return 1;
    }
    const double raw = range / parts;
    const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    const double scaled = raw / magnitude;
    return (scaled <= 1 ? 1 : scaled <= 2 ? 2 : scaled <= 5 ? 5 : 10) * magnitude;
}

// The frame of one chart: its title on top, a row for the legend below, the
// x labels above that and the y labels on the left of the plot.
struct Layout {
    RECT title;
    RECT plot;
    RECT xLabels;
    RECT legend;
    int lineHeight;
};

Layout LayOut(HDC dc, const RECT& area, const std::wstring& widestLabel) {
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    const int line = std::max<int>(metrics.tmHeight, 8) + 2;
    SIZE label{};
    GetTextExtentPoint32W(dc, widestLabel.c_str(), static_cast<int>(widestLabel.size()), &label);
    Layout layout{};
    layout.lineHeight = line;
    layout.title = {area.left, area.top + 2, area.right, area.top + 2 + line};
    layout.legend = {area.left + 4, area.bottom - line - 2, area.right - 4, area.bottom - 2};
    layout.xLabels = {area.left, layout.legend.top - line, area.right, layout.legend.top};
    layout.plot = {area.left + label.cx + 8, layout.title.bottom + line / 2, area.right - 10,
                   layout.xLabels.top - 2};
    if (layout.plot.right <= layout.plot.left + 10 || layout.plot.bottom <= layout.plot.top + 10) {
        layout.plot = {area.left, area.top, std::max(area.left, area.right),
                       std::max(area.top, area.bottom)};
    }
    return layout;
}

// Values to pixels inside the plot rectangle.
struct Scale {
    RECT plot;
    double x0, x1, y0, y1;

    int X(double x) const {
        const double width = x1 > x0 ? x1 - x0 : 1;
        return plot.left + static_cast<int>(std::lround(
                               (x - x0) / width * static_cast<double>(plot.right - plot.left)));
    }
    int Y(double y) const {
        const double height = y1 > y0 ? y1 - y0 : 1;
        const double clamped = std::clamp(y, y0, std::max(y0, y1));
        return plot.bottom -
               static_cast<int>(std::lround((clamped - y0) / height *
                                            static_cast<double>(plot.bottom - plot.top)));
    }
};

// The y axis with its grid lines and labels every `step` from y0 to y1.
void YAxis(HDC dc, const Scale& scale, double step) {
    PenScope grid(dc, RGB(0xdd, 0xdd, 0xdd));
    for (double y = std::ceil(scale.y0 / step) * step; y <= scale.y1 + step / 1000; y += step) {
        const int at = scale.Y(y);
        Line(dc, scale.plot.left, at, scale.plot.right, at);
        Text(dc, Number(y), {0, at - 20, scale.plot.left - 4, at + 20}, DT_RIGHT | DT_VCENTER);
    }
    PenScope axis(dc, RGB(0x40, 0x40, 0x40));
    Line(dc, scale.plot.left, scale.plot.top, scale.plot.left, scale.plot.bottom);
    Line(dc, scale.plot.left, scale.plot.bottom, scale.plot.right, scale.plot.bottom);
}

// One legend entry: a swatch (a bar, or a line when `line`) and its text; returns
// the x after it.
int LegendEntry(HDC dc, const RECT& legend, int x, COLORREF colour, bool line,
                const std::string& text) {
    const int middle = (legend.top + legend.bottom) / 2;
    if (line) {
        PenScope pen(dc, colour, 2);
        Line(dc, x, middle, x + 14, middle);
    } else {
        Fill(dc, {x, middle - 4, x + 12, middle + 4}, colour);
    }
    const std::wstring wide = Widen(text);
    SIZE size{};
    GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
    Text(dc, wide, {x + 18, legend.top, x + 18 + size.cx + 2, legend.bottom}, DT_LEFT | DT_VCENTER);
    return x + 18 + size.cx + 12;
}

// Prepares `dc` for one chart (font, transparent text, clipped to `area`) and
// puts everything back at the end.
class ChartScope {
  public:
    ChartScope(HDC dc, const RECT& area, HFONT font)
        : dc_(dc),
          saved_(SaveDC(dc)),
          font_(dc, font != nullptr ? font : GetStockObject(DEFAULT_GUI_FONT), false) {
        IntersectClipRect(dc, area.left, area.top, area.right, area.bottom);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, RGB(0, 0, 0));
    }
    ChartScope(const ChartScope&) = delete;
    ChartScope& operator=(const ChartScope&) = delete;
    ~ChartScope() { RestoreDC(dc_, saved_); }

  private:
    HDC dc_;
    int saved_;
    Selection font_;
};

bool Usable(const RECT& area) {
    return area.right - area.left > 20 && area.bottom - area.top > 20;
}

}  // namespace

void PaintHitRates(HDC dc, const RECT& area, const HitRateFigures& figures, HFONT font) {
    if (!Usable(area)) {
        return;
    }
    const ChartScope scope(dc, area, font);
    const Layout layout = LayOut(dc, area, L"100");
    Text(dc, Widen(kHitRateChartTitle), layout.title, DT_CENTER | DT_VCENTER);
    const Scale scale{layout.plot, -0.5, kSlotCount - 0.5, figures.axisLowPercent, 100.0};
    YAxis(dc, scale, 10.0);

    const int slot =
        std::max(1, static_cast<int>(layout.plot.right - layout.plot.left) / kSlotCount);
    const int halfBar = std::max(1, slot * 3 / 10);
    const int cap = std::max(2, slot / 8);
    for (int index = 0; index < kSlotCount; ++index) {
        const PositionRate& position = figures.positions[static_cast<std::size_t>(index)];
        const int x = scale.X(index);
        Text(dc, std::to_wstring(index + 1),
             {x - slot / 2, layout.xLabels.top, x + slot / 2, layout.xLabels.bottom},
             DT_CENTER | DT_VCENTER);
        const int top = scale.Y(position.rate * 100.0);
        if (top < layout.plot.bottom) {
            Fill(dc, {x - halfBar, top, x + halfBar, layout.plot.bottom}, kEngineColour);
        }
        if (position.rated) {
            PenScope pen(dc, RGB(0, 0, 0));
            const int low = scale.Y(position.low * 100.0);
            const int high = scale.Y(position.high * 100.0);
            Line(dc, x, low, x, high);
            Line(dc, x - cap, low, x + cap + 1, low);
            Line(dc, x - cap, high, x + cap + 1, high);
        }
    }
    {
        PenScope pen(dc, kChanceColour, 2);
        const int chance = scale.Y(figures.chance * 100.0);
        Line(dc, layout.plot.left, chance, layout.plot.right, chance);
    }
    int x = LegendEntry(dc, layout.legend, layout.legend.left, kEngineColour, false,
                        kHitRateSeriesText);
    LegendEntry(dc, layout.legend, x, kChanceColour, true, kChanceSeriesText);
}

void PaintMissStreaks(HDC dc, const RECT& area, const StreakFigures& figures, HFONT font) {
    if (!Usable(area)) {
        return;
    }
    const ChartScope scope(dc, area, font);
    const double step = NiceStep(figures.highestRuns, 5);
    const double top = std::max(step, std::ceil(figures.highestRuns / step) * step);
    const Layout layout = LayOut(dc, area, Number(top));
    Text(dc, Widen(kStreakChartTitle), layout.title, DT_CENTER | DT_VCENTER);
    const int bins = std::max<int>(1, static_cast<int>(figures.bins.size()));
    const Scale scale{layout.plot, -0.5, bins - 0.5, 0.0, top};
    YAxis(dc, scale, step);

    const int slot = std::max(2, static_cast<int>(layout.plot.right - layout.plot.left) / bins);
    const int bar = std::max(1, slot * 4 / 10);
    // Labels only as often as they fit.
    const int labelEvery = std::max(1, 24 / slot + (24 % slot != 0 ? 1 : 0));
    for (int index = 0; index < static_cast<int>(figures.bins.size()); ++index) {
        const StreakBin& bin = figures.bins[static_cast<std::size_t>(index)];
        const int x = scale.X(index);
        if (bin.engineRuns > 0) {
            Fill(dc, {x - bar, scale.Y(bin.engineRuns), x, layout.plot.bottom}, kEngineColour);
        }
        if (bin.randomRuns > 0) {
            Fill(dc, {x, scale.Y(bin.randomRuns), x + bar, layout.plot.bottom}, kRandomColour);
        }
        if (index % labelEvery == 0) {
            Text(dc, std::to_wstring(bin.length),
                 {x - slot * labelEvery / 2, layout.xLabels.top, x + slot * labelEvery / 2,
                  layout.xLabels.bottom},
                 DT_CENTER | DT_VCENTER);
        }
    }
    const int x =
        LegendEntry(dc, layout.legend, layout.legend.left, kEngineColour, false, kEngineSeriesText);
    LegendEntry(dc, layout.legend, x, kRandomColour, false, kRandomSeriesText);
    Text(dc, Widen(kStreakAxisText), layout.legend, DT_RIGHT | DT_VCENTER);
}

void PaintMoneyCurves(HDC dc, const RECT& area, const MoneyCurveFigures& figures, HFONT font) {
    if (!Usable(area)) {
        return;
    }
    const ChartScope scope(dc, area, font);
    const double step = NiceStep(figures.highY - figures.lowY, 5);
    const double low = std::floor(figures.lowY / step) * step;
    const double high = std::max(low + step, std::ceil(figures.highY / step) * step);
    const Layout layout =
        LayOut(dc, area, Number(std::fabs(low) > std::fabs(high) ? low : high) + L"0");
    Text(dc, Widen(kMoneyChartTitle), layout.title, DT_CENTER | DT_VCENTER);
    if (figures.Empty()) {
        return;
    }
    const Scale scale{layout.plot, 0.0, figures.lastX, low, high};
    YAxis(dc, scale, step);
    const double xStep = NiceStep(figures.lastX, 5);
    for (double x = 0; x <= figures.lastX + xStep / 1000; x += xStep) {
        const int at = scale.X(x);
        Text(dc, Number(x), {at - 40, layout.xLabels.top, at + 40, layout.xLabels.bottom},
             DT_CENTER | DT_VCENTER);
    }

    const auto curve = [&](const std::vector<ChartPoint>& points, COLORREF colour, int style,
                           int width) {
        if (points.empty()) {
            return;
        }
        std::vector<POINT> pixels;
        pixels.reserve(points.size());
        for (const ChartPoint& point : points) {
            pixels.push_back({scale.X(point.x), scale.Y(point.y)});
        }
        PenScope pen(dc, colour, width, style);
        Polyline(dc, pixels.data(), static_cast<int>(pixels.size()));
    };
    curve(figures.random, kRandomColour, PS_SOLID, 2);
    curve(figures.engine, kEngineColour, PS_SOLID, 2);
    curve(figures.expected, RGB(0, 0, 0), PS_DASH, 1);

    int x =
        LegendEntry(dc, layout.legend, layout.legend.left, kEngineColour, true, kEngineSeriesText);
    x = LegendEntry(dc, layout.legend, x, kRandomColour, true, kRandomSeriesText);
    x = LegendEntry(dc, layout.legend, x, RGB(0, 0, 0), true, kExpectedSeriesText);
    if (figures.hasDrawdown) {
        const HBRUSH brush = CreateSolidBrush(kDrawdownColour);
        {
            const Selection fill(dc, brush, false);
            PenScope pen(dc, kDrawdownColour);
            for (const ChartPoint& mark : {figures.peak, figures.trough}) {
                const int mx = scale.X(mark.x);
                const int my = scale.Y(mark.y);
                Ellipse(dc, mx - 4, my - 4, mx + 5, my + 5);
            }
        }
        DeleteObject(brush);
        LegendEntry(dc, layout.legend, x, kDrawdownColour, false, DrawdownText(figures.Drawdown()));
    }
    Text(dc, Widen(kMoneyAxisText), layout.legend, DT_RIGHT | DT_VCENTER);
}

namespace {

using Figures = std::variant<std::monostate, HitRateFigures, StreakFigures, MoneyCurveFigures>;

struct ChartData {
    Figures figures;
    HFONT font = nullptr;
};

ChartData* DataOf(HWND window) {
    return reinterpret_cast<ChartData*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

void PaintFigures(HDC dc, const RECT& area, const ChartData& data) {
    Fill(dc, area, kChartBackground);
    std::visit(
        [&](const auto& figures) {
            using Kind = std::decay_t<decltype(figures)>;
            if constexpr (std::is_same_v<Kind, HitRateFigures>) {
                PaintHitRates(dc, area, figures, data.font);
            } else if constexpr (std::is_same_v<Kind, StreakFigures>) {
                PaintMissStreaks(dc, area, figures, data.font);
            } else if constexpr (std::is_same_v<Kind, MoneyCurveFigures>) {
                PaintMoneyCurves(dc, area, figures, data.font);
            }
        },
        data.figures);
}

// Paints into a bitmap first and copies it in one go, so a repaint never flickers.
void PaintBuffered(HWND window, HDC dc, const ChartData& data) {
    RECT client{};
    GetClientRect(window, &client);
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    if (width <= 0 || height <= 0) {
        return;
    }
    const HDC memory = CreateCompatibleDC(dc);
    const HBITMAP bitmap = CreateCompatibleBitmap(dc, width, height);
    if (memory == nullptr || bitmap == nullptr) {
        // Without the buffer it still paints, straight into the window.
        if (bitmap != nullptr) {
            DeleteObject(bitmap);
        }
        if (memory != nullptr) {
            DeleteDC(memory);
        }
        PaintFigures(dc, client, data);
        return;
    }
    {
        const Selection selected(memory, bitmap, false);
        PaintFigures(memory, client, data);
        BitBlt(dc, 0, 0, width, height, memory, 0, 0, SRCCOPY);
    }
    DeleteObject(bitmap);
    DeleteDC(memory);
}

LRESULT CALLBACK ChartProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_NCCREATE:
            SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(new ChartData));
            break;
        case WM_NCDESTROY:
            delete DataOf(window);
            SetWindowLongPtrW(window, GWLP_USERDATA, 0);
            break;
        case WM_SETFONT:
            if (ChartData* data = DataOf(window)) {
                data->font = reinterpret_cast<HFONT>(wParam);
                if (LOWORD(lParam) != 0) {
                    InvalidateRect(window, nullptr, FALSE);
                }
            }
            return 0;
        case WM_GETFONT:
            if (const ChartData* data = DataOf(window)) {
                return reinterpret_cast<LRESULT>(data->font);
            }
            return 0;
        case WM_ERASEBKGND:
            return 1;  // WM_PAINT covers every pixel
        case WM_PAINT: {
            PAINTSTRUCT paint{};
            const HDC dc = BeginPaint(window, &paint);
            if (const ChartData* data = DataOf(window)) {
                PaintBuffered(window, dc, *data);
            }
            EndPaint(window, &paint);
            return 0;
        }
        case WM_PRINTCLIENT:
            if (const ChartData* data = DataOf(window)) {
                PaintBuffered(window, reinterpret_cast<HDC>(wParam), *data);
            }
            return 0;
        default:
            break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

template <class Kind>
void Show(HWND chart, const Kind& figures) {
    if (ChartData* data = DataOf(chart)) {
        data->figures = figures;
        InvalidateRect(chart, nullptr, FALSE);
    }
}

}  // namespace

bool RegisterChartClass() {
    const HINSTANCE module = GetModuleHandleW(nullptr);
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExW(module, kChartClassName, &existing)) {
        return true;
    }
    WNDCLASSEXW chartClass{};
    chartClass.cbSize = sizeof chartClass;
    chartClass.style = CS_HREDRAW | CS_VREDRAW;
    chartClass.lpfnWndProc = ChartProc;
    chartClass.hInstance = module;
    chartClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    chartClass.lpszClassName = kChartClassName;
    return RegisterClassExW(&chartClass) != 0;
}

void SetChartFigures(HWND chart, const HitRateFigures& figures) {
    Show(chart, figures);
}

void SetChartFigures(HWND chart, const StreakFigures& figures) {
    Show(chart, figures);
}

void SetChartFigures(HWND chart, const MoneyCurveFigures& figures) {
    Show(chart, figures);
}

}  // namespace pk10::win
