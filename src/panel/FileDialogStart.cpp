#include "panel/FileDialogStart.h"

#include <QDir>
#include <QFileInfo>

namespace luma {
namespace {

// Relative texts and entries such as CD tracks name no place a dialog could open at.
bool namesExistingFolder(const QString& path) {
    const QFileInfo info(path);
    return info.isAbsolute() && (info.isDir() || info.absoluteDir().exists());
}

}  // namespace

QString fileDialogStart(const QString& boxText, const QString& lastChosen,
                        QStandardPaths::StandardLocation userFolder) {
    for (const QString& path : {boxText.trimmed(), lastChosen}) {
        if (namesExistingFolder(path)) {
            return path;
        }
    }
    const QString folder = QStandardPaths::writableLocation(userFolder);
    return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : QDir::homePath();
}

}  // namespace luma
