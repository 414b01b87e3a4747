#include "platform/desktop/QtFileDialog.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QPointer>
#include <QStringList>

namespace luma {
namespace {

// Runs the dialog and closes it: the files chosen, or none when it was refused or when the window
// it belongs to went meanwhile (taking the dialog with it), so that its caller goes no further.
QStringList chosenFiles(const QPointer<QFileDialog>& dialog) {
    const int result = dialog->exec();
    if (dialog.isNull()) {
        return {};
    }
    const QStringList chosen =
        result == QDialog::Accepted ? dialog->selectedFiles() : QStringList();
    delete dialog.data();
    return chosen;
}

}  // namespace

QString QtFileDialog::qtFilter(const QString& filter) {
    const QStringList parts = filter.split(u'|');
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(u';', u' ');
        entries.append(parts[i] + QStringLiteral(" (") + patterns + u')');
    }
    return entries.join(QStringLiteral(";;"));
}

QStringList QtFileDialog::openFiles(QWidget* parent, const QString& filter,
                                    const QString& defaultExtension, const QString& start) {
    const QPointer<QFileDialog> dialog = new QFileDialog(parent);
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    dialog->setFileMode(QFileDialog::ExistingFiles);
    // Qt reads the patterns from the parentheses it appends; our captions show them already.
    dialog->setOption(QFileDialog::HideNameFilterDetails);
    dialog->setNameFilter(qtFilter(filter));
    dialog->setDefaultSuffix(defaultExtension);
    if (!start.isEmpty()) {
        const QFileInfo info(start);
        if (info.isDir()) {
            dialog->setDirectory(start);
        } else {
            dialog->setDirectory(info.absolutePath());
            dialog->selectFile(info.fileName());
        }
    }
    return chosenFiles(dialog);
}

std::optional<QString> QtFileDialog::openFolder(QWidget* parent, const QString& start) {
    const QPointer<QFileDialog> dialog = new QFileDialog(parent);
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    dialog->setFileMode(QFileDialog::Directory);
    dialog->setOption(QFileDialog::ShowDirsOnly);
    if (!start.isEmpty()) {
        const QFileInfo info(start);
        dialog->setDirectory(info.isDir() ? start : info.absolutePath());
    }
    const QStringList chosen = chosenFiles(dialog);
    if (chosen.isEmpty()) {
        return std::nullopt;
    }
    return chosen.constFirst();
}

}  // namespace luma
