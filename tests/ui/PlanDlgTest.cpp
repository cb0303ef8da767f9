// The main window on its own, with recorded commands: its template, the two
// radio groups, the keys that close it, and the About box.

#include "ui/CPlanDlg.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include "app/SharedSelection.h"
#include "ui/CAboutDlg.h"
#include "ui/CWebBrowser2.h"
#include "ui/DialogUnits.h"
#include "ui/UiTestSupport.h"

namespace pk10 {
namespace {

using test::Control;

class PlanDlgTest : public ::testing::Test {
  protected:
    void SetUp() override { window.show(); }
    QRadioButton* Button(int position) { return window.PositionButton(position); }

    test::RecordingCommands commands;
    SharedSelection selection;
    ui::CPlanDlg window{commands, selection};
};

TEST(DialogUnits, ConvertWithRoundingFromTheFontBaseUnits) {
    const ui::DialogUnits units(6, 12);  // SimSun 9 pt on a 96 dpi screen
    EXPECT_EQ(units.ToPixels(690, 465), QSize(1035, 698));
    EXPECT_EQ(units.ToPixels(17, 168, 178, 264), QRect(26, 252, 267, 396));
    EXPECT_EQ(units.X(3), 5) << "4.5 rounds up";
    EXPECT_EQ(units.Y(1), 2) << "1.5 rounds up";
    const ui::DialogUnits fromFont(ui::DialogFont());
    EXPECT_GT(fromFont.BaseX(), 2);
    EXPECT_GT(fromFont.BaseY(), fromFont.BaseX());
}

TEST_F(PlanDlgTest, EveryControlOfTheTemplateIsInPlace) {
    EXPECT_EQ(window.windowTitle(),
              QString::fromUtf8("VarnokPK10北京赛车预测计划软件定位胆专版     版本号：V1.160601"));
    const ui::DialogUnits units(window.font());
    EXPECT_EQ(window.size(), units.ToPixels(690, 465));
    EXPECT_EQ(window.minimumSize(), window.maximumSize()) << "fixed size";
    EXPECT_FALSE(window.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(window.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(window.windowIcon().isNull());

    // The template written out here again, not taken from the window's own table,
    // so a slip in that table shows. Static texts have no ID (-1); only the push
    // buttons are Tab stops among the buttons.
    const struct {
        int id;
        const char* caption;
        int x, y, width, height;
    } controls[] = {
        {1000, "", 17, 168, 178, 264},
        {1001, "", 203, 167, 450, 264},
        {1002, "第一名", 20, 143, 36, 14},
        {1003, "第四名", 182, 140, 44, 19},
        {1004, "第五名", 233, 140, 43, 20},
        {1005, "第二名", 73, 141, 40, 18},
        {1006, "第三名", 128, 142, 41, 15},
        {1007, "", 401, 105, 62, 18},
        {1008, "", 509, 104, 62, 19},
        {-1, "码数->", 360, 107, 28, 14},
        {-1, "期数->", 473, 108, 30, 12},
        {1012, "经典模式", 196, 107, 49, 13},
        {1013, "智能模式", 286, 106, 53, 14},
        {1014, "计划不稳时点我", 554, 127, 71, 21},
        {1017, "", 7, 6, 676, 93},
        {1015, "开通高奖金信誉平台", 19, 105, 131, 24},
        {1010, "第六名", 286, 142, 45, 15},
        {1011, "第七名", 341, 142, 41, 16},
        {1018, "第八名", 391, 141, 46, 18},
        {1019, "第九名", 445, 141, 44, 20},
        {1020, "第十名", 496, 141, 41, 19},
        {-1, "pk10plan 仅供娱乐与研究，不构成投注建议。  问题与建议：support@pk10plan.example", 17,
         441, 615, 12},
    };
    const QRect inside(QPoint(0, 0), window.size());
    for (const auto& control : controls) {
        const QString caption = QString::fromUtf8(control.caption);
        QWidget* widget = nullptr;
        if (control.id < 0) {
            for (QLabel* label : window.findChildren<QLabel*>(QStringLiteral("static"))) {
                widget = label->text() == caption ? label : widget;
            }
        } else {
            widget = Control<QWidget>(window, control.id);
        }
        ASSERT_NE(widget, nullptr) << control.id << " " << control.caption;
        EXPECT_EQ(widget->geometry(),
                  units.ToPixels(control.x, control.y, control.width, control.height))
            << control.id;
        EXPECT_TRUE(inside.contains(widget->geometry())) << control.id;
        if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            EXPECT_EQ(button->text(), caption) << control.id;
            const bool pushButton = control.id == 1014 || control.id == 1015;
            EXPECT_EQ(button->focusPolicy() & Qt::TabFocus, pushButton ? Qt::TabFocus : 0)
                << control.id;
        }
    }
    EXPECT_EQ(window.findChildren<QRadioButton*>().size(), 12);

    auto* drawPane = Control<QPlainTextEdit>(window, 1000);
    auto* planPane = Control<QPlainTextEdit>(window, 1001);
    EXPECT_TRUE(drawPane->isReadOnly());
    EXPECT_FALSE(planPane->isReadOnly());
    for (QPlainTextEdit* pane : {drawPane, planPane}) {
        EXPECT_EQ(pane->lineWrapMode(), QPlainTextEdit::NoWrap);
        EXPECT_EQ(pane->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    }
    EXPECT_TRUE(Control<QLineEdit>(window, 1007)->text().isEmpty());
    EXPECT_TRUE(Control<QLineEdit>(window, 1008)->text().isEmpty());
}

TEST_F(PlanDlgTest, RadioGroupsLetOnePositionOfEachHalfBeChecked) {
    QTest::mouseClick(Button(2), Qt::LeftButton);
    QTest::mouseClick(Button(7), Qt::LeftButton);
    EXPECT_TRUE(Button(2)->isChecked());
    EXPECT_TRUE(Button(7)->isChecked());
    EXPECT_TRUE(selection.IsChecked(2));
    EXPECT_TRUE(selection.IsChecked(7));
    EXPECT_EQ(commands.calls, (std::vector<std::string>{"select", "select"}));

    // Group A: "第四名" unchecks "第二名". A click on the checked button runs the handler too.
    QTest::mouseClick(Button(4), Qt::LeftButton);
    QTest::mouseClick(Button(4), Qt::LeftButton);
    EXPECT_FALSE(selection.IsChecked(2));
    EXPECT_TRUE(Button(4)->isChecked());
    EXPECT_EQ(commands.calls.size(), 4U);

    // "智能模式" shares group B with Positions 6-10 and sends nothing.
    auto* smart = Control<QRadioButton>(window, 1013);
    QTest::mouseClick(smart, Qt::LeftButton);
    EXPECT_TRUE(smart->isChecked());
    EXPECT_FALSE(Button(7)->isChecked());
    EXPECT_FALSE(selection.IsChecked(7));
    EXPECT_TRUE(selection.IsChecked(4));
    EXPECT_EQ(commands.calls.size(), 4U);

    // The application may uncheck a group's checked button, leaving none checked.
    window.SetPositionChecked(4, false);
    EXPECT_FALSE(Button(4)->isChecked());
    EXPECT_FALSE(selection.IsChecked(4));
    window.SetModeButtons(false, false);
    EXPECT_FALSE(smart->isChecked());
    window.SetModeButtons(false, true);
    EXPECT_TRUE(smart->isChecked());
    EXPECT_FALSE(Control<QRadioButton>(window, 1012)->isChecked());
}

TEST_F(PlanDlgTest, AProgramSetCheckChangesThatButtonOnlyAndAClickKeepsTheRule) {
    // The user picks "第六名" before the start-up work checks "智能模式".
    QTest::mouseClick(Button(6), Qt::LeftButton);
    window.SetModeButtons(false, true);
    auto* smart = Control<QRadioButton>(window, 1013);
    EXPECT_TRUE(smart->isChecked());
    EXPECT_TRUE(Button(6)->isChecked());
    EXPECT_TRUE(selection.IsChecked(6));

    // The next click leaves only the clicked button of group B checked.
    QTest::mouseClick(Button(8), Qt::LeftButton);
    EXPECT_TRUE(Button(8)->isChecked());
    EXPECT_FALSE(Button(6)->isChecked());
    EXPECT_FALSE(smart->isChecked());
    EXPECT_FALSE(selection.IsChecked(6));
    EXPECT_TRUE(selection.IsChecked(8));
}

TEST_F(PlanDlgTest, EnterOnAPositionButtonClosesTheWindowAndShutsDown) {
    QTest::mouseClick(Button(3), Qt::LeftButton);
    ASSERT_EQ(window.focusWidget(), Button(3));
    QTest::keyClick(Button(3), Qt::Key_Return);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.result(), QDialog::Accepted);
    EXPECT_EQ(commands.calls, (std::vector<std::string>{"select", "shutdown"}));
}

TEST_F(PlanDlgTest, EnterOnAPushButtonPressesItAndEscCloses) {
    auto* replan = Control<QPushButton>(window, 1014);
    replan->setFocus();
    QTest::keyClick(replan, Qt::Key_Return);
    EXPECT_TRUE(window.isVisible());
    window.SetReplanRunning(true);
    EXPECT_FALSE(replan->isEnabled());
    window.SetReplanRunning(false);
    QTest::mouseClick(Control<QPushButton>(window, 1015), Qt::LeftButton);
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(commands.calls, (std::vector<std::string>{"replan", "promo", "shutdown"}));
    window.done(0);  // a second close does not shut down twice
    EXPECT_EQ(commands.calls.size(), 3U);
}

TEST_F(PlanDlgTest, PanesReplaceTheirTextAndScrollToTheEnd) {
    QString lines;
    for (int i = 0; i < 300; ++i) {
        lines += QString::number(i) + QLatin1Char('\n');
    }
    window.ShowPlanText(lines);
    auto* planPane = Control<QPlainTextEdit>(window, 1001);
    EXPECT_EQ(planPane->toPlainText(), lines);
    EXPECT_GT(planPane->verticalScrollBar()->maximum(), 0);
    EXPECT_EQ(planPane->verticalScrollBar()->value(), planPane->verticalScrollBar()->maximum());

    auto* drawPane = Control<QPlainTextEdit>(window, 1000);
    window.ShowDrawListing(lines, false);
    EXPECT_EQ(drawPane->verticalScrollBar()->value(), 0);
    window.ShowDrawListing(lines, true);
    EXPECT_EQ(drawPane->verticalScrollBar()->value(), drawPane->verticalScrollBar()->maximum());

    window.ShowCountFields(QStringLiteral("6"), QStringLiteral("3"));
    EXPECT_EQ(Control<QLineEdit>(window, 1007)->text(), QStringLiteral("6"));
    EXPECT_EQ(Control<QLineEdit>(window, 1008)->text(), QStringLiteral("3"));

    window.NavigateBanner(QStringLiteral("http://127.0.0.1:8010/add/pk10add.html"));
    EXPECT_EQ(window.Banner()->Address(), QStringLiteral("http://127.0.0.1:8010/add/pk10add.html"));
    EXPECT_FALSE(window.Banner()->ShowsWebView()) << "no web view on the offscreen platform";
}

TEST(BannerStrip, AsRootTheWebViewWaitsForTheUserToTurnTheSandboxOff) {
    const auto with = [](auto change) {
        ui::WebViewSetting setting;
        setting.builtWithWebEngine = true;
        setting.platform = QStringLiteral("xcb");
        change(setting);
        return setting;
    };
    const struct {
        const char* name;
        ui::WebViewSetting setting;
        bool usable;
    } cases[] = {
        {"a user on a screen", with([](ui::WebViewSetting&) {}), true},
        {"root", with([](ui::WebViewSetting& s) { s.runAsRoot = true; }), false},
        {"root who turned the sandbox off", with([](ui::WebViewSetting& s) {
             s.runAsRoot = true;
             s.sandboxOffByUser = true;
         }),
         true},
        {"offscreen", with([](ui::WebViewSetting& s) { s.platform = QStringLiteral("offscreen"); }),
         false},
        {"switched off", with([](ui::WebViewSetting& s) { s.switchedOff = true; }), false},
        {"built without", with([](ui::WebViewSetting& s) { s.builtWithWebEngine = false; }), false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ui::WebViewUsable(c.setting), c.usable) << c.name;
    }
}

TEST_F(PlanDlgTest, F1AndTheContextMenuOpenTheAboutBox) {
    QStringList seen;
    auto inspectAndClose = [&seen] {
        auto* about = qobject_cast<ui::CAboutDlg*>(QApplication::activeModalWidget());
        if (about == nullptr) {
            seen << QStringLiteral("no About box");
            return;
        }
        seen << about->windowTitle();
        for (QLabel* label : about->findChildren<QLabel*>()) {
            if (!label->text().isEmpty()) {
                seen << label->text();
            }
        }
        auto* ok = about->findChild<QPushButton*>(QStringLiteral("1"));
        seen << ok->text();
        QTest::mouseClick(ok, Qt::LeftButton);
    };
    QTimer::singleShot(0, &window, inspectAndClose);
    QTest::keyClick(&window, Qt::Key_F1);
    EXPECT_EQ(seen, (QStringList{QString::fromUtf8("关于 Varnok时时彩软件"),
                                 QString::fromUtf8("Varnok时时彩软件 1.0 版"),
                                 QString::fromUtf8("确定")}));

    // The context menu holds the About item; choosing it opens the box too.
    seen.clear();
    QTimer::singleShot(0, &window, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        ASSERT_EQ(menu->actions().size(), 3);
        EXPECT_EQ(menu->actions()[0]->text(), QString::fromUtf8("关于 Varnok时时彩软件(&A)..."));
        EXPECT_EQ(menu->actions()[1]->text(), QString::fromUtf8("统计(&S)..."));
        EXPECT_EQ(menu->actions()[2]->text(), QString::fromUtf8("设置(&O)..."));
        QTimer::singleShot(0, &window, inspectAndClose);
        menu->actions()[0]->trigger();
        menu->close();
    });
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5),
                            window.mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(&window, &event);
    EXPECT_EQ(seen.size(), 3);
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(commands.calls.empty());
}

}  // namespace
}  // namespace pk10
