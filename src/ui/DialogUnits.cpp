#include "ui/DialogUnits.h"

#include <algorithm>

#include <QFontMetrics>
#include <QStringList>

namespace pk10::ui {
namespace {

// a * b / c rounded half away from zero, in 64 bits so nothing overflows.
int MulDiv(int a, int b, int c) {
    const long long product = static_cast<long long>(a) * b;
    const long long half = c / 2;
    return static_cast<int>(product >= 0 ? (product + half) / c : (product - half) / c);
}

}  // namespace

DialogUnits::DialogUnits(const QFont& font) {
    const QFontMetrics metrics(font);
    const int letters = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    // Average over 52 letters, rounded to the nearest pixel.
    baseX_ = std::max(1, (letters / 26 + 1) / 2);
    baseY_ = std::max(1, metrics.height());
}

DialogUnits::DialogUnits(int baseX, int baseY)
    : baseX_(std::max(1, baseX)), baseY_(std::max(1, baseY)) {}

int DialogUnits::X(int units) const {
    return MulDiv(units, baseX_, 4);
}

int DialogUnits::Y(int units) const {
    return MulDiv(units, baseY_, 8);
}

QRect DialogUnits::ToPixels(int x, int y, int width, int height) const {
    return QRect(X(x), Y(y), X(width), Y(height));
}

QSize DialogUnits::ToPixels(int width, int height) const {
    return QSize(X(width), Y(height));
}

QFont DialogFont() {
    QFont font;
    font.setFamilies({QStringLiteral("SimSun"), QStringLiteral("宋体"), QStringLiteral("NSimSun"),
                      QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("WenQuanYi Zen Hei"),
                      QStringLiteral("Noto Sans CJK SC"), QStringLiteral("Noto Serif CJK SC"),
                      QStringLiteral("AR PL UMing CN")});
    font.setPointSize(9);
    return font;
}

}  // namespace pk10::ui
