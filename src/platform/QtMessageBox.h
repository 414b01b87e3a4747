#pragma once

#include "platform/MessageBox.h"

namespace luma {

class QtMessageBox : public MessageBox {
public:
    int show(QWidget* parent, const QString& text, const QString& title, int flags) override;
};

}  // namespace luma
