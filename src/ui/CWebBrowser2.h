#pragma once
// The banner strip: an embedded web view (Qt WebEngine) that shows one page.
// Navigate() is its only operation; nothing is read back from the page. When
// the program is built without WebEngine, runs on a platform without a real
// screen (offscreen tests), or the page's render process dies, the strip shows
// the page's address as plain text instead.

#include <QString>
#include <QWidget>

class QLabel;
class QStackedLayout;

namespace pk10::ui {

class CWebBrowser2 : public QWidget {
    Q_OBJECT

  public:
    explicit CWebBrowser2(QWidget* parent = nullptr);

    // Starts loading `url` and returns at once; the page loads in its own time.
    void Navigate(const QString& url);

    // True when a web view shows the page; false when the address label does.
    bool ShowsWebView() const;
    // The address last passed to Navigate(), empty before.
    QString Address() const { return address_; }

  private:
    void ShowAddressLabel();

    QStackedLayout* stack_ = nullptr;
    QLabel* label_ = nullptr;
    QWidget* view_ = nullptr;
    QString address_;
};

// Whether this run can use the web view at all (built with it, on a real
// screen, and not switched off with PK10_NO_WEBENGINE=1).
bool WebViewUsable();

}  // namespace pk10::ui
