#pragma once

#include "music/PlaylistPlayer.h"
#include "startup/Windows.h"

#include <QWidget>

#include <vector>

class QListWidget;
class QPushButton;

namespace luma {

class Program;

// The hidden music player window: walks the stored playlist endlessly, in order or at random,
// from the position where the program's last playing stopped.
//
// An entry that cannot play (no kind, a file that does not open, a disc that is missing) is passed
// over at the next tick; when no entry of the playlist can play, the player stops and says so once.
class BackgroundPlayer : public QWidget, public PlayerWindow {
public:
    explicit BackgroundPlayer(Program& program);
    ~BackgroundPlayer() override;

    // PlayerWindow
    void unload() override;
    void showWindow() override;
    void hideWindow() override;
    bool isShown() const override;
    void disableTimers() override;
    void startMusic() override;
    void stopAllMusic() override;

    // Lists the disc's tracks, then finds the drives and opens the first.
    void loadCdTracks();
    // Appends the stored playlist to the one the window holds.
    void loadPlaylist();
    void playNextEntry();
    void findCdDrives();

    PlaylistPlayer& music() { return music_; }

    QListWidget* trackListBox = nullptr;
    QListWidget* playlistBox = nullptr;
    std::vector<QPushButton*> driveButtons;  // element 0 exists from the start

private:
    void addDriveButton(const QString& caption);

    Program& program_;
    PlaylistPlayer music_;
};

}  // namespace luma
