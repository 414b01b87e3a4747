#pragma once

#include <QString>

#include <optional>

class QWidget;

namespace luma {

// The file-open dialog. `filter` is in the form "Description|*.a;*.b"; `start` is the file or
// folder it opens at. Returns the chosen file, or std::nullopt when the user cancelled.
class FileDialog {
public:
    virtual ~FileDialog() = default;
    virtual std::optional<QString> open(QWidget* parent, const QString& filter,
                                        const QString& defaultExtension, const QString& start) = 0;
};

}  // namespace luma
