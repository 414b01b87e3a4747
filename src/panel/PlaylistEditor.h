#pragma once

#include <QObject>
#include <QStringList>

namespace luma {

class ListFiller;
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
    void browseMusic();   // "...": one or more music or playlist files
    // "Add selection to list": the selection's text, or every file the dialog chose (a playlist
    // for its entries) when the selection has not been written since; a choice is added once.
    void addSelection();
    void addFolder();     // "add folder…"
    void addAllTracks();  // "Add ALL CD Tracks to list"
    void removeEntry();   // "remove selection from List"
    void chooseEntry(int row);
    void chooseTrack(int row);
    void refreshCdEntries();
    // Puts an entry into the selection; an earlier choice of the dialog no longer applies, even
    // when the text stays the same.
    void showSelection(const QString& entry);

    QStringList entries() const;

private:
    StoredList playlist() const;
    void showInList(const QStringList& entries);
    QString dialogStart() const;  // where the file dialogs open

    Program& program_;
    SoundTab& tab_;
    QString& lastDialogFile_;
    QStringList chosen_;  // what the file dialog chose last
    ListFiller* filler_;
};

}  // namespace luma
