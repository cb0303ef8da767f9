#include "ui/PositionSelection.h"

namespace pk10::ui {
namespace {

bool Valid(int position) {
    return position >= 1 && position <= 10;
}

}  // namespace

bool PositionSelection::IsChecked(int position) const {
    std::lock_guard lock(mutex_);
    return Valid(position) && checked_[static_cast<std::size_t>(position - 1)];
}

void PositionSelection::Set(int position, bool checked) {
    std::lock_guard lock(mutex_);
    if (Valid(position)) {
        checked_[static_cast<std::size_t>(position - 1)] = checked;
    }
}

}  // namespace pk10::ui
