#include "music/ListTexts.h"

#include <QListWidget>

namespace luma {

QStringList listTexts(const QListWidget* list) {
    QStringList result;
    result.reserve(list->count());
    for (int i = 0; i < list->count(); ++i) {
        result.append(list->item(i)->text());
    }
    return result;
}

}  // namespace luma
