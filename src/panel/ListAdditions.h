#pragma once

#include <QString>
#include <QStringList>

#include <functional>

namespace luma {

// What an addition of several paths brings to a list.
struct Addition {
    QStringList entries;    // in order
    int leftOut = 0;        // files the list does not take
    int alreadyListed = 0;  // files of folders that the list holds already
    int missing = 0;        // playlist entries that name no existing file
    bool cancelled = false;
};

// The rules of a list for additions: which file names it takes, and whether playlist files are
// opened for their entries.
struct ListRules {
    std::function<bool(const QString&)> accepts;
    bool opensPlaylists = false;
};

// The entries that files, folders and playlist files (as a multiple choice in the file dialog or a
// drop gives them) add to a list holding `existing`. A file is added when the list takes it; a
// folder adds every file below it that the list takes, in natural order, and none that the list
// holds already; a playlist adds the entries it names that exist and that the list takes.
// `keepGoing` is passed to the folder walks: a cancelled addition adds nothing. Runs on any thread.
Addition collectAddition(const QStringList& paths, const ListRules& rules,
                         const QStringList& existing,
                         const std::function<bool(int seen)>& keepGoing = {});

// What the panel says of an addition, one line for each thing left out; empty when everything
// was added. `takes` says in words which files the list takes.
QString additionReport(const Addition& addition, const QString& takes);

}  // namespace luma
