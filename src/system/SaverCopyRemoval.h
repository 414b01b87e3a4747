#pragma once

#include <QString>
#include <QStringList>

namespace luma {

// The places where a stray copy of the saver file would start it with the desktop: the two fixed
// StartUp folders, and the user's autostart folder. `ownName` is the saver's file name without its
// folder and extension.
QStringList saverCopyPaths(const QString& ownName);

// Deletes a copy of the saver file from those places, if there is one; every failure is skipped.
void removeStartupSaverCopy(const QString& programFile);

// The same for the running program.
void removeStartupSaverCopy();

}  // namespace luma
