#include "display/SlideshowWindow.h"
#include "display/SlideshowIds.h"

#include "display/AnimationPlayer.h"
#include "display/DisplayLoad.h"
#include "display/FullScreen.h"
#include "display/MonitorCovers.h"
#include "display/PictureDecoding.h"
#include "display/SlideSequencer.h"
#include "music/DeviceRoutines.h"
#include "platform/HostWindows.h"
#include "runtime/PendingEvents.h"
#include "startup/Program.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QWindow>

#include <algorithm>

namespace luma {

namespace {

constexpr int kHostWatchMs = 250;

}  // namespace

SlideshowWindow::SlideshowWindow(Program& program, std::optional<Hosting> hosting,
                                 std::unique_ptr<FrameDecoder> frameDecoder)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint),
      program_(program),
      hosting_(hosting),
      show_(program.timers(),
            frameDecoder ? std::move(frameDecoder) : std::make_unique<ThreadedFrameDecoder>()),
      services_{program.store(),
                program.settings,
                program.random(),
                program.slideIndex,
                program.slideCount,
                [&program] { playChime(program); },
                [this] { return letEventsRun(); }} {
    setObjectName(display_ids::kSlideshowWindow);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setPictureDecodeLimits();
    show_.canvas.setListener([this](const QRect& area) {
        if (viewScale_ == 1) {
            update(area);
        } else {
            const QRectF scaled(area.x() / viewScale_, area.y() / viewScale_,
                                area.width() / viewScale_, area.height() / viewScale_);
            update(scaled.toAlignedRect().adjusted(-1, -1, 1, 1));
        }
    });
    show_.slideTimer.setHandler([this] { slideTick(); });
    show_.animationTimer.setHandler([this] { frameTick(); });
    covers_ = std::make_unique<MonitorCovers>(this, [this] { return show_.background; });
    if (hosting_) {
        embed();
        return;
    }
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    // Monitors that come and go while the show is up: the show stays on the primary one.
    for (auto signal : {&QGuiApplication::screenAdded, &QGuiApplication::screenRemoved,
                        &QGuiApplication::primaryScreenChanged}) {
        connect(qGuiApp, signal, this, [this] {
            if (isVisible()) {
                coverScreen();
            }
        });
    }
}

void SlideshowWindow::embed() {
    setAttribute(Qt::WA_NativeWindow);
    setAttribute(Qt::WA_ShowWithoutActivating);
    winId();
    hostWindow_.reset(QWindow::fromWinId(hosting_->window));
    windowHandle()->setParent(hostWindow_.get());
    hostWatch_.setInterval(kHostWatchMs);
    connect(&hostWatch_, &QTimer::timeout, this, &SlideshowWindow::followHost);
    hostWatch_.start();
}

void SlideshowWindow::followHost() {
    const std::optional<QSize> size = hosting_->windows->size(hosting_->window);
    if (!size) {
        program_.endProgram();  // the daemon destroyed its window: the saver's end
        return;
    }
    if (*size != this->size()) {
        coverScreen();
    }
}

SlideshowWindow::~SlideshowWindow() {
    if (hostWindow_) {
        // Our native window is a child of the host's: it goes first, while the host's stands.
        destroy();
    }
}

