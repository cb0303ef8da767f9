#pragma once
// The About box: the icon, the product line and an OK button "确定"; OK, Esc
// and the close box end it.

#include <QDialog>

namespace pk10::ui {

class CAboutDlg : public QDialog {
    Q_OBJECT

  public:
    explicit CAboutDlg(QWidget* parent = nullptr);
};

}  // namespace pk10::ui
