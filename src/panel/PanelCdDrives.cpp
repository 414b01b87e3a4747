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
    connect(tab.Command29, &QPushButton::clicked, this, &PanelCdDrives::Command29_Click);
    connect(tab.CD, &CdDriveButtons::driveClicked, this, &PanelCdDrives::CD_Click);
}

void PanelCdDrives::Command29_Click() {
    tab_.List3->clear();
    const CdTrackListing listing = listCdTracks(program_.media());
    if (listing.opened) {
        tab_.Label3->setText(listing.countText);
        for (qsizetype i = 0; i < listing.tracks.size(); ++i) {
            auto* item = new QListWidgetItem(listing.tracks[i]);
            item->setData(Qt::UserRole, static_cast<int>(i + 1));
            tab_.List3->addItem(item);
        }
    }
    FindCdDrives();
}

void PanelCdDrives::FindCdDrives() {
    QStringList roots;
    for (const QString& root : program_.drives().cdDrives()) {
        if (!root.isEmpty()) {
            roots.append(driveCaption(root));
        }
    }
    const bool first = tab_.CD->caption(0).isEmpty();
    tab_.CD->setDrives(roots);
    if (roots.isEmpty()) {
        return;
    }
    if (first || !roots.contains(program_.CurrentCdDrive)) {
        program_.CurrentCdDrive = roots.first();
    }
    UpDate_Cds();
}

void PanelCdDrives::UpDate_Cds() {
    const QString& drive = program_.CurrentCdDrive;
    // Without a drive there is nothing to open.
    if (!drive.isEmpty()) {
        program_.media().send(QStringLiteral("open  ") + drive +
                              QStringLiteral(" type cdaudio alias cd wait shareable"));
        program_.media().send(QStringLiteral("set cd time format tmsf"));
    }
    tab_.Label4->setText(QStringLiteral("CD Drive:") + drive);
    tab_.Label15->setText(QStringLiteral("  Drive: ") + drive);
}

void PanelCdDrives::CD_Click(int index) {
    const QString root = tab_.CD->caption(index);
    if (root.isEmpty()) {
        return;
    }
    program_.media().send(QStringLiteral("stop cd"));
    program_.media().send(QStringLiteral("close cd"));
    program_.CurrentCdDrive = root;
    UpDate_Cds();
    playlist_.RefreshCdEntries();
}

}  // namespace luma
