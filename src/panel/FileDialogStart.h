#pragma once

#include <QStandardPaths>
#include <QString>

namespace luma {

// Where a list tab's file dialogs open: at the path in the tab's box, else at the file the dialogs
// returned last, as long as its folder exists; else in the user's `userFolder` as the desktop
// names it, or at home when that folder is missing. Never in the working folder, which is the
// program's.
QString fileDialogStart(const QString& boxText, const QString& lastChosen,
                        QStandardPaths::StandardLocation userFolder);

}  // namespace luma
