#include "system/StartupShortcut.h"

#include "platform/ShortcutService.h"
#include "startup/Program.h"

#include <QDir>

namespace luma {

QString saverTarget(const QString& programFolder) {
    // The folder is not checked for a trailing separator: a root folder gives a doubled one.
    return QDir::toNativeSeparators(programFolder) + QDir::separator() + kSaverFileName;
}

void createStartupShortcut(Program& program) {
    program.shortcuts().create(kStartupFolder, kStartupLinkName,
                               saverTarget(program.programFolder()), QString(), -1, kStartupParent);
}

void removeStartupShortcut(Program& program) {
    program.shortcuts().remove(kStartupFolder, kStartupLinkName);
}

void createIdleWatchShortcut(Program& program) {
    program.shortcuts().create(kStartupFolder, kIdleWatchLinkName,
                               saverTarget(program.programFolder()), QStringLiteral("--idle"), -1,
                               kStartupParent);
}

void removeIdleWatchShortcut(Program& program) {
    program.shortcuts().remove(kStartupFolder, kIdleWatchLinkName);
}

}  // namespace luma
