#pragma once

#include <QFont>
#include <QSize>

class QWidget;

namespace luma {

// The screen's scale factor for the panel's layout: its logical dots per inch over 96; 1 when
// the screen says nothing useful.
double panelScale(const QWidget* widget);

QSize scaledSize(QSize design, double scale);

// The panel's text font: the application's family at the size the layout is drawn for.
QFont panelFont(QFont base);

}  // namespace luma
