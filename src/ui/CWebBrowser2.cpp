#include "ui/CWebBrowser2.h"

#include <QGuiApplication>
#include <QLabel>
#include <QStackedLayout>
#include <QUrl>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

#ifdef PK10_HAVE_WEBENGINE
#include <QWebEnginePage>
#include <QWebEngineView>
#endif

namespace pk10::ui {

bool WebViewUsable(const WebViewSetting& setting) {
    if (!setting.builtWithWebEngine || setting.switchedOff) {
        return false;
    }
    if (setting.platform == QLatin1String("offscreen") ||
        setting.platform == QLatin1String("minimal")) {
        return false;
    }
    return !setting.runAsRoot || setting.sandboxOffByUser;
}

WebViewSetting CurrentWebViewSetting() {
    WebViewSetting setting;
#ifdef PK10_HAVE_WEBENGINE
    setting.builtWithWebEngine = true;
#endif
    setting.platform = QGuiApplication::platformName();
    setting.switchedOff = qEnvironmentVariableIntValue("PK10_NO_WEBENGINE") != 0;
#ifdef Q_OS_UNIX
    setting.runAsRoot = geteuid() == 0;
#endif
    setting.sandboxOffByUser = !qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX");
    return setting;
}

bool WebViewUsable() {
    return WebViewUsable(CurrentWebViewSetting());
}

CWebBrowser2::CWebBrowser2(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::TabFocus);
    stack_ = new QStackedLayout(this);
    stack_->setContentsMargins(0, 0, 0, 0);
    label_ = new QLabel(this);
    label_->setTextFormat(Qt::PlainText);
    label_->setAlignment(Qt::AlignCenter);
    label_->setFrameShape(QFrame::StyledPanel);
    stack_->addWidget(label_);
#ifdef PK10_HAVE_WEBENGINE
    if (WebViewUsable()) {
        auto* view = new QWebEngineView(this);
        view_ = view;
        stack_->addWidget(view);
        stack_->setCurrentWidget(view);
        // A render process that cannot start or dies leaves a blank strip;
        // show the address instead.
        connect(view->page(), &QWebEnginePage::renderProcessTerminated, this,
                [this] { ShowAddressLabel(); });
    }
#endif
}

void CWebBrowser2::Navigate(const QString& url) {
    address_ = url;
    label_->setText(url);
#ifdef PK10_HAVE_WEBENGINE
    if (view_ != nullptr && stack_->currentWidget() == view_) {
        static_cast<QWebEngineView*>(view_)->load(QUrl(url));
    }
#endif
}

bool CWebBrowser2::ShowsWebView() const {
    return view_ != nullptr && stack_->currentWidget() == view_;
}

void CWebBrowser2::ShowAddressLabel() {
    stack_->setCurrentWidget(label_);
}

}  // namespace pk10::ui
