#pragma once

#include "display/ShowState.h"

#include <QPointF>
#include <QPointer>
#include <QScreen>
#include <QWidget>

#include <memory>

class QKeyEvent;

namespace luma {

class ScreenView;
struct SettingsRecord;

// What a view tells the show of the input it gets.
class ViewInput {
public:
    virtual ~ViewInput() = default;
    virtual void pointerMoved(QPointF globalPosition) = 0;
    virtual void buttonPressed() = 0;
    virtual void doubleClicked() = 0;
    // A left button let go inside the view.
    virtual void clicked() = 0;
    virtual void keyPressed(const QKeyEvent& e) = 0;
    virtual void activated(const ScreenView& view) = 0;
};

// One screen's part of a show: a window without border or caption over its monitor, or inside a
// host window, that paints the canvas of its show state one canvas pixel to one device pixel. In a
// host window smaller than the screen (a daemon's preview) the canvas keeps the screen's size and
// is shown scaled down. Its animation runs on its own timer; its input goes to the show.
class ScreenView : public QWidget {
public:
    // `input` is null for a hosted view, which takes no input. `frameDecoder` decodes animation
    // frames ahead; null gives one on a worker thread.
    ScreenView(TimerService& timers, const SettingsRecord& settings, ViewInput* input,
               std::unique_ptr<FrameDecoder> frameDecoder = nullptr);
    ~ScreenView() override;

    ShowState& state() { return show_; }
    const ShowState& state() const { return show_; }
    // The monitor the view covers; null when hosted or when the monitor went.
    QScreen* coveredScreen() const { return screen_; }
    // Puts the view over the whole of `screen`, without depending on a window manager.
    void cover(QScreen& screen);
    // Puts the view inside the host window `host` of `deviceSize` pixels.
    void host(QWindow& host, QSize deviceSize);
    // How many canvas pixels one device pixel shows: above 1 in a host window smaller than the
    // screen.
    double viewScale() const { return viewScale_; }
    // Keeps what the view shows, and shows it on until fade() blends from it.
    void holdForFade();
    // Blends what holdForFade() kept into what the canvas shows now, over one second at the
    // screen's refresh rate (at least 30 frames a second), repainting only where they differ. An
    // animation on the canvas starts when the fade is over.
    void fade();
    bool isFading() const { return fadeFrames_ > 0; }

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
    void fitCanvas();
    void fadeTick();
    void endFade();
    // Repaints where `area` of the canvas shows.
    void updateCanvasArea(const QRect& area);
    // Canvas pixels per logical pixel of the view.
    double canvasScale() const { return devicePixelRatioF() * viewScale_; }

    const SettingsRecord& settings_;
    ViewInput* input_;
    QPointer<QScreen> screen_;
    bool hosted_ = false;
    double viewScale_ = 1;
    ShowState show_;
    Timer fadeTimer_;
    QImage before_;  // what the fade starts from
    QRect beforeDrawn_;
    QColor beforeBackground_;
    QRect fadeArea_;  // in canvas pixels
    int fadeFrame_ = 0;
    int fadeFrames_ = 0;  // 0: no fade under way
};

}  // namespace luma
