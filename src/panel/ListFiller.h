#pragma once

#include "panel/ListAdditions.h"

#include <QObject>
#include <QString>

class QListWidget;

namespace luma {

class Program;

// Adds many entries to one of the panel's lists at once: files chosen together in the file
// dialog, a folder, files and folders dropped from a file manager, playlist files. The list box
// and its stored list get them in one write; the panel says how many files the list does not take.
// A folder walk that lasts more than half a second shows its progress, with Cancel; a cancelled
// addition writes nothing.
class ListFiller : public QObject {
    Q_OBJECT
public:
    // `section` is the stored list's section; `takes` says in words which files the list takes.
    ListFiller(Program& program, QListWidget* list, QString section, ListRules rules,
               QString takes);

    void add(const QStringList& paths);
    // "add folder…": the folder chosen in the dialog, which opens at `start`, over `dialogParent`.
    void addFolder(QWidget* dialogParent, const QString& start);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QStringList entries() const;

    Program& program_;
    QListWidget* list_;
    QString section_;
    ListRules rules_;
    QString takes_;
    // The list's viewport, as the event filter knows it: compared by address only.
    const QObject* const viewport_;
};

}  // namespace luma
