#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class QWidget;

namespace luma {

// The file-open dialogs. `filter` is in the form "Description|*.a;*.b[|Other|*.c]"; `start` is
// the file or folder a dialog opens at.
class FileDialog {
public:
    virtual ~FileDialog() = default;
    // One or more existing files; empty when the user cancelled.
    virtual QStringList openFiles(QWidget* parent, const QString& filter,
                                  const QString& defaultExtension, const QString& start) = 0;
    // An existing folder; std::nullopt when the user cancelled.
    virtual std::optional<QString> openFolder(QWidget* parent, const QString& start) = 0;
};

}  // namespace luma
