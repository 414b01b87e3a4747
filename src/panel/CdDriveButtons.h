#pragma once

#include <QWidget>

#include <vector>

class QHBoxLayout;
class QPushButton;

namespace luma {

// The control array `CD` of drive buttons: one button per drive root, side by side and touching,
// each with its index as the property "index". Button 0 exists from the start, without a caption
// and hidden until a drive is found.
class CdDriveButtons : public QWidget {
    Q_OBJECT
public:
    explicit CdDriveButtons(QWidget* parent);

    // Shows one button per root, in order; buttons beyond the roots go away. No roots leaves
    // button 0 empty and hidden.
    void setDrives(const QStringList& roots);
    QString caption(int index) const;
    int count() const { return static_cast<int>(buttons_.size()); }
    QPushButton* button(int index) const;

signals:
    void driveClicked(int index);

private:
    QPushButton* makeButton(int index);

    QHBoxLayout* row_;
    std::vector<QPushButton*> buttons_;
};

}  // namespace luma
