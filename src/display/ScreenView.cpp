#include "display/ScreenView.h"

#include "display/AnimationPlayer.h"
#include "display/FullScreen.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QWindow>

#include <algorithm>
#include <cmath>
#include <utility>

namespace luma {

ScreenView::ScreenView(TimerService& timers, const SettingsRecord& settings, ViewInput* input,
                       std::unique_ptr<FrameDecoder> frameDecoder)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint),
      settings_(settings),
      input_(input),
      show_(timers,
            frameDecoder ? std::move(frameDecoder) : std::make_unique<ThreadedFrameDecoder>()),
      fadeTimer_(timers) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    show_.canvas.setListener([this](const QRect& area) { updateCanvasArea(area); });
    fadeTimer_.setHandler([this] { fadeTick(); });
    show_.animationTimer.setHandler([this] { animationTick(show_, settings_, isVisible()); });
    if (input_ != nullptr) {
        setMouseTracking(true);
        setFocusPolicy(Qt::StrongFocus);
    }
}

ScreenView::~ScreenView() = default;

void ScreenView::updateCanvasArea(const QRect& area) {
    const double scale = canvasScale();
    if (scale == 1) {
        update(area);
        return;
    }
    const QRectF shown(area.x() / scale, area.y() / scale, area.width() / scale,
                       area.height() / scale);
    update(shown.toAlignedRect().adjusted(-1, -1, 1, 1));
}

void ScreenView::holdForFade() {
    endFade();  // a fade still under way jumps to its end
    before_ = show_.canvas.image();
    beforeDrawn_ = show_.canvas.drawnArea();
    beforeBackground_ = show_.background;
    // Until fade() starts, what the step paints shows as the old picture.
    fadeArea_ = show_.canvas.rect();
    fadeFrame_ = 0;
    fadeFrames_ = 1;
}

void ScreenView::fade() {
    if (!isFading() || before_.size() != show_.canvas.size()) {
        endFade();  // the screen changed meanwhile: nothing to blend from
        return;
    }
    fadeArea_ = beforeBackground_ == show_.background ? beforeDrawn_ | show_.canvas.drawnArea()
                                                      : show_.canvas.rect();
    const double hz = screen() != nullptr ? screen()->refreshRate() : 0;
    constexpr int kSlowestFrameMs = 33;
    const int interval = hz > 0 ? std::clamp(int(1000 / hz), 1, kSlowestFrameMs) : kSlowestFrameMs;
    fadeFrames_ = std::max(1, (1000 + interval / 2) / interval);
    if (show_.animationTimer.isEnabled()) {
        show_.animationTimer.setEnabled(false);
        show_.animateAfterFade = true;
    }
    fadeTimer_.setInterval(interval);
    fadeTimer_.setEnabled(true);  // frame 0, the old picture, shows already
}

void ScreenView::fadeTick() {
    if (++fadeFrame_ < fadeFrames_) {
        updateCanvasArea(fadeArea_);
        return;
    }
    endFade();
}

void ScreenView::endFade() {
    if (isFading()) {
        updateCanvasArea(fadeArea_);
    }
    fadeTimer_.setEnabled(false);
    fadeFrames_ = 0;
    before_ = QImage();
    if (std::exchange(show_.animateAfterFade, false)) {
        show_.animationTimer.setEnabled(true);
    }
}

void ScreenView::cover(QScreen& screen) {
    screen_ = &screen;
    fillScreen(*this, screen);
    fitCanvas();
}

void ScreenView::host(QWindow& host, QSize deviceSize) {
    if (!hosted_) {
        hosted_ = true;
        setAttribute(Qt::WA_NativeWindow);
        setAttribute(Qt::WA_ShowWithoutActivating);
        winId();
        windowHandle()->setParent(&host);
    }
    // The host's size is in device pixels; the view's geometry counts in logical ones.
    const double ratio = devicePixelRatioF();
    setGeometry(QRect(QPoint(0, 0), (QSizeF(deviceSize) / ratio).toSize()));
    fitCanvas();
}

void ScreenView::fitCanvas() {
    viewScale_ = 1;
    const QScreen* shown = screen() != nullptr ? screen() : screen_.data();
    if (hosted_ && shown != nullptr && !size().isEmpty()) {
        const QSize full = shown->geometry().size();
        viewScale_ = std::max(
            1.0, std::min(double(full.width()) / width(), double(full.height()) / height()));
    }
    const double scale = canvasScale();
    show_.canvas.resize(QSize(qRound(width() * scale), qRound(height() * scale)), show_.background);
}

bool ScreenView::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate && input_ != nullptr) {
        input_->activated(*this);
    }
    return QWidget::event(e);
}

void ScreenView::paintEvent(QPaintEvent* e) {
    QPainter painter(this);
    if (viewScale_ != 1) {
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(QRectF(rect()), show_.canvas.image());
        if (isFading()) {
            painter.setOpacity(1 - double(fadeFrame_) / fadeFrames_);
            painter.drawImage(QRectF(rect()), before_);
        }
        return;
    }
    // Canvas pixels go one to one onto device pixels, whatever the ratio.
    const double ratio = devicePixelRatioF();
    painter.setWorldTransform(QTransform::fromScale(1 / ratio, 1 / ratio));
    const QRectF logical(e->rect());
    const QRect area = QRectF(logical.topLeft() * ratio, logical.size() * ratio)
                           .toAlignedRect()
                           .intersected(show_.canvas.rect());
    show_.canvas.paintOn(painter, area);
    const QRect blended = area.intersected(fadeArea_);
    if (isFading() && !blended.isEmpty()) {
        painter.setOpacity(1 - double(fadeFrame_) / fadeFrames_);
        painter.drawImage(blended, before_, blended);
    }
}

void ScreenView::resizeEvent(QResizeEvent* e) {
    fitCanvas();
    QWidget::resizeEvent(e);
}

void ScreenView::mouseMoveEvent(QMouseEvent* e) {
    if (input_ != nullptr) {
        input_->pointerMoved(e->globalPosition());
    }
}

void ScreenView::mousePressEvent(QMouseEvent*) {
    if (input_ != nullptr) {
        input_->buttonPressed();
    }
}

void ScreenView::mouseReleaseEvent(QMouseEvent* e) {
    if (input_ != nullptr && e->button() == Qt::LeftButton &&
        rect().contains(e->position().toPoint())) {
        input_->clicked();
    }
}

void ScreenView::mouseDoubleClickEvent(QMouseEvent*) {
    if (input_ != nullptr) {
        input_->doubleClicked();
    }
}

void ScreenView::keyPressEvent(QKeyEvent* e) {
    if (input_ != nullptr) {
        input_->keyPressed(*e);
    }
}

}  // namespace luma
