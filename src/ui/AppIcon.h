#pragma once
// The application's icon, from the program's resources.

#include <QIcon>

namespace pk10::ui {

QIcon AppIcon();

}  // namespace pk10::ui