void SlideshowWindow::load() {
    DisplayHost host{[this] { coverScreen(); },
                     [this] { showWindow(); },
                     [this] {
                         if (isHosted()) {
                             // A hosted show stays: the background colour is what it shows.
                             show_.setBackgroundColour(program_.settings.backColors);
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
    if (isHosted()) {
        if (const std::optional<QSize> size = hosting_->windows->size(hosting_->window)) {
            setGeometry(QRect(QPoint(0, 0), *size));
        }
    } else {
        if (QScreen* screen = QGuiApplication::primaryScreen()) {
            fillScreen(*this, *screen);
        }
    }
    fitCanvas();
}

void SlideshowWindow::fitCanvas() {
    viewScale_ = 1;
    const QScreen* screen =
        this->screen() != nullptr ? this->screen() : QGuiApplication::primaryScreen();
    if (isHosted() && screen != nullptr && !size().isEmpty()) {
        const QSize full = screen->geometry().size();
        viewScale_ = std::max(
            1.0, std::min(double(full.width()) / width(), double(full.height()) / height()));
    }
    show_.canvas.resize((QSizeF(size()) * viewScale_).toSize(), show_.background);
}

void SlideshowWindow::showWindow() {
    coverScreen();
    show();
    if (!isHosted()) {
        activateWindow();
        covers_->show();
    }
}

void SlideshowWindow::hideWindow() {
    hide();
    covers_->hide();
    program_.cursor().restoreVisible();
}

bool SlideshowWindow::isShown() const {
    return isVisible();
}

void SlideshowWindow::disableTimers() {
    show_.slideTimer.setEnabled(false);
    show_.stopAnimation();
}

void SlideshowWindow::enableSlideTimer() {
    show_.slideTimer.setEnabled(true);
}

void SlideshowWindow::showFirstSlide() {
    slideStep(show_, services_, SlideStepKind::FirstSlide);
}

void SlideshowWindow::setBackgroundColour(std::int32_t colour) {
    show_.setBackgroundColour(colour);
    covers_->repaint();
}

void SlideshowWindow::slideTick() {
    slideStep(show_, services_, SlideStepKind::Tick);
}

void SlideshowWindow::frameTick() {
    animationTick(show_, program_.settings, isVisible());
}

bool SlideshowWindow::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate && !isHosted()) {
        program_.cursor().show(false);
    }
    return QWidget::event(e);
}

void SlideshowWindow::paintEvent(QPaintEvent* e) {
    QPainter painter(this);
    const QRect area = e->rect();
    if (viewScale_ == 1) {
        show_.canvas.paintOn(painter, area);
        return;
    }
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRectF(rect()), show_.canvas.image());
}

void SlideshowWindow::resizeEvent(QResizeEvent* e) {
    fitCanvas();
    QWidget::resizeEvent(e);
}

bool SlideshowWindow::eventFilter(QObject* watched, QEvent* e) {
    if (!covers_->isCover(watched)) {
        return QWidget::eventFilter(watched, e);
    }
    switch (e->type()) {
        case QEvent::MouseMove:
            pointerMoved(mapFromGlobal(static_cast<QMouseEvent*>(e)->globalPosition()));
            break;
        case QEvent::MouseButtonPress:
            suppressibleInput();
            break;
        case QEvent::MouseButtonDblClick:
            exitOnInput();
            break;
        case QEvent::KeyPress:
            keyInput(*static_cast<QKeyEvent*>(e));
            break;
        default:
            break;
    }
    return false;
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
    show_.stopAnimation();
}

void SlideshowWindow::mouseMoveEvent(QMouseEvent* e) {
    if (!isHosted()) {
        pointerMoved(e->position());
    }
}

void SlideshowWindow::pointerMoved(QPointF position) {
    if (exiting_ || !movement_.move(position, program_.settings.mouseSens)) {
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
    if (!isHosted()) {
        suppressibleInput();
    }
}

void SlideshowWindow::mouseReleaseEvent(QMouseEvent* e) {
    if (!isHosted() && e->button() == Qt::LeftButton && rect().contains(e->position().toPoint())) {
        click();
    }
}

void SlideshowWindow::mouseDoubleClickEvent(QMouseEvent*) {
    if (!isHosted()) {
        exitOnInput();
    }
}

void SlideshowWindow::keyPressEvent(QKeyEvent* e) {
    if (!isHosted()) {
        keyInput(*e);
    }
}

void SlideshowWindow::keyInput(const QKeyEvent& e) {
    const QPointer<SlideshowWindow> self(this);
    suppressibleInput();  // key down
    if (self && !e.text().isEmpty() && isVisible()) {
        suppressibleInput();  // key press, for keys that type a character
    }
}

}  // namespace luma
