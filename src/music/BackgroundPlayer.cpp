#include "music/BackgroundPlayer.h"
#include "music/PlayerIds.h"

#include "music/CdTracks.h"
#include "music/DeviceRoutines.h"
#include "music/ListTexts.h"
#include "platform/DriveList.h"
#include "platform/Mp3Player.h"
#include "settings/SettingsKeys.h"
#include "settings/StoredList.h"
#include "startup/Program.h"

#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace luma {
namespace {

PlaylistPlayer::Options passingOver() {
    PlaylistPlayer::Options options;
    options.passOverUnplayable = true;
    options.pollsLetEventsRun = true;
    return options;
}

}  // namespace

BackgroundPlayer::BackgroundPlayer(Program& program)
    : program_(program),
      music_(
          PlayerDevices{program.media(), [&program]() -> Mp3Player& { return program.mp3(); },
                        program.random(), program.timers(), program.cdReply,
                        program.currentSelection},
          passingOver(), [this] { return listTexts(playlistBox); }, program.playPosition,
          program.settings.randomOrder) {
    setObjectName(player_ids::kPlayer);
    setWindowTitle(QStringLiteral("Music player"));
    auto* layout = new QVBoxLayout(this);
    trackListBox = new QListWidget(this);
    trackListBox->setObjectName(player_ids::kTrackList);
    playlistBox = new QListWidget(this);
    playlistBox->setObjectName(player_ids::kPlaylist);
    layout->addWidget(trackListBox);
    layout->addWidget(playlistBox);
    addDriveButton(QString());
    driveButtons[0]->setVisible(false);
}

BackgroundPlayer::~BackgroundPlayer() = default;

void BackgroundPlayer::unload() {
    music_.stopPollers();
    program_.mp3().stop();
}

void BackgroundPlayer::showWindow() {
    show();
}

void BackgroundPlayer::hideWindow() {
    hide();
}

bool BackgroundPlayer::isShown() const {
    return isVisible();
}

void BackgroundPlayer::disableTimers() {
    music_.stopPollers();
}

void BackgroundPlayer::addDriveButton(const QString& caption) {
    auto* button = new QPushButton(caption, this);
    button->setObjectName(player_ids::kDriveButton);
    button->setProperty("index", static_cast<int>(driveButtons.size()));
    if (!driveButtons.empty()) {
        const QPushButton* previous = driveButtons.back();
        button->move(previous->x() + previous->width(), previous->y());
    }
    driveButtons.push_back(button);
}

void BackgroundPlayer::startMusic() {
    if (program_.settings.bsound != 1) {
        return;
    }
    music_.resetFailures();
    loadCdTracks();
    loadPlaylist();
    playNextEntry();
}

void BackgroundPlayer::loadCdTracks() {
    trackListBox->clear();
    const CdTrackListing listing = listCdTracks(program_.media());
    for (qsizetype i = 0; i < listing.tracks.size(); ++i) {
        auto* item = new QListWidgetItem(listing.tracks[i], trackListBox);
        item->setData(Qt::UserRole, static_cast<int>(i + 1));
    }
    findCdDrives();
}

void BackgroundPlayer::findCdDrives() {
    // A repeated scan shows the drives found now; the drive in use stays if it is still there.
    while (driveButtons.size() > 1) {
        delete driveButtons.back();
        driveButtons.pop_back();
    }
    driveButtons[0]->setText(QString());
    driveButtons[0]->setVisible(false);
    const QStringList roots = program_.drives().cdDrives();
    bool currentStillThere = false;
    for (const QString& root : roots) {
        const QString caption = cdDriveCaption(root);
        currentStillThere = currentStillThere || caption == program_.currentCdDrive;
        if (driveButtons[0]->text().isEmpty()) {
            driveButtons[0]->setText(caption);
        } else {
            addDriveButton(caption);
        }
        driveButtons.back()->setVisible(true);
    }
    if (!driveButtons[0]->text().isEmpty()) {
        if (!currentStillThere) {
            program_.currentCdDrive = driveButtons[0]->text();
        }
        openCdDrive(program_);
    }
}

void BackgroundPlayer::loadPlaylist() {
    playlistBox->addItems(StoredList(program_.store(), keys::kMusic).readAll());
}

void BackgroundPlayer::playNextEntry() {
    music_.playNext();
}

void BackgroundPlayer::stopAllMusic() {
    music_.stop();
}

}  // namespace luma
