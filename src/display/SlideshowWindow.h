#pragma once

#include "display/InputExit.h"
#include "display/ShowState.h"
#include "startup/Windows.h"

#include <QWidget>

#include <cstdint>

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

    // The show the window paints, and what it shows, read-only.
    ShowState& state() { return show_; }
    const QImage& canvas() const { return show_.canvas.image(); }
    // Puts the window over the whole screen, without depending on a window manager.
    void coverScreen();

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

    // Lets pending events run; false when this window went away meanwhile.
    bool letEventsRun();

    Program& program_;
    ShowState show_;
    ShowServices services_;
    MovementRule movement_;
    bool exiting_ = false;
};

}  // namespace luma
