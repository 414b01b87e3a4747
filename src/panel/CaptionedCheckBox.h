#pragma once

#include <QWidget>

class QCheckBox;
class QLabel;

namespace luma {

// A check box whose caption wraps onto several lines: the box itself carries no text (its
// accessible name is the caption) and a word-wrapped label beside it toggles it when clicked.
class CaptionedCheckBox : public QWidget {
    Q_OBJECT
public:
    // `name` becomes the check box's object name; the label is called name + "Caption".
    CaptionedCheckBox(const QString& name, const QString& caption, QWidget* parent);

    QCheckBox* box() const { return box_; }
    QLabel* caption() const { return caption_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QCheckBox* box_;
    QLabel* caption_;
};

}  // namespace luma
