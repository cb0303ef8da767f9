#include "ui/AppIcon.h"

namespace pk10::ui {

QIcon AppIcon() {
    return QIcon(QStringLiteral(":/pk10plan/pk10plan.png"));
}

}  // namespace pk10::ui
