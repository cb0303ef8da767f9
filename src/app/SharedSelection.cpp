#include "app/SharedSelection.h"

namespace pk10 {
namespace {

bool Valid(int position) {
    return position >= 1 && position <= 10;
}

}  // namespace

bool SharedSelection::IsChecked(int position) const {
    std::lock_guard lock(mutex_);
    return Valid(position) && selection_.IsChecked(position);
}

PositionSelection SharedSelection::Snapshot() const {
    std::lock_guard lock(mutex_);
    return selection_;
}

void SharedSelection::Set(int position, bool checked) {
    std::lock_guard lock(mutex_);
    if (Valid(position)) {
        selection_.SetChecked(position, checked);
    }
}

}  // namespace pk10
