#include "display/frmMain.h"

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

frmMain::frmMain(Program& program)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint),
      AnimatedGIF(1),
      Timer1(program.timers()),
      AnimationTimer(program.timers()),
      program_(program) {
    setObjectName(QStringLiteral("frmMain"));
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setPictureDecodeLimits();
    canvas_.setListener([this](const QRect& area) { update(area); });
    Timer1.setHandler([this] { Timer1_Timer(); });
    AnimationTimer.setHandler([this] { AnimationTimer_Timer(); });
}

frmMain::~frmMain() = default;

void frmMain::load() {
    runLoadProcedure(*this);
}

void frmMain::unload() {
    if (PlayerWindow* player = program_.player()) {
        player->Command35_Click();
    }
    program_.cursor().show(true);
    program_.cursor().restoreVisible();
}

void frmMain::coverScreen() {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        setGeometry(screen->geometry());
    }
    // Setting the geometry leaves the full-screen state; a window manager needs it again.
    setWindowState(windowState() | Qt::WindowFullScreen);
    canvas_.resize(size(), background_);
}

void frmMain::showWindow() {
    coverScreen();
    show();
    activateWindow();
}

void frmMain::hideWindow() {
    hide();
    program_.cursor().restoreVisible();
}

bool frmMain::isShown() const {
    return isVisible();
}

void frmMain::disableTimers() {
    Timer1.setEnabled(false);
    AnimationTimer.setEnabled(false);
}

void frmMain::enableSlideTimer() {
    Timer1.setEnabled(true);
}

void frmMain::BeforeTimer1() {
    slideStep(*this, SlideStepKind::BeforeTimer1);
}

void frmMain::setBackgroundColour(std::int32_t colour) {
    background_ = colourOf(colour);
    canvas_.fill(background_);
}

void frmMain::Timer1_Timer() {
    slideStep(*this, SlideStepKind::Tick);
}

void frmMain::AnimationTimer_Timer() {
    animationTick(*this);
}

bool frmMain::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate) {
        program_.cursor().show(false);
    }
    return QWidget::event(e);
}

void frmMain::paintEvent(QPaintEvent* e) {
    QPainter painter(this);
    const QRect area = e->rect();
    painter.drawImage(area, canvas_.image(), area);
}

void frmMain::resizeEvent(QResizeEvent* e) {
    canvas_.resize(size(), background_);
    QWidget::resizeEvent(e);
}

void frmMain::exitOnInput() {
    if (exiting_) {
        return;
    }
    exiting_ = true;
    QPointer<frmMain> self(this);
    movement_.forget();
    UserInputExit(program_);
    if (self) {
        exiting_ = false;
    }
}

void frmMain::suppressibleInput() {
    if (!program_.SuppressKeyExit) {
        exitOnInput();
    }
}

void frmMain::click() {
    // Picture files are read whole when they load, so no file is left open to close here.
    AnimationTimer.setEnabled(false);
}

void frmMain::mouseMoveEvent(QMouseEvent* e) {
    if (exiting_ || !movement_.move(e->position(), program_.settings.mouseSens)) {
        return;
    }
    QPointer<frmMain> self(this);
    program_.cursor().show(true);
    processPendingEvents();
    if (self) {
        exitOnInput();
    }
}

void frmMain::mousePressEvent(QMouseEvent*) {
    suppressibleInput();
}

void frmMain::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint())) {
        click();
    }
}

void frmMain::mouseDoubleClickEvent(QMouseEvent*) {
    exitOnInput();
}

void frmMain::keyPressEvent(QKeyEvent* e) {
    suppressibleInput();  // key down
    if (!e->text().isEmpty() && isVisible()) {
        suppressibleInput();  // key press, for keys that type a character
    }
}

}  // namespace luma
