// The settings dialog, opened from the window's context menu: a bad address
// refused with the reason, a good one saved in the settings file and handed to
// the application, a server fixed for the run shown disabled.

#include "ui/CSettingsDlg.h"

#include <gtest/gtest.h>

#include <QContextMenuEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <QTimer>
#include <functional>

#include "app/SharedSelection.h"
#include "ui/UiTestSupport.h"

namespace pk10 {
namespace {

class SettingsDlgTest : public ::testing::Test {
  protected:
    void SetUp() override {
        QSettings(QStringLiteral("pk10plan"), QStringLiteral("pk10plan")).clear();
        window.show();
    }

    // Chooses the settings item of the window's menu and runs `work` on the
    // dialog it opens.
    void WithSettingsDialog(std::function<void(ui::CSettingsDlg&)> work) {
        bool opened = false;
        QTimer::singleShot(0, &window, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            ASSERT_NE(menu, nullptr);
            QTimer::singleShot(0, &window, [&] {
                auto* dialog = qobject_cast<ui::CSettingsDlg*>(QApplication::activeModalWidget());
                ASSERT_NE(dialog, nullptr);
                opened = true;
                work(*dialog);
                if (dialog->isVisible()) {
                    dialog->reject();
                }
            });
            menu->actions().back()->trigger();
            menu->close();
        });
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5),
                                window.mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(&window, &event);
        EXPECT_TRUE(opened);
    }

    test::RecordingCommands commands;
    SharedSelection selection;
    ui::CPlanDlg window{commands, selection};
};

TEST_F(SettingsDlgTest, RefusesABadAddressWithTheReasonAndSavesAGoodOne) {
    commands.servers = {{"http://127.0.0.1:8010/", ""}, {"http://127.0.0.1:8010/", ""}};
    WithSettingsDialog([](ui::CSettingsDlg& dialog) {
        auto* results = dialog.findChild<QLineEdit*>(QStringLiteral("1301"));
        auto* maker = dialog.findChild<QLineEdit*>(QStringLiteral("1302"));
        auto* reason = dialog.findChild<QLabel*>(QStringLiteral("1305"));
        auto* ok = dialog.findChild<QPushButton*>(QStringLiteral("1"));
        EXPECT_EQ(results->text(), QStringLiteral("http://127.0.0.1:8010/"));
        EXPECT_TRUE(results->isEnabled());

        results->setText(QStringLiteral("ftp://results.example/"));
        QTest::mouseClick(ok, Qt::LeftButton);
        EXPECT_TRUE(dialog.isVisible()) << "a bad address keeps the dialog open";
        EXPECT_TRUE(reason->text().contains(QStringLiteral("ftp://results.example/")))
            << reason->text().toStdString();

        results->setText(QStringLiteral("http://results.example:8010/"));
        maker->setText(QStringLiteral("https://maker.example/"));
        QTest::mouseClick(ok, Qt::LeftButton);
        EXPECT_FALSE(dialog.isVisible());
    });
    ASSERT_EQ(commands.calls.size(), 1u);
    EXPECT_EQ(commands.calls[0], "servers http://results.example:8010/ https://maker.example/");
    const QSettings saved(QStringLiteral("pk10plan"), QStringLiteral("pk10plan"));
    EXPECT_EQ(saved.value(QStringLiteral("servers/results")).toString(),
              QStringLiteral("http://results.example:8010/"));
    EXPECT_EQ(saved.value(QStringLiteral("servers/maker")).toString(),
              QStringLiteral("https://maker.example/"));
}

TEST_F(SettingsDlgTest, AServerFixedForTheRunIsShownDisabledWithWhatFixedIt) {
    commands.servers = {{"http://cli.example/", "--results-server"},
                        {"http://127.0.0.1:8010/", ""}};
    WithSettingsDialog([](ui::CSettingsDlg& dialog) {
        EXPECT_FALSE(dialog.findChild<QLineEdit*>(QStringLiteral("1301"))->isEnabled());
        EXPECT_TRUE(dialog.findChild<QLabel*>(QStringLiteral("1303"))
                        ->text()
                        .contains(QStringLiteral("--results-server")));
        EXPECT_TRUE(dialog.findChild<QLineEdit*>(QStringLiteral("1302"))->isEnabled());
        dialog.reject();
    });
    EXPECT_TRUE(commands.calls.empty()) << "Cancel changes nothing";
}

}  // namespace
}  // namespace pk10
