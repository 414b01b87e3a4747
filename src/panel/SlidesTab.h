#pragma once

#include <QWidget>

class QLineEdit;
class QListWidget;
class QPushButton;

namespace luma {

class SlidePreview;

// The "Slides" page: the file box with its two buttons above the slide list, its preview and its
// two rebuild buttons. The behaviour is SlideListEditor's.
class SlidesTab : public QWidget {
    Q_OBJECT
public:
    explicit SlidesTab(QWidget* parent);

    QLineEdit* txFile;
    QPushButton* Command5;  // "..."
    QPushButton* Command9;  // "add file to slides"
    QListWidget* List1;
    SlidePreview* Picture4;
    QPushButton* Command16;  // "Remove"
    QPushButton* Command18;  // "Randomize List"
};

}  // namespace luma
