#pragma once

#include <QString>
#include <QStringList>

#include <functional>

namespace luma {

// What a walk through a folder found.
struct FolderWalk {
    QStringList files;  // in natural order of their paths
    int leftOut = 0;    // files the list does not take
    bool cancelled = false;
};

// Every file below `folder`, in its subfolders too, that `accept` takes, sorted by path in natural
// order ("2.jpg" before "10.jpg"). Each folder is walked in natural order, and folders reached
// through symbolic links only after every folder reached without one, so that a folder a link
// leads to is listed under its own path. Hidden files and folders are not looked at; a folder
// reached again (a link loop, a second link) is walked once, and a folder that cannot be read is
// passed over. `keepGoing` is asked before every entry, with the number seen so far; when it says
// no the walk stops, cancelled, with nothing found. The walk runs on any thread: `accept` and
// `keepGoing` are called on the caller's.
FolderWalk walkFolder(const QString& folder, const std::function<bool(const QString&)>& accept,
                      const std::function<bool(int seen)>& keepGoing = {});

// Sorts paths in natural order: numbers by their value, letters without regard to case.
void sortNaturally(QStringList& paths);

}  // namespace luma
