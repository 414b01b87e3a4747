#include "panel/CdDriveButtons.h"
#include "panel/ControlIds.h"

#include "panel/ButtonSizing.h"

#include <QHBoxLayout>
#include <QPushButton>

namespace luma {

CdDriveButtons::CdDriveButtons(QWidget* parent) : QWidget(parent), row_(new QHBoxLayout(this)) {
    row_->setContentsMargins(0, 0, 0, 0);
    row_->setSpacing(0);
    row_->addStretch(1);
    makeButton(0)->hide();
}

QPushButton* CdDriveButtons::makeButton(int index) {
    auto* b = new QPushButton(this);
    b->setObjectName(panel_ids::kDriveButton);
    b->setProperty("index", index);
    connect(b, &QPushButton::clicked, this, [this, index] { emit driveClicked(index); });
    row_->insertWidget(index, b);
    buttons_.push_back(b);
    return b;
}

void CdDriveButtons::setDrives(const QStringList& roots) {
    // Never called from a drive button's own click, so the buttons may go at once.
    while (buttons_.size() > 1 && static_cast<qsizetype>(buttons_.size()) > roots.size()) {
        delete buttons_.back();
        buttons_.pop_back();
    }
    while (static_cast<qsizetype>(buttons_.size()) < roots.size()) {
        makeButton(count());
    }
    for (int i = 0; i < count(); ++i) {
        QPushButton* b = buttons_[static_cast<size_t>(i)];
        b->setText(roots.value(i));
        fitToCaption(b);
        b->setVisible(i < roots.size());
    }
}

QString CdDriveButtons::caption(int index) const {
    const QPushButton* b = button(index);
    return b == nullptr ? QString() : b->text();
}

QPushButton* CdDriveButtons::button(int index) const {
    return index >= 0 && index < count() ? buttons_[static_cast<size_t>(index)] : nullptr;
}

}  // namespace luma
