#include "system/SaverCopyRemoval.h"

#include "platform/desktop/XdgPaths.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

namespace luma {

QStringList saverCopyPaths(const QString& ownName) {
    const QString file = ownName + QStringLiteral(".scr");
    return {
        QStringLiteral("C:\\WINDOWS\\Start Menu\\Programs\\StartUp\\") + file,
        QStringLiteral("C:\\Winnt\\Start Menu\\Programs\\StartUp\\") + file,
        xdgAutostartFolder() + u'/' + file,
    };
}

void removeStartupSaverCopy(const QString& programFile) {
    for (const QString& path : saverCopyPaths(QFileInfo(programFile).completeBaseName())) {
        QFile::remove(path);
    }
}

void removeStartupSaverCopy() {
    removeStartupSaverCopy(QCoreApplication::applicationFilePath());
}

}  // namespace luma
