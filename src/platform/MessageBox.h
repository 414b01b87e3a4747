#pragma once

#include <QString>

class QWidget;

namespace luma {

// Message boxes. `flags` are the classic button-and-icon flags: 0 OK only, 64 information
// icon with OK. Returns the button pressed (1 = OK).
class MessageBox {
public:
    static constexpr int kOkOnly = 0;
    static constexpr int kInformation = 64;
    static constexpr int kOk = 1;

    virtual ~MessageBox() = default;
    virtual int show(QWidget* parent, const QString& text, const QString& title, int flags) = 0;
    // An information box with OK that does not wait for it: shown modal to `parent`'s window,
    // it goes when closed or with `parent`, and no event loop runs meanwhile in the caller.
    virtual void inform(QWidget* parent, const QString& text, const QString& title) = 0;
};

}  // namespace luma
