#pragma once

#include <QString>

namespace luma {

// Whether an X server answers at `display`, a display name as DISPLAY holds it: a connection is
// opened and closed again. Qt's xcb platform aborts the program when its own connection fails, so
// a start asks this first.
bool x11DisplayAnswers(const QString& display);

}  // namespace luma
