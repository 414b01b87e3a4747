#include "panel/CaptionedCheckBox.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>

namespace luma {

CaptionedCheckBox::CaptionedCheckBox(const QString& name, const QString& caption, QWidget* parent)
    : QWidget(parent), box_(new QCheckBox(this)), caption_(new QLabel(caption, this)) {
    box_->setObjectName(name);
    box_->setAccessibleName(caption);
    caption_->setObjectName(name + QStringLiteral("Caption"));
    caption_->setWordWrap(true);
    caption_->setTextFormat(Qt::PlainText);
    caption_->setBuddy(box_);
    QSizePolicy policy = caption_->sizePolicy();  // keeps the height-for-width of wrapped text
    policy.setHorizontalPolicy(QSizePolicy::Expanding);
    caption_->setSizePolicy(policy);
    caption_->installEventFilter(this);

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(4);
    row->addWidget(box_, 0, Qt::AlignTop);
    row->addWidget(caption_, 1);
}

bool CaptionedCheckBox::eventFilter(QObject* watched, QEvent* event) {
    if (watched == caption_ && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton &&
        caption_->rect().contains(static_cast<QMouseEvent*>(event)->position().toPoint())) {
        box_->setFocus(Qt::MouseFocusReason);
        box_->click();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace luma
