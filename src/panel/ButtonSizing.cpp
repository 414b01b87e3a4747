#include "panel/ButtonSizing.h"

#include <QPushButton>

namespace luma {

void fitToCaption(QPushButton* button) {
    const int width = button->fontMetrics().horizontalAdvance(button->text()) + 4 * kCaptionPadding;
    button->setMinimumWidth(width);
    button->setMaximumWidth(width);
}

}  // namespace luma
