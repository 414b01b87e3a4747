#include "runtime/PendingEvents.h"

#include <QCoreApplication>

namespace luma {

void processPendingEvents() {
    if (QCoreApplication::instance() != nullptr) {
        QCoreApplication::processEvents();
    }
}

}  // namespace luma
