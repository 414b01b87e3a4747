#pragma once

#include <QObject>

class QListWidget;

namespace luma {

// Announces the user's picks in a list box: a mouse click on an entry, or a move of the current
// entry by the keyboard. Changes the program makes to the list are not picks.
class ListClicks : public QObject {
    Q_OBJECT
public:
    explicit ListClicks(QListWidget* list);

signals:
    void clicked(int row);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QListWidget* list_;
    bool keyDown_ = false;  // the event the list is handling is a key press
};

}  // namespace luma
