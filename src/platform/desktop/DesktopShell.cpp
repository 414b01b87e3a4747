#include "platform/desktop/DesktopShell.h"

#include <QDesktopServices>
#include <QUrl>

namespace luma {

bool DesktopShell::open(const QString& target) {
    return QDesktopServices::openUrl(QUrl::fromUserInput(target));
}

}  // namespace luma
