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

    QLineEdit* fileBox;
    QPushButton* browsePicturesButton;  // "..."
    QPushButton* addPictureButton;      // "add file to slides"
    QPushButton* addPictureFolderButton;
    QListWidget* slideListBox;
    SlidePreview* preview;
    QPushButton* removeSlideButton;  // "Remove"
    QPushButton* randomizeButton;    // "Randomize List"
};

}  // namespace luma
