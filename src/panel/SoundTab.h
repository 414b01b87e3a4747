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

    QListWidget* List3;      // the disc's tracks
    QLabel* Label3;          // the number of tracks the device reported
    QLabel* Label20;         // "Tracks"
    QLabel* Label23;         // "Update"
    CdDriveButtons* CD;      // the drive buttons
    QLabel* Label4;          // "CD Drive:" and the drive in use
    QLabel* Label15;         // hidden: "  Drive: " and the drive in use
    QPushButton* Command29;  // "Load CD tracks"
    QLineEdit* txtMusic;     // the selection
    QPushButton* Command27;  // "..."
    QPushButton* Command28;  // "Add selection to list"
    QPushButton* Command3;   // "Add ALL CD Tracks to list"
    QListWidget* List4;      // the playlist
    QPushButton* Command32;  // "Play"
    QPushButton* Command35;  // "stop"
    QPushButton* Command36;  // "remove selection from List"
    QPushButton* Command31;  // hidden: "load list"
};

}  // namespace luma
