#include "panel/NamedButton.h"

#include <QPushButton>

namespace luma {

QPushButton* namedButton(QLatin1String name, const char* caption, QWidget* parent) {
    auto* b = new QPushButton(QString::fromUtf8(caption), parent);
    b->setObjectName(QString(name));
    return b;
}

}  // namespace luma
