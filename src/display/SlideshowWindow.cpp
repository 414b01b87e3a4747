#include "display/SlideshowWindow.h"
#include "display/SlideshowIds.h"

#include "display/DisplayLoad.h"
#include "display/PictureDecoding.h"
#include "music/DeviceRoutines.h"
#include "platform/HostWindows.h"
#include "runtime/PendingEvents.h"
#include "startup/Program.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QScreen>
#include <QWindow>

#include <algorithm>
#include <utility>

namespace luma {

namespace {

constexpr int kHostWatchMs = 250;

}  // namespace

SlideshowWindow::SlideshowWindow(Program& program, std::optional<Hosting> hosting,
                                 FrameDecoders frameDecoders,
                                 std::unique_ptr<SlideReader> slideReader)
    : program_(program),
      hosting_(hosting),
      frameDecoders_(std::move(frameDecoders)),
      slideTimer_(program.timers()),
      services_{program.store(),
                program.settings,
                program.random(),
                program.slideIndex,
                program.slideCount,
                slideTimer_,
                [&program] { playChime(program); },
                [this] { return letEventsRun(); }},
      ahead_(
          slideReader ? std::move(slideReader) : std::make_unique<ThreadedSlideReader>(), [this] {
              // Not from inside the reader: the step may end the show, and the reader with it.
              QMetaObject::invokeMethod(this, &SlideshowWindow::stepWhenRead, Qt::QueuedConnection);
          }) {
    setPictureDecodeLimits();
    slideTimer_.setHandler([this] { step(SlideStepKind::Tick); });
    views_.push_back(makeView());
    view().setObjectName(display_ids::kSlideshowWindow);
    if (hosting_) {
        hostWindow_.reset(QWindow::fromWinId(hosting_->window));
        hostWatch_.setInterval(kHostWatchMs);
        connect(&hostWatch_, &QTimer::timeout, this, &SlideshowWindow::followHost);
        hostWatch_.start();
        return;
    }
    // Queued, so that Qt has settled the monitors (and moved windows off a lost one) first.
    for (auto signal : {&QGuiApplication::screenAdded, &QGuiApplication::screenRemoved,
                        &QGuiApplication::primaryScreenChanged}) {
        connect(
            qGuiApp, signal, this,
            [this] {
                if (shown_) {
                    showWindow();
                }
            },
            Qt::QueuedConnection);
    }
}

SlideshowWindow::~SlideshowWindow() {
    views_.clear();  // their native windows go while the host's stands
}

std::unique_ptr<ScreenView> SlideshowWindow::makeView() {
    ViewInput* input = isHosted() ? nullptr : static_cast<ViewInput*>(this);
    return std::make_unique<ScreenView>(program_.timers(), program_.settings, input,
                                        frameDecoders_ ? frameDecoders_() : nullptr);
}

void SlideshowWindow::followHost() {
    const std::optional<QSize> size = hosting_->windows->size(hosting_->window);
    if (!size) {
        program_.endProgram();  // the daemon destroyed its window: the saver's end
        return;
    }
    if (QSizeF(*size) != QSizeF(view().size()) * view().devicePixelRatioF()) {
        coverScreen();
    }
}

void SlideshowWindow::load() {
    DisplayHost host{[this] { coverScreen(); },
                     [this] { showWindow(); },
                     [this] {
                         if (isHosted()) {
                             // A hosted show stays: the background colour is what it shows.
                             state().setBackgroundColour(program_.settings.backColors);
                         } else {
                             hideWindow();
                         }
                     },
                     [this] { program_.unloadDisplay(); },
                     [this](bool visible) {
                         if (isHosted()) {
                             return;  // a saver never opens the panel
                         }
                         PanelWindow* panel = program_.panel();
                         if (visible && panel != nullptr) {
                             panel->showWindow();
                         }
                     },
                     [this] { ahead_.plan(slideScreens(), services_); },
                     program_.cursor()};
    runLoadProcedure(state(), services_, host);
}

bool SlideshowWindow::letEventsRun() {
    const QPointer<SlideshowWindow> self(this);
    processPendingEvents();
    return self && !program_.hasEnded() && program_.displayIfLoaded() == self.data();
}

void SlideshowWindow::unload() {
    if (PlayerWindow* player = program_.player()) {
        player->stopAllMusic();
    }
    program_.cursor().show(true);
    program_.cursor().restoreVisible();
}

void SlideshowWindow::followMonitors() {
    QScreen* primary = QGuiApplication::primaryScreen();
    QList<QScreen*> others = QGuiApplication::screens();
    others.removeAll(primary);
    auto gone = std::stable_partition(views_.begin() + 1, views_.end(), [&others](auto& v) {
        return others.removeAll(v->coveredScreen()) > 0;
    });
    for (auto it = gone; it != views_.end(); ++it) {
        (*it)->hide();
        it->release()->deleteLater();  // it may be in the middle of an event
    }
    views_.erase(gone, views_.end());
    for (QScreen* screen : others) {
        views_.push_back(makeView());
        views_.back()->cover(*screen);
        views_.back()->state().setBackgroundColour(program_.settings.backColors);
    }
    if (primary != nullptr) {
        view().cover(*primary);
    }
}

void SlideshowWindow::coverScreen() {
    if (isHosted()) {
        if (const std::optional<QSize> size = hosting_->windows->size(hosting_->window)) {
            view().host(*hostWindow_, *size);
        }
        return;
    }
    if (stepping_) {
        monitorsChanged_ = true;  // a step works on the views: they follow when it is over
        return;
    }
    followMonitors();
}

std::vector<ScreenView*> SlideshowWindow::slideViews() {
    const bool every = !isHosted() && program_.settings.everyMonitor != 0;
    std::vector<ScreenView*> views;
    for (std::size_t k = 0; k < (every ? views_.size() : 1); ++k) {
        views.push_back(views_[k].get());
    }
    return views;
}

std::vector<ShowState*> SlideshowWindow::slideScreens() {
    std::vector<ShowState*> screens;
    for (ScreenView* v : slideViews()) {
        screens.push_back(&v->state());
    }
    return screens;
}

void SlideshowWindow::step(SlideStepKind kind) {
    if (!awaited_) {
        awaited_ = kind;
        stepWhenRead();
    }
}

void SlideshowWindow::stepWhenRead() {
    std::vector<ShowState*> screens = slideScreens();
    if (!awaited_ || stepping_) {
        return;
    }
    if (!ahead_.planned(screens.size())) {
        ahead_.plan(screens, services_);
    }
    if (!ahead_.ready(screens, services_)) {
        return;  // the next arrival comes back here
    }
    const SlideStepKind kind = *std::exchange(awaited_, std::nullopt);
    const QPointer<SlideshowWindow> self(this);
    stepping_ = true;
    std::vector<ReadSlide> reads;
    const std::vector<PlannedSlide> plans = ahead_.take(reads);
    const bool fade = program_.settings.fade == 1;
    for (ScreenView* v : fade ? slideViews() : std::vector<ScreenView*>{}) {
        v->holdForFade();
    }
    showSlides(screens, plans, reads, services_, kind);
    if (!self) {
        return;
    }
    for (ScreenView* v : fade ? slideViews() : std::vector<ScreenView*>{}) {
        v->fade();
    }
    ahead_.plan(slideScreens(), services_);
    stepping_ = false;
    if (std::exchange(monitorsChanged_, false) && shown_) {
        showWindow();
    }
}

void SlideshowWindow::showWindow() {
    shown_ = true;
    coverScreen();
    // The primary last, so that it ends up active: the keys go to it.
    std::for_each(views_.rbegin(), views_.rend(), [](const auto& v) { v->show(); });
    if (!isHosted()) {
        view().activateWindow();
    }
}

void SlideshowWindow::hideWindow() {
    shown_ = false;
    for (const auto& v : views_) {
        v->hide();
    }
    program_.cursor().restoreVisible();
}

bool SlideshowWindow::isShown() const {
    return views_.front()->isVisible();
}

void SlideshowWindow::disableTimers() {
    slideTimer_.setEnabled(false);
    awaited_.reset();
    ahead_.drop();
    for (const auto& v : views_) {
        v->state().stopAnimation();
    }
}

void SlideshowWindow::enableSlideTimer() {
    slideTimer_.setEnabled(true);
}

void SlideshowWindow::showFirstSlide() {
    step(SlideStepKind::FirstSlide);
}

void SlideshowWindow::setBackgroundColour(std::int32_t colour) {
    for (const auto& v : views_) {
        v->state().setBackgroundColour(colour);
    }
}

void SlideshowWindow::activated(const ScreenView& active) {
    if (&active == &view()) {
        program_.cursor().show(false);
    }
}

void SlideshowWindow::exitOnInput() {
    if (exiting_) {
        return;
    }
    exiting_ = true;
    QPointer<SlideshowWindow> self(this);
    movement_.forget();
    exitOnUserInput(program_);
    if (self) {
        exiting_ = false;
    }
}

void SlideshowWindow::suppressibleInput() {
    if (!program_.suppressKeyExit) {
        exitOnInput();
    }
}

void SlideshowWindow::buttonPressed() {
    suppressibleInput();
}

void SlideshowWindow::doubleClicked() {
    exitOnInput();
}

void SlideshowWindow::clicked() {
    // Picture files are read whole when they load, so no file is left open to close here.
    for (const auto& v : views_) {
        v->state().stopAnimation();
    }
}

void SlideshowWindow::pointerMoved(QPointF globalPosition) {
    if (exiting_ || !movement_.move(globalPosition, program_.settings.mouseSens)) {
        return;
    }
    QPointer<SlideshowWindow> self(this);
    program_.cursor().show(true);
    processPendingEvents();
    if (self) {
        exitOnInput();
    }
}

void SlideshowWindow::keyPressed(const QKeyEvent& e) {
    const QPointer<SlideshowWindow> self(this);
    suppressibleInput();  // key down
    if (self && !e.text().isEmpty() && isShown()) {
        suppressibleInput();  // key press, for keys that type a character
    }
}

}  // namespace luma
