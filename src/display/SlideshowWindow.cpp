#include "display/SlideshowWindow.h"
#include "display/SlideshowIds.h"

#include "display/AnimationPlayer.h"
#include "display/DisplayLoad.h"
#include "display/PictureDecoding.h"
#include "display/SlideSequencer.h"
#include "music/DeviceRoutines.h"
#include "runtime/PendingEvents.h"
#include "startup/Program.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QScreen>

namespace luma {

SlideshowWindow::SlideshowWindow(Program& program)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint),
      program_(program),
      show_(program.timers()),
      services_{program.store(),
                program.settings,
                program.random(),
                program.slideIndex,
                program.slideCount,
                [&program] { playChime(program); },
                [this] { return letEventsRun(); }} {
    setObjectName(display_ids::kSlideshowWindow);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setPictureDecodeLimits();
    show_.canvas.setListener([this](const QRect& area) { update(area); });
    show_.slideTimer.setHandler([this] { slideTick(); });
    show_.animationTimer.setHandler([this] { frameTick(); });
}

SlideshowWindow::~SlideshowWindow() = default;

void SlideshowWindow::load() {
    DisplayHost host{[this] { coverScreen(); },
                     [this] { showWindow(); },
                     [this] { hideWindow(); },
                     [this] { program_.unloadDisplay(); },
                     [this](bool visible) {
                         PanelWindow* panel = program_.panel();
                         if (visible && panel != nullptr) {
                             panel->showWindow();
                         }
                     },
                     program_.cursor()};
    runLoadProcedure(show_, services_, host);
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

void SlideshowWindow::coverScreen() {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        setGeometry(screen->geometry());
    }
    // Setting the geometry leaves the full-screen state; a window manager needs it again.
    setWindowState(windowState() | Qt::WindowFullScreen);
    show_.canvas.resize(size(), show_.background);
}

void SlideshowWindow::showWindow() {
    coverScreen();
    show();
    activateWindow();
}

void SlideshowWindow::hideWindow() {
    hide();
    program_.cursor().restoreVisible();
}

bool SlideshowWindow::isShown() const {
    return isVisible();
}

void SlideshowWindow::disableTimers() {
    show_.slideTimer.setEnabled(false);
    show_.animationTimer.setEnabled(false);
}

void SlideshowWindow::enableSlideTimer() {
    show_.slideTimer.setEnabled(true);
}

void SlideshowWindow::showFirstSlide() {
    slideStep(show_, services_, SlideStepKind::FirstSlide);
}

void SlideshowWindow::setBackgroundColour(std::int32_t colour) {
    show_.setBackgroundColour(colour);
}

void SlideshowWindow::slideTick() {
    slideStep(show_, services_, SlideStepKind::Tick);
}

void SlideshowWindow::frameTick() {
    animationTick(show_, program_.settings, isVisible());
}

bool SlideshowWindow::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate) {
        program_.cursor().show(false);
    }
    return QWidget::event(e);
}

void SlideshowWindow::paintEvent(QPaintEvent* e) {
    QPainter painter(this);
    const QRect area = e->rect();
    painter.drawImage(area, show_.canvas.image(), area);
}

void SlideshowWindow::resizeEvent(QResizeEvent* e) {
    show_.canvas.resize(size(), show_.background);
    QWidget::resizeEvent(e);
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

void SlideshowWindow::click() {
    // Picture files are read whole when they load, so no file is left open to close here.
    show_.animationTimer.setEnabled(false);
}

void SlideshowWindow::mouseMoveEvent(QMouseEvent* e) {
    if (exiting_ || !movement_.move(e->position(), program_.settings.mouseSens)) {
        return;
    }
    QPointer<SlideshowWindow> self(this);
    program_.cursor().show(true);
    processPendingEvents();
    if (self) {
        exitOnInput();
    }
}

void SlideshowWindow::mousePressEvent(QMouseEvent*) {
    suppressibleInput();
}

void SlideshowWindow::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint())) {
        click();
    }
}

void SlideshowWindow::mouseDoubleClickEvent(QMouseEvent*) {
    exitOnInput();
}

void SlideshowWindow::keyPressEvent(QKeyEvent* e) {
    suppressibleInput();  // key down
    if (!e->text().isEmpty() && isVisible()) {
        suppressibleInput();  // key press, for keys that type a character
    }
}

}  // namespace luma
