#pragma once

#include "display/Canvas.h"
#include "display/FrameHolder.h"
#include "display/InputExit.h"
#include "display/Picture.h"
#include "runtime/Timer.h"
#include "startup/Windows.h"

#include <QColor>
#include <QWidget>

#include <cstdint>
#include <vector>

namespace luma {

class Program;

// The full-screen display window of the show. It has no border and no caption and paints onto its
// own surface (the canvas) from invisible holders. Its controls and fields keep the names the
// display routines know them by: SlideSequencer, loadAnimation, AnimationPlayer, DisplayLoad.
class SlideshowWindow : public QWidget, public DisplayWindow {
    Q_OBJECT

public:
    explicit SlideshowWindow(Program& program);
    ~SlideshowWindow() override;

    void load() override;
    void unload() override;
    void showWindow() override;
    void hideWindow() override;
    bool isShown() const override;
    void disableTimers() override;
    void enableSlideTimer() override;
    void showFirstSlide() override;
    void setBackgroundColour(std::int32_t colour) override;

    Program& program() { return program_; }
    Canvas& surface() { return canvas_; }
    // What the window shows, read-only.
    const QImage& canvas() const { return canvas_.image(); }
    // The window's inner size, W x H.
    QSize inner() const { return size(); }
    // Puts the window over the whole screen, without depending on a window manager.
    void coverScreen();

    Picture currentPicture;
    std::vector<FrameHolder> frameHolders;  // element 0 always exists
    Timer slideTimer;
    Timer animationTimer;
    std::int16_t slideX = 0;
    std::int16_t slideY = 0;
    std::int32_t currentFrame = 0;
    std::int32_t lastFrame = 0;
    QString picturePath;        // the path read for the current slide
    QString singlePicturePath;  // "AniFile", the picture of single-picture mode

protected:
    bool event(QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    void slideTick();
    void frameTick();
    // Ends the show once per input; input that arrives while an exit runs is dropped.
    void exitOnInput();
    // Keys and mouse buttons end the show unless the tray suppresses them.
    void suppressibleInput();
    void click();

    Program& program_;
    Canvas canvas_;
    QColor background_ = Qt::black;
    MovementRule movement_;
    bool exiting_ = false;
};

}  // namespace luma
