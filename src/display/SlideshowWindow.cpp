#include "display/SlideshowWindow.h"
#include "display/SlideshowIds.h"

#include "display/AnimationPlayer.h"
#include "display/DisplayLoad.h"
#include "display/PictureDecoding.h"
#include "display/SlideSequencer.h"
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
      frameHolders(1),
      slideTimer(program.timers()),
      animationTimer(program.timers()),
      program_(program) {
    setObjectName(display_ids::kSlideshowWindow);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setPictureDecodeLimits();
    canvas_.setListener([this](const QRect& area) { update(area); });
    slideTimer.setHandler([this] { slideTick(); });
    animationTimer.setHandler([this] { frameTick(); });
}

SlideshowWindow::~SlideshowWindow() = default;

void SlideshowWindow::load() {
    runLoadProcedure(*this);
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
    canvas_.resize(size(), background_);
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
    slideTimer.setEnabled(false);
    animationTimer.setEnabled(false);
}

void SlideshowWindow::enableSlideTimer() {
    slideTimer.setEnabled(true);
}

void SlideshowWindow::showFirstSlide() {
    slideStep(*this, SlideStepKind::FirstSlide);
}

void SlideshowWindow::setBackgroundColour(std::int32_t colour) {
    background_ = colourOf(colour);
    canvas_.fill(background_);
}

void SlideshowWindow::slideTick() {
    slideStep(*this, SlideStepKind::Tick);
}

void SlideshowWindow::frameTick() {
    animationTick(*this);
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
    painter.drawImage(area, canvas_.image(), area);
}

void SlideshowWindow::resizeEvent(QResizeEvent* e) {
    canvas_.resize(size(), background_);
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
    animationTimer.setEnabled(false);
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
