#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace luma {

class CdDriveButtons;

// The "Sound" page: the frame "Playlist" with the disc's track list and drive buttons, the
// selection box, the playlist and the preview buttons. The behaviour is PlaylistEditor's,
// PanelPlayer's and PanelCdDrives'.
class SoundTab : public QWidget {
    Q_OBJECT
public:
    explicit SoundTab(QWidget* parent);

    QListWidget* trackListBox;
    QLabel* trackCountLabel;  // the number of tracks the device reported
    QLabel* tracksCaption;    // "Tracks"
    QLabel* updateCaption;    // "Update"
    CdDriveButtons* driveButtons;
    QLabel* driveLabel;               // "CD Drive:" and the drive in use
    QLabel* hiddenDriveLabel;         // hidden: "  Drive: " and the drive in use
    QPushButton* loadTracksButton;    // "Load CD tracks"
    QLineEdit* musicFileBox;          // the selection
    QPushButton* browseMusicButton;   // "..."
    QPushButton* addSelectionButton;  // "Add selection to list"
    QPushButton* addMusicFolderButton;
    QPushButton* addAllTracksButton;  // "Add ALL CD Tracks to list"
    QListWidget* playlistBox;
    QPushButton* playButton;         // "Play"
    QPushButton* stopButton;         // "stop"
    QPushButton* removeEntryButton;  // "remove selection from List"
    QPushButton* loadListButton;     // hidden: "load list"
};

}  // namespace luma
