#pragma once

#include "platform/FileDialog.h"

namespace luma {

class QtFileDialog : public FileDialog {
public:
    QStringList openFiles(QWidget* parent, const QString& filter, const QString& defaultExtension,
                          const QString& start) override;
    std::optional<QString> openFolder(QWidget* parent, const QString& start) override;

    // "Supported files(*.bmp;*.jpg)|*.bmp;*.jpg" -> "Supported files(*.bmp;*.jpg) (*.bmp *.jpg)",
    // which a dialog hiding the filter details shows as the caption alone.
    static QString qtFilter(const QString& filter);
};

}  // namespace luma
