#pragma once

#include "platform/FileDialog.h"

namespace luma {

class QtFileDialog : public FileDialog {
public:
    std::optional<QString> open(QWidget* parent, const QString& filter,
                                const QString& defaultExtension, const QString& start) override;

    // "Supported files(*.bmp;*.jpg)|*.bmp;*.jpg" -> "Supported files(*.bmp;*.jpg) (*.bmp *.jpg)"
    static QString qtFilter(const QString& filter);
};

}  // namespace luma
