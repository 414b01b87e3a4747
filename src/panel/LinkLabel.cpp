#include "panel/LinkLabel.h"
#include "panel/ControlIds.h"

#include "platform/Shell.h"
#include "runtime/PendingEvents.h"
#include "startup/Program.h"

#include <QCursor>
#include <QFrame>
#include <QMouseEvent>
#include <QPixmap>

#include <algorithm>

namespace {
#include "link-cursor.xpm"
}

namespace luma {
namespace {

constexpr int kUnderlineWidth = 2;
const QColor kUnderlineRest(0, 0, 192);

// The pointing hand over links; its finger tip is the hot spot.
QCursor linkCursor() {
    static const QPixmap hand(link_cursor_xpm);
    return QCursor(hand, 4, 0);
}

void setColour(QWidget* w, QPalette::ColorRole role, const QColor& colour) {
    QPalette p = w->palette();
    p.setColor(role, colour);
    w->setPalette(p);
}

}  // namespace

const QColor LinkLabel::kPressed(255, 0, 0);
const QColor LinkLabel::kVisited(0, 0, 255);

LinkLabel::LinkLabel(Program& program, const QString& name, const QString& caption, QString target,
                     const QColor& restColour, int underline, QWidget* parent)
    : QLabel(caption, parent), program_(program), target_(std::move(target)) {
    setObjectName(name);
    setTextFormat(Qt::PlainText);
    setCursor(linkCursor());
    setColour(this, QPalette::WindowText, restColour);
    if (underline >= 0) {
        underline_ = new QFrame(this);
        underline_->setObjectName(panel_ids::kLinkUnderline);
        underline_->setProperty("index", underline);
        underline_->setAutoFillBackground(true);
        underline_->setCursor(linkCursor());
        setColour(underline_, QPalette::Window, kUnderlineRest);
    }
}

QColor LinkLabel::colour() const {
    return palette().color(QPalette::WindowText);
}

QColor LinkLabel::underlineColour() const {
    return underline_ == nullptr ? QColor() : underline_->palette().color(QPalette::Window);
}

void LinkLabel::paintIn(const QColor& colour) {
    setColour(this, QPalette::WindowText, colour);
    if (underline_ != nullptr) {
        setColour(underline_, QPalette::Window, colour);
    }
}

void LinkLabel::mousePressEvent(QMouseEvent* event) {
    event->accept();
    paintIn(kPressed);
    repaint();  // the red shows before the shell takes its time
    // The events may close the panel, and this label with it: nothing of it is used after them.
    Program& program = program_;
    const QString target = target_;
    processPendingEvents();
    program.shell().open(target);
}

void LinkLabel::mouseDoubleClickEvent(QMouseEvent* event) {
    // The second press of a double click opens nothing more.
    event->accept();
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    paintIn(kVisited);
}

void LinkLabel::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    if (underline_ != nullptr) {
        // Across the lower part of the text, just under its baseline.
        const int textWidth = fontMetrics().horizontalAdvance(text());
        const int y = std::min(height() - kUnderlineWidth, (height() + fontMetrics().height()) / 2 -
                                                               fontMetrics().descent() + 1);
        underline_->setGeometry(0, y, std::min(width(), textWidth), kUnderlineWidth);
    }
}

}  // namespace luma
