#pragma once

#include "panel/ListAdditions.h"

#include <QFutureWatcher>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QThreadPool>
#include <QTimer>

#include <atomic>
#include <memory>

class QListWidget;
class QProgressDialog;

namespace luma {

class Program;

// Adds many entries to one of the panel's lists at once: files chosen together in the file
// dialog, a folder, files and folders dropped from a file manager, playlist files. The entries are
// gathered on a worker thread while the panel goes on; the list box and its stored list then get
// them in one write, and the panel says what was left out. A gathering that lasts more than half
// a second shows its progress, with Cancel; a cancelled addition writes nothing. Additions asked
// for meanwhile wait their turn. Going, the filler cancels the addition under way and waits for
// its worker: nothing of it outlives the list.
class ListFiller : public QObject {
    Q_OBJECT
public:
    // `section` is the stored list's section; `takes` says in words which files the list takes.
    ListFiller(Program& program, QListWidget* list, QString section, ListRules rules,
               QString takes);
    ~ListFiller() override;

    void add(const QStringList& paths);
    // "add folder…": the folder chosen in the dialog, which opens at `start`, over `dialogParent`.
    void addFolder(QWidget* dialogParent, const QString& start);
    // Drops the addition under way, and those waiting: nothing of them is written.
    void cancel();
    bool adding() const { return walk_ != nullptr; }

signals:
    // An addition is over: written, cancelled, or found nothing.
    void additionDone();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // What the worker and the GUI thread share while an addition is under way.
    struct Walk {
        std::atomic<bool> cancelled{false};
        std::atomic<int> seen{0};
    };

    void startNext();
    void finish();
    void showProgress();
    void closeProgress();

    Program& program_;
    QListWidget* list_;
    QString section_;
    ListRules rules_;
    QString takes_;
    // The list's viewport, as the event filter knows it: compared by address only.
    const QObject* const viewport_;
    QList<QStringList> waiting_;
    std::shared_ptr<Walk> walk_;  // the addition under way, or null
    QThreadPool worker_;
    QFutureWatcher<Addition> watcher_;
    QTimer progressTimer_;
    QPointer<QProgressDialog> progress_;  // a child of the panel, which may delete it first
};

}  // namespace luma
