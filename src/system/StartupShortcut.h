#pragma once

#include <QString>

namespace luma {

class Program;

// The shortcut "LumaS" in the user's StartUp folder that starts the saver without a switch.
inline const QString kStartupFolder = QStringLiteral("..\\..\\Start Menu\\Programs\\StartUp");
inline const QString kStartupParent = QStringLiteral("$(Programs)");
inline const QString kStartupLinkName = QStringLiteral("LumaS");
inline const QString kSaverFileName = QStringLiteral("lumafolio11.scr");

// The saver file in the program folder, joined with the platform's separator.
QString saverTarget(const QString& programFolder);

void createStartupShortcut(Program& program);
void removeStartupShortcut(Program& program);

// The shortcut "LumaIdle" beside it that starts the idle watcher, `--idle`.
inline const QString kIdleWatchLinkName = QStringLiteral("LumaIdle");
void createIdleWatchShortcut(Program& program);
void removeIdleWatchShortcut(Program& program);

}  // namespace luma
