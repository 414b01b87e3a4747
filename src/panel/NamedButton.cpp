#include "panel/NamedButton.h"

#include <QPushButton>

namespace luma {

QPushButton* namedButton(const char* name, const char* caption, QWidget* parent) {
    auto* b = new QPushButton(QString::fromLatin1(caption), parent);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

}  // namespace luma
