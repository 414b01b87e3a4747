#include "display/MonitorCovers.h"

#include "display/FullScreen.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

#include <algorithm>

namespace luma {
namespace {

class Cover : public QWidget {
public:
    Cover(QScreen* screen, std::function<QColor()> colour)
        : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), colour_(std::move(colour)) {
        setObjectName(QStringLiteral("monitorCover"));
        setAttribute(Qt::WA_OpaquePaintEvent);
        setMouseTracking(true);
        setFocusPolicy(Qt::StrongFocus);
        fillScreen(*this, *screen);
    }

protected:
    void paintEvent(QPaintEvent*) override { QPainter(this).fillRect(rect(), colour_()); }

private:
    std::function<QColor()> colour_;
};

}  // namespace

MonitorCovers::MonitorCovers(QObject* inputWatcher, std::function<QColor()> colour)
    : inputWatcher_(inputWatcher), colour_(std::move(colour)) {
    for (auto signal : {&QGuiApplication::screenAdded, &QGuiApplication::screenRemoved,
                        &QGuiApplication::primaryScreenChanged}) {
        connect(qGuiApp, signal, this, [this] {
            if (shown_) {
                rebuild();
            }
        });
    }
}

MonitorCovers::~MonitorCovers() {
    clear();
}

void MonitorCovers::show() {
    shown_ = true;
    rebuild();
}

void MonitorCovers::hide() {
    shown_ = false;
    for (QWidget* cover : covers_) {
        cover->hide();
    }
}

bool MonitorCovers::isCover(const QObject* object) const {
    return std::find(covers_.begin(), covers_.end(), object) != covers_.end();
}

void MonitorCovers::repaint() {
    for (QWidget* cover : covers_) {
        cover->update();
    }
}

void MonitorCovers::rebuild() {
    clear();
    const QScreen* primary = QGuiApplication::primaryScreen();
    for (QScreen* screen : QGuiApplication::screens()) {
        if (screen == primary) {
            continue;
        }
        auto* cover = new Cover(screen, colour_);
        cover->installEventFilter(inputWatcher_);
        cover->show();
        covers_.push_back(cover);
    }
}

void MonitorCovers::clear() {
    for (QWidget* cover : covers_) {
        cover->hide();
        cover->removeEventFilter(inputWatcher_);
        cover->deleteLater();
    }
    covers_.clear();
}

}  // namespace luma
