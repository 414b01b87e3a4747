#include "panel/PanelCdDrives.h"

#include "music/CdTracks.h"
#include "panel/CdDriveButtons.h"
#include "panel/PlaylistEditor.h"
#include "panel/SoundTab.h"
#include "platform/DriveList.h"
#include "platform/MediaControl.h"
#include "startup/Program.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>

namespace luma {
namespace {

// Drive-letter roots are shown in upper case; device and image paths keep their case.
QString driveCaption(const QString& root) {
    static const QRegularExpression letterRoot(QStringLiteral("^[A-Za-z]:\\\\$"));
    return letterRoot.match(root).hasMatch() ? root.toUpper() : root;
}

}  // namespace

PanelCdDrives::PanelCdDrives(Program& program, SoundTab& tab, PlaylistEditor& playlist)
    : QObject(&tab), program_(program), tab_(tab), playlist_(playlist) {
    connect(tab.loadTracksButton, &QPushButton::clicked, this, &PanelCdDrives::loadCdTracks);
    connect(tab.driveButtons, &CdDriveButtons::driveClicked, this, &PanelCdDrives::chooseDrive);
}

void PanelCdDrives::loadCdTracks() {
    tab_.trackListBox->clear();
    const CdTrackListing listing = listCdTracks(program_.media());
    if (listing.opened) {
        tab_.trackCountLabel->setText(listing.countText);
        for (qsizetype i = 0; i < listing.tracks.size(); ++i) {
            auto* item = new QListWidgetItem(listing.tracks[i]);
            item->setData(Qt::UserRole, static_cast<int>(i + 1));
            tab_.trackListBox->addItem(item);
        }
    }
    findCdDrives();
}

void PanelCdDrives::findCdDrives() {
    QStringList roots;
    for (const QString& root : program_.drives().cdDrives()) {
        if (!root.isEmpty()) {
            roots.append(driveCaption(root));
        }
    }
    const bool first = tab_.driveButtons->caption(0).isEmpty();
    tab_.driveButtons->setDrives(roots);
    if (roots.isEmpty()) {
        return;
    }
    if (first || !roots.contains(program_.currentCdDrive)) {
        program_.currentCdDrive = roots.first();
    }
    openDriveInUse();
}

void PanelCdDrives::openDriveInUse() {
    const QString& drive = program_.currentCdDrive;
    // Without a drive there is nothing to open.
    if (!drive.isEmpty()) {
        program_.media().send(QStringLiteral("open  ") + drive +
                              QStringLiteral(" type cdaudio alias cd wait shareable"));
        program_.media().send(QStringLiteral("set cd time format tmsf"));
    }
    tab_.driveLabel->setText(QStringLiteral("CD Drive:") + drive);
    tab_.hiddenDriveLabel->setText(QStringLiteral("  Drive: ") + drive);
}

void PanelCdDrives::chooseDrive(int index) {
    const QString root = tab_.driveButtons->caption(index);
    if (root.isEmpty()) {
        return;
    }
    program_.media().send(QStringLiteral("stop cd"));
    program_.media().send(QStringLiteral("close cd"));
    program_.currentCdDrive = root;
    openDriveInUse();
    playlist_.refreshCdEntries();
}

}  // namespace luma
