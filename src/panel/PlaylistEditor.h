#pragma once

#include <QObject>
#include <QStringList>

namespace luma {

class Program;
class SoundTab;
class StoredList;

// What the "Sound" page does to the playlist: loads it from the store, browses for a music file,
// appends the selection or every CD track, removes an entry, copies clicked entries into the
// selection box and brings CD entries up to date with the disc. Every change is written through
// to the store at once; a rebuild is written in one piece.
class PlaylistEditor : public QObject {
    Q_OBJECT
public:
    PlaylistEditor(Program& program, SoundTab& tab, QString& lastDialogFile);

    void loadPlaylist();  // load the stored playlist (the hidden "load list")
    void browseMusic();   // "..."
    void addSelection();  // "Add selection to list"
    void addAllTracks();  // "Add ALL CD Tracks to list"
    void removeEntry();   // "remove selection from List"
    void chooseEntry(int row);
    void chooseTrack(int row);
    void refreshCdEntries();

    QStringList entries() const;

private:
    StoredList playlist() const;
    void showInList(const QStringList& entries);

    Program& program_;
    SoundTab& tab_;
    QString& lastDialogFile_;
};

}  // namespace luma
