#pragma once

#include "startup/Windows.h"

#include <functional>
#include <memory>
#include <vector>

namespace luma {

class Program;

// Holds the one instance of a window kind: creates it through its factory on first use and runs its
// load procedure; unloads it on request. A window that goes away is parked until the event loop
// turns, so that a window may unload itself from inside its own handlers.
template <class W>
class WindowSlot {
public:
    using Factory = std::function<std::unique_ptr<W>(Program&)>;

    void setFactory(Factory factory) { factory_ = std::move(factory); }
    bool hasFactory() const { return static_cast<bool>(factory_); }

    // The window, loaded now if it was not. nullptr when there is no factory, or when its load
    // procedure unloaded it again.
    W* get(Program& program) {
        if (window_) {
            return window_.get();
        }
        if (!factory_) {
            return nullptr;
        }
        window_ = factory_(program);
        W* created = window_.get();
        if (created == nullptr) {
            return nullptr;
        }
        created->load();
        return window_.get() == created ? created : nullptr;
    }

    W* ifLoaded() const { return window_.get(); }
    bool isLoaded() const { return window_ != nullptr; }

    // Runs the unload procedure, then retires the window. Returns false when it was not loaded.
    bool unload(std::vector<std::unique_ptr<Window>>& retired) {
        if (!window_) {
            return false;
        }
        W* w = window_.get();
        w->unload();
        if (window_.get() != w) {
            return true;  // the unload procedure ended the program or reloaded
        }
        retire(retired);
        return true;
    }

    // Retires the window without its unload procedure (the program ends at once).
    void discard(std::vector<std::unique_ptr<Window>>& retired) {
        if (window_) {
            retire(retired);
        }
    }

private:
    void retire(std::vector<std::unique_ptr<Window>>& retired) {
        std::unique_ptr<W> w = std::move(window_);
        w->disableTimers();
        w->hideWindow();
        retired.push_back(std::move(w));
    }

    Factory factory_;
    std::unique_ptr<W> window_;
};

}  // namespace luma
