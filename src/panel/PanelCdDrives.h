#pragma once

#include <QObject>

namespace luma {

class PlaylistEditor;
class Program;
class SoundTab;

// The panel's side of the CD: lists the disc's tracks, finds the drives and shows them as buttons,
// opens the drive in use and lets the user choose another one.
class PanelCdDrives : public QObject {
    Q_OBJECT
public:
    PanelCdDrives(Program& program, SoundTab& tab, PlaylistEditor& playlist);

    // The track listing into `trackListBox`, with the count in `trackCountLabel`; then
    // findCdDrives.
    void loadCdTracks();
    // One button per drive. The first scan makes the first drive the one in use; a later scan
    // rebuilds the buttons and keeps the drive in use when it is still there. Then opens it.
    void findCdDrives();
    // Opens the drive in use as "cd" in time format tmsf and shows it in `driveLabel` and
    // `hiddenDriveLabel`.
    void openDriveInUse();
    void chooseDrive(int index);

private:
    Program& program_;
    SoundTab& tab_;
    PlaylistEditor& playlist_;
};

}  // namespace luma
