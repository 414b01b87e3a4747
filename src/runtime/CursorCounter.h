#pragma once

#include <functional>

namespace luma {

// The mouse cursor's display counter: it starts at 0, every show adds 1 and every hide takes 1; the
// cursor is hidden while the counter is below 0. The listener learns each change of visibility.
class CursorCounter {
public:
    // Returns the new counter value.
    int show(bool visible);
    // Raises the counter to 0 when it is below: the window that hid the cursor has gone, and
    // uneven hides (one per activation) must not leave the pointer hidden for good.
    void restoreVisible();
    int count() const { return count_; }
    bool isVisible() const { return count_ >= 0; }
    void setListener(std::function<void(bool visible)> listener) {
        listener_ = std::move(listener);
    }

private:
    int count_ = 0;
    std::function<void(bool)> listener_;
};

}  // namespace luma
