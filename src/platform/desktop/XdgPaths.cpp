#include "platform/desktop/XdgPaths.h"

#include <QDir>

namespace luma {

QString xdgConfigHome() {
    const QString xdg = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (!xdg.isEmpty() && QDir::isAbsolutePath(xdg)) {
        return xdg;
    }
    return QDir::homePath() + QStringLiteral("/.config");
}

QString xdgAutostartFolder() {
    return xdgConfigHome() + QStringLiteral("/autostart");
}

}  // namespace luma
