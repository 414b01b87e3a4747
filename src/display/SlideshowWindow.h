#pragma once

#include "display/InputExit.h"
#include "display/ScreenView.h"
#include "display/SlideSequencer.h"
#include "display/SlidesAhead.h"
#include "runtime/Timer.h"
#include "startup/Windows.h"

#include <QObject>
#include <QTimer>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QWindow;

namespace luma {

class HostWindows;
class Program;

// The show: one slide sequence on one view per monitor (ScreenView). On its own it covers every
// monitor; with "EveryMonitor" on, each monitor shows slides, changing together at each tick of
// one slide timer, else the primary monitor shows them and the others the background colour.
// Monitors that come and go are followed, and input on any of them ends the show. Hosted, its one
// view lives inside another program's window (a screen saver daemon's), follows that window's
// size, takes no input and ends when that window is destroyed.
class SlideshowWindow : public QObject, public DisplayWindow, private ViewInput {
    Q_OBJECT

public:
    // The window a hosted show draws in.
    struct Hosting {
        quint32 window = 0;
        HostWindows* windows = nullptr;  // outlives the show
    };
    // Makes the frame decoders of the views; by default each decodes on a worker thread.
    using FrameDecoders = std::function<std::unique_ptr<FrameDecoder>()>;

    // `slideReader` reads the next slides ahead; null gives one on worker threads.
    explicit SlideshowWindow(Program& program, std::optional<Hosting> hosting = std::nullopt,
                             FrameDecoders frameDecoders = nullptr,
                             std::unique_ptr<SlideReader> slideReader = nullptr);
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
    QWindow* primaryWindow() const override { return views_.front()->windowHandle(); }

    // The view on the primary monitor (or in the host window), and its show, which tests read.
    ScreenView& view() { return *views_.front(); }
    ShowState& state() { return view().state(); }
    const QImage& canvas() { return state().canvas.image(); }
    // Every view, the primary's first.
    const std::vector<std::unique_ptr<ScreenView>>& views() const { return views_; }
    Timer& slideTimer() { return slideTimer_; }
    bool isHosted() const { return hosting_.has_value(); }
    // Puts the views over their monitors (without depending on a window manager), or the one view
    // over the host window.
    void coverScreen();

private:
    void pointerMoved(QPointF globalPosition) override;
    void buttonPressed() override;
    void doubleClicked() override;
    void clicked() override;
    void keyPressed(const QKeyEvent& e) override;
    void activated(const ScreenView& view) override;

    std::unique_ptr<ScreenView> makeView();
    // One view per monitor, the primary's first; a monitor's view stays while it does.
    void followMonitors();
    // The views that show slides, and their shows.
    std::vector<ScreenView*> slideViews();
    std::vector<ShowState*> slideScreens();
    // A step shows the slides read ahead for it; one not read yet is awaited, and the step
    // happens when it arrives.
    void step(SlideStepKind kind);
    void stepWhenRead();
    void followHost();
    // Lets pending events run; false when this show went away meanwhile.
    bool letEventsRun();
    // Ends the show once per input; input that arrives while an exit runs is dropped.
    void exitOnInput();
    // Keys and mouse buttons end the show unless the tray suppresses them.
    void suppressibleInput();

    Program& program_;
    std::optional<Hosting> hosting_;
    FrameDecoders frameDecoders_;
    Timer slideTimer_;
    ShowServices services_;
    std::unique_ptr<QWindow> hostWindow_;  // before the views, whose windows are its children
    QTimer hostWatch_;
    std::vector<std::unique_ptr<ScreenView>> views_;  // never empty
    MovementRule movement_;
    bool shown_ = false;
    SlidesAhead ahead_;
    std::optional<SlideStepKind> awaited_;  // a step waiting for its slides
    bool stepping_ = false;                 // no view goes while a step works on them
    bool monitorsChanged_ = false;
    bool exiting_ = false;
};

}  // namespace luma
