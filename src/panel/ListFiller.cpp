#include "panel/ListFiller.h"

#include "music/ListTexts.h"
#include "platform/FileDialog.h"
#include "platform/MessageBox.h"
#include "settings/StoredList.h"
#include "startup/Program.h"

#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QListWidget>
#include <QMimeData>
#include <QPointer>
#include <QProgressDialog>
#include <QUrl>

#include <memory>

namespace luma {
namespace {

constexpr qint64 kProgressAfterMs = 500;

// The local files and folders of a drop; URLs of other kinds are not ours to add.
QStringList localPaths(const QMimeData* data) {
    QStringList paths;
    if (data == nullptr || !data->hasUrls()) {
        return paths;
    }
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile()) {
            paths.append(url.toLocalFile());
        }
    }
    return paths;
}

// The walk's progress: nothing for half a second, then a dialog with Cancel that repaints while
// the walk goes on.
class WalkProgress {
public:
    explicit WalkProgress(QWidget* parent) : parent_(parent) { clock_.start(); }

    bool operator()(int seen) {
        if (!dialog_ && clock_.elapsed() >= kProgressAfterMs) {
            dialog_ = std::make_unique<QProgressDialog>(QString(), QStringLiteral("Cancel"), 0, 0,
                                                        parent_);
            dialog_->setWindowTitle(QStringLiteral("Lumafolio"));
            dialog_->setWindowModality(Qt::WindowModal);
            dialog_->setMinimumDuration(0);
            dialog_->show();
        }
        if (!dialog_) {
            return true;
        }
        dialog_->setLabelText(QStringLiteral("Adding files: %1 looked at").arg(seen));
        QCoreApplication::processEvents();
        return !dialog_->wasCanceled();
    }

private:
    QWidget* parent_;
    QElapsedTimer clock_;
    std::unique_ptr<QProgressDialog> dialog_;
};

}  // namespace

ListFiller::ListFiller(Program& program, QListWidget* list, QString section, ListRules rules,
                       QString takes)
    : QObject(list),
      program_(program),
      list_(list),
      section_(std::move(section)),
      rules_(std::move(rules)),
      takes_(std::move(takes)),
      viewport_(list->viewport()) {
    list->setAcceptDrops(true);
    list->viewport()->setAcceptDrops(true);
    list->viewport()->installEventFilter(this);
}

QStringList ListFiller::entries() const {
    return listTexts(list_);
}

void ListFiller::add(const QStringList& paths) {
    const QPointer<QListWidget> alive(list_);
    Addition addition;
    {
        WalkProgress progress(list_->window());
        addition = collectAddition(paths, rules_, entries(),
                                   [&progress](int seen) { return progress(seen); });
    }
    // The progress dialog let events run: the panel may have gone meanwhile.
    if (alive.isNull() || program_.hasEnded() || addition.cancelled) {
        return;
    }
    if (!addition.entries.isEmpty()) {
        const int count = list_->count();
        list_->addItems(addition.entries);
        StoredList(program_.store(), section_).appendAll(count, addition.entries);
    }
    if (addition.leftOut > 0) {
        program_.messageBox().show(
            list_->window(),
            QStringLiteral("%1 file%2 left out: %3")
                .arg(addition.leftOut)
                .arg(addition.leftOut == 1 ? QStringLiteral(" was") : QStringLiteral("s were"))
                .arg(takes_),
            QStringLiteral("Lumafolio"), MessageBox::kInformation);
    }
}

void ListFiller::addFolder(QWidget* dialogParent, const QString& start) {
    if (const std::optional<QString> folder =
            program_.fileDialog().openFolder(dialogParent, start)) {
        add({*folder});
    }
}

bool ListFiller::eventFilter(QObject* watched, QEvent* event) {
    if (watched != viewport_) {
        return QObject::eventFilter(watched, event);
    }
    switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto* drag = static_cast<QDropEvent*>(event);
            if (!localPaths(drag->mimeData()).isEmpty()) {
                drag->acceptProposedAction();
                return true;
            }
            return false;
        }
        case QEvent::Drop: {
            auto* drop = static_cast<QDropEvent*>(event);
            const QStringList paths = localPaths(drop->mimeData());
            if (paths.isEmpty()) {
                return false;
            }
            drop->acceptProposedAction();
            add(paths);
            return true;
        }
        default:
            return QObject::eventFilter(watched, event);
    }
}

}  // namespace luma
