#pragma once

#include <QString>
#include <QStringList>

#include <functional>

namespace luma {

// What an addition of several paths brings to a list.
struct Addition {
    QStringList entries;  // in order
    int leftOut = 0;      // files the list does not take
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
// holds already; a playlist adds the entries it names that the list takes. `keepGoing` is passed
// to the folder walks: a cancelled addition adds nothing.
Addition collectAddition(const QStringList& paths, const ListRules& rules,
                         const QStringList& existing,
                         const std::function<bool(int seen)>& keepGoing = {});

}  // namespace luma
