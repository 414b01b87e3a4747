#include "runtime/CursorCounter.h"

namespace luma {

int CursorCounter::show(bool visible) {
    const bool wasVisible = isVisible();
    count_ += visible ? 1 : -1;
    if (wasVisible != isVisible() && listener_) {
        listener_(isVisible());
    }
    return count_;
}

void CursorCounter::restoreVisible() {
    if (count_ < 0) {
        count_ = 0;
        if (listener_) {
            listener_(true);
        }
    }
}

}  // namespace luma
