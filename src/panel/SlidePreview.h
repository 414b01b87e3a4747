#pragma once

#include <QLabel>

namespace luma {

// The slide preview of the "Slides" tab: shows a picture stretched to the box.
class SlidePreview : public QLabel {
    Q_OBJECT
public:
    explicit SlidePreview(QWidget* parent);

    // Loads the picture at `path`. False when it cannot be loaded; the box then shows what it
    // showed before.
    bool showPicture(const QString& path);
    // Empties the box and says that `path` cannot be shown.
    void showUnreadable();
    bool hasPicture() const { return hasPicture_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void paintScaled();

    QImage image_;
    bool hasPicture_ = false;
};

}  // namespace luma
