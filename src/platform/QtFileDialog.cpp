#include "platform/QtFileDialog.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QStringList>

namespace luma {

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
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    // Qt reads the patterns from the parentheses it appends; our captions show them already.
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setNameFilter(qtFilter(filter));
    dialog.setDefaultSuffix(defaultExtension);
    if (!start.isEmpty()) {
        const QFileInfo info(start);
        if (info.isDir()) {
            dialog.setDirectory(start);
        } else {
            dialog.setDirectory(info.absolutePath());
            dialog.selectFile(info.fileName());
        }
    }
    if (dialog.exec() != QDialog::Accepted) {
        return {};
    }
    return dialog.selectedFiles();
}

std::optional<QString> QtFileDialog::openFolder(QWidget* parent, const QString& start) {
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    if (!start.isEmpty()) {
        const QFileInfo info(start);
        dialog.setDirectory(info.isDir() ? start : info.absolutePath());
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().constFirst();
}

}  // namespace luma
