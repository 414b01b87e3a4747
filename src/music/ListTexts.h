#pragma once

#include <QStringList>

class QListWidget;

namespace luma {

// The texts of the entries of a list box, in its order.
QStringList listTexts(const QListWidget* list);

}  // namespace luma
