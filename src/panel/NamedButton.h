#pragma once

class QPushButton;
class QWidget;

namespace luma {

// A push button with its caption and its control name as object name, so tests find it by name.
QPushButton* namedButton(const char* name, const char* caption, QWidget* parent);

}  // namespace luma
