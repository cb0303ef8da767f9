#pragma once
// The banner strip: an embedded web view (Qt WebEngine) that shows one page.
// Navigate() is its only operation; nothing is read back from the page. When
// the program is built without WebEngine, runs on a platform without a real
// screen (offscreen tests), runs as root with the browser's sandbox on, or the
// page's render process dies, the strip shows the page's address as plain text
// instead.

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

// What decides whether the banner strip may use the web view.
struct WebViewSetting {
    bool builtWithWebEngine = false;
    QString platform;               // the Qt platform's name
    bool switchedOff = false;       // PK10_NO_WEBENGINE=1
    bool runAsRoot = false;         // effective user id 0
    bool sandboxOffByUser = false;  // QTWEBENGINE_DISABLE_SANDBOX set by the user
};

// The web view needs the build to have it and a real screen, and is not
// switched off. As root, Chromium's sandbox cannot run, and the strip shows a
// page fetched over plain HTTP, so there it is used only when the user turned
// the sandbox off themselves; otherwise the strip shows the page's address.
bool WebViewUsable(const WebViewSetting& setting);

// The setting of this process.
WebViewSetting CurrentWebViewSetting();

// Whether this run can use the web view at all.
bool WebViewUsable();

}  // namespace pk10::ui
