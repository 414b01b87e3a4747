#include "platform/desktop/QtMessageBox.h"

#include <QMessageBox>
#include <QPointer>

namespace luma {

int QtMessageBox::show(QWidget* parent, const QString& text, const QString& title, int flags) {
    // Only the icon bits are used: every box of the program has the single OK button.
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    switch (flags & 0x70) {
        case 16:
            icon = QMessageBox::Critical;
            break;
        case 32:
            icon = QMessageBox::Question;
            break;
        case 48:
            icon = QMessageBox::Warning;
            break;
        case 64:
            icon = QMessageBox::Information;
            break;
        default:
            break;
    }
    // On the heap: a parent that goes while the box waits takes the box with it.
    const QPointer<QMessageBox> box = new QMessageBox(icon, title, text, QMessageBox::Ok, parent);
    box->exec();
    delete box.data();
    return kOk;
}

void QtMessageBox::inform(QWidget* parent, const QString& text, const QString& title) {
    auto* box = new QMessageBox(QMessageBox::Information, title, text, QMessageBox::Ok, parent);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

}  // namespace luma
