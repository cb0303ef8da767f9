// stats-shot: replays a draw file in the statistics window at the given stakes
// and odds and saves a picture of its "回测" tab as PNG, on the "命中率" page
// (PAGE rates) or the "资金" page (PAGE money), for the README
// (scripts/stats-screenshots.sh runs it). Works on any display, Qt's offscreen
// platform included. COUNT 0 replays the whole file.
//
// Usage: stats-shot OUT.png PAGE DRAW_FILE [COUNT [STAKES [ODDS]]]
// Exit status: 0 saved; 1 the replay or the picture failed; 2 bad arguments.

#include <QApplication>
#include <QEventLoop>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimer>
#include <cstdio>
#include <string>

#include "ui/CStatsDlg.h"
#include "ui/QtTranslations.h"
#include "ui/StatsDlgTemplate.h"

namespace {

QLineEdit* Field(const QWidget& window, const char* name) {
    return window.findChild<QLineEdit*>(QString::fromUtf8(name));
}

// Turns the event loop until `done` holds.
template <class Condition>
void WaitFor(Condition done) {
    QEventLoop loop;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, &loop, [&] {
        if (done()) {
            loop.quit();
        }
    });
    timer.start(50);
    loop.exec();
}

}  // namespace

int main(int argc, char** argv) {
    const std::string page = argc > 2 ? argv[2] : "";
    bool countRead = true;
    const int count = argc > 4 ? QString::fromLocal8Bit(argv[4]).toInt(&countRead) : 0;
    if (argc < 4 || argc > 7 || (page != "rates" && page != "money") || !countRead || count < 0) {
        std::fprintf(stderr,
                     "usage: stats-shot OUT.png rates|money DRAW_FILE [COUNT [STAKES [ODDS]]]\n");
        return 2;
    }
    QApplication app(argc, argv);
    pk10::ui::InstallQtTranslations(app);
    pk10::ui::CStatsDlg window;
    Field(window, pk10::ui::kDrawFileName)->setText(QString::fromLocal8Bit(argv[3]));
    window.findChild<QSpinBox*>(QString::fromUtf8(pk10::ui::kCountName))->setValue(count);
    if (argc > 5) {
        Field(window, pk10::ui::kStakesName)->setText(QString::fromLocal8Bit(argv[5]));
    }
    if (argc > 6) {
        Field(window, pk10::ui::kOddsName)->setText(QString::fromLocal8Bit(argv[6]));
    }
    window.show();
    window.StartBacktest();
    WaitFor([&] { return !window.BacktestRunning(); });
    if (!window.LastBacktest() || window.LastBacktest()->partial) {
        const auto* why = window.findChild<QLabel*>(QString::fromUtf8(pk10::ui::kProgressTextName));
        std::fprintf(stderr, "stats-shot: no replay: %s\n", why->text().toUtf8().constData());
        return 1;
    }
    // The outer tabs come first ("回测"), then the replay's pages.
    const QList<QTabWidget*> tabs = window.findChildren<QTabWidget*>();
    tabs.front()->setCurrentIndex(1);
    tabs.back()->setCurrentIndex(page == "money" ? 1 : 0);
    bool shown = false;
    QTimer::singleShot(500, [&] { shown = true; });
    WaitFor([&] { return shown; });
    if (!window.grab().save(QString::fromLocal8Bit(argv[1]), "PNG")) {
        std::fprintf(stderr, "stats-shot: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
