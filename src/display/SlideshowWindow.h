#pragma once

#include "display/InputExit.h"
#include "display/ShowState.h"
#include "startup/Windows.h"

#include <QTimer>
#include <QWidget>

#include <cstdint>
#include <memory>
#include <optional>

class QWindow;

namespace luma {

class HostWindows;
class MonitorCovers;
class Program;

// The window of a show. On its own it is full screen on the primary monitor, without border or
// caption, with windows of the background colour over every other monitor, and input on any of
// them ends the show. Hosted, it lives inside another program's window (a screen saver daemon's),
// follows that window's size, takes no input and ends when that window is destroyed.
//
// It paints its canvas, which the display routines draw on (ShowState).
class SlideshowWindow : public QWidget, public DisplayWindow {
    Q_OBJECT

public:
    // The window a hosted show draws in.
    struct Hosting {
        quint32 window = 0;
        HostWindows* windows = nullptr;  // outlives the show
    };

    // `frameDecoder` decodes animation frames ahead; by default one on a worker thread.
    explicit SlideshowWindow(Program& program, std::optional<Hosting> hosting = std::nullopt,
                             std::unique_ptr<FrameDecoder> frameDecoder = nullptr);
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
    // Puts the window over the whole screen (without depending on a window manager), or over the
    // host window.
    void coverScreen();
    bool isHosted() const { return hosting_.has_value(); }
    // How many canvas pixels one window pixel shows: above 1 in a host window smaller than the
    // screen (a daemon's preview), which then shows the show scaled down.
    double viewScale() const { return viewScale_; }
    MonitorCovers& covers() { return *covers_; }

protected:
    bool event(QEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;
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
    // Lets pending events run; false when this window went away meanwhile.
    bool letEventsRun();
    void embed();
    void followHost();
    void fitCanvas();
    // The input of the show, from this window or a monitor cover. Ends the show once per input;
    // input that arrives while an exit runs is dropped.
    void exitOnInput();
    // `position` in this window's coordinates, also for a cover's input.
    void pointerMoved(QPointF position);
    // Keys and mouse buttons end the show unless the tray suppresses them.
    void suppressibleInput();
    void keyInput(const QKeyEvent& e);
    void click();

    Program& program_;
    std::optional<Hosting> hosting_;
    std::unique_ptr<QWindow> hostWindow_;
    QTimer hostWatch_;
    double viewScale_ = 1;
    ShowState show_;
    ShowServices services_;
    std::unique_ptr<MonitorCovers> covers_;
    MovementRule movement_;
    bool exiting_ = false;
};

}  // namespace luma
