#pragma once
// Dialog units: the layout measure of the window templates. One horizontal unit
// is a quarter of the dialog font's average character width and one vertical
// unit an eighth of its line height, so a layout keeps its proportions whatever
// font the machine ends up with.

#include <QFont>
#include <QRect>
#include <QSize>

namespace pk10::ui {

class DialogUnits {
  public:
    // The base units of `font`: its average character width (over the 52 Latin
    // letters, rounded) and its line height, in pixels.
    explicit DialogUnits(const QFont& font);
    DialogUnits(int baseX, int baseY);

    int BaseX() const { return baseX_; }
    int BaseY() const { return baseY_; }

    int X(int units) const;
    int Y(int units) const;
    QRect ToPixels(int x, int y, int width, int height) const;
    QSize ToPixels(int width, int height) const;

  private:
    int baseX_;
    int baseY_;
};

// The dialog font: SimSun 9 points, or the first installed CJK font of a short
// list when SimSun is missing (as on most Linux machines).
QFont DialogFont();

}  // namespace pk10::ui
