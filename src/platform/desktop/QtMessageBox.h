#pragma once

#include "platform/MessageBox.h"

namespace luma {

class QtMessageBox : public MessageBox {
public:
    int show(QWidget* parent, const QString& text, const QString& title, int flags) override;
    void inform(QWidget* parent, const QString& text, const QString& title) override;
};

}  // namespace luma
