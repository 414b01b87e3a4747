#pragma once

#include <QLatin1String>

class QPushButton;
class QWidget;

namespace luma {

// A push button with its caption and its control name as object name, so tests find it by name.
QPushButton* namedButton(QLatin1String name, const char* caption, QWidget* parent);

}  // namespace luma
