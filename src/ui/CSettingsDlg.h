#pragma once
// The settings dialog: the results server's and the maker server's addresses,
// OK and Cancel. OK checks the addresses as --results-server does and saves
// them (SaveServerFields); a refused address keeps the dialog open with the
// reason under the fields. A server fixed for the run by the command line or
// the environment shows its address disabled, with a note that says by what.
// Control IDs as object names: 1 OK, 2 Cancel, 1301/1302 the fields,
// 1303/1304 their notes, 1305 the reason.

#include <QDialog>
#include <QString>

#include "app/ServerSettings.h"
#include "app/SettingsStore.h"

class QLabel;
class QLineEdit;

namespace pk10::ui {

// The item of the main window's context menus that opens it.
inline constexpr const char* kSettingsMenuText = "设置(&O)...";

class CSettingsDlg : public QDialog {
    Q_OBJECT

  public:
    CSettingsDlg(const ServerFields& shown, SettingsStore& store, QWidget* parent = nullptr);

    // The fields' texts, as the user left them.
    QString ResultsText() const;
    QString MakerText() const;

  public slots:
    void accept() override;

  private:
    QLineEdit* AddField(const char* label, const ServerField& field, int y, int id);

    ServerFields shown_;
    SettingsStore& store_;
    QLineEdit* results_ = nullptr;
    QLineEdit* maker_ = nullptr;
    QLabel* reason_ = nullptr;
};

}  // namespace pk10::ui
