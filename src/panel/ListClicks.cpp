#include "panel/ListClicks.h"

#include <QEvent>
#include <QListWidget>

namespace luma {

ListClicks::ListClicks(QListWidget* list) : QObject(list), list_(list) {
    list->installEventFilter(this);
    connect(list, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { emit clicked(list_->row(item)); });
    connect(list, &QListWidget::currentRowChanged, this, [this](int row) {
        if (keyDown_ && row >= 0) {
            emit clicked(row);
        }
    });
}

bool ListClicks::eventFilter(QObject* watched, QEvent* event) {
    if (watched == list_) {
        // The list moves its current entry while it handles the key press, before any other event
        // of its own arrives.
        keyDown_ = event->type() == QEvent::KeyPress;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace luma
