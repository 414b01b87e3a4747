#include "panel/ListFiller.h"

#include "music/ListTexts.h"
#include "platform/FileDialog.h"
#include "platform/MessageBox.h"
#include "settings/StoredList.h"
#include "startup/Program.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QListWidget>
#include <QMimeData>
#include <QProgressDialog>
#include <QUrl>
#include <QtConcurrent/QtConcurrentRun>

namespace luma {
namespace {

constexpr int kProgressAfterMs = 500;
constexpr int kProgressEveryMs = 100;

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
    worker_.setMaxThreadCount(1);
    connect(&watcher_, &QFutureWatcherBase::finished, this, &ListFiller::finish);
    progressTimer_.setSingleShot(false);
    connect(&progressTimer_, &QTimer::timeout, this, &ListFiller::showProgress);
}

ListFiller::~ListFiller() {
    watcher_.disconnect();
    if (walk_) {
        walk_->cancelled = true;
    }
    watcher_.waitForFinished();
    worker_.waitForDone();
    delete progress_.data();
}

void ListFiller::add(const QStringList& paths) {
    waiting_.append(paths);
    if (!adding()) {
        startNext();
    }
}

void ListFiller::cancel() {
    waiting_.clear();
    if (walk_) {
        walk_->cancelled = true;
    }
    closeProgress();
}

void ListFiller::startNext() {
    if (waiting_.isEmpty()) {
        return;
    }
    walk_ = std::make_shared<Walk>();
    progressTimer_.start(kProgressAfterMs);
    watcher_.setFuture(QtConcurrent::run(&worker_, [walk = walk_, paths = waiting_.takeFirst(),
                                                    rules = rules_, existing = listTexts(list_)] {
        return collectAddition(paths, rules, existing, [&walk](int seen) {
            walk->seen = seen;
            return !walk->cancelled;
        });
    }));
}

void ListFiller::showProgress() {
    if (!progress_) {
        progress_ = new QProgressDialog(QString(), QStringLiteral("Cancel"), 0, 0, list_->window());
        progress_->setWindowTitle(QStringLiteral("Lumafolio"));
        progress_->setWindowModality(Qt::WindowModal);
        progress_->setMinimumDuration(0);
        connect(progress_, &QProgressDialog::canceled, this,
                [walk = walk_] { walk->cancelled = true; });
        progress_->show();
        progressTimer_.start(kProgressEveryMs);
    }
    progress_->setLabelText(QStringLiteral("Adding files: %1 looked at").arg(walk_->seen.load()));
}

void ListFiller::closeProgress() {
    progressTimer_.stop();
    delete progress_.data();
}

void ListFiller::finish() {
    closeProgress();
    const bool cancelled = walk_->cancelled;
    walk_.reset();
    Addition addition = watcher_.result();
    if (!cancelled && !addition.cancelled && !program_.hasEnded()) {
        if (!addition.entries.isEmpty()) {
            const int count = list_->count();
            list_->addItems(addition.entries);
            StoredList(program_.store(), section_).appendAll(count, addition.entries);
        }
        const QString report = additionReport(addition, takes_);
        if (!report.isEmpty()) {
            program_.messageBox().inform(list_->window(), report, QStringLiteral("Lumafolio"));
        }
    }
    startNext();
    emit additionDone();
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
