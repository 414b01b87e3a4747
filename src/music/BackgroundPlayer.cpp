#include "music/BackgroundPlayer.h"
#include "music/PlayerIds.h"

#include "music/CdTracks.h"
#include "music/DeviceRoutines.h"
#include "music/EndPolls.h"
#include "music/EntryKind.h"
#include "platform/DriveList.h"
#include "platform/MediaControl.h"
#include "platform/Mp3Player.h"
#include "runtime/Numbers.h"
#include "runtime/PendingEvents.h"
#include "runtime/Random.h"
#include "settings/SettingsKeys.h"
#include "settings/StoredList.h"
#include "startup/Program.h"

#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <cstdio>

namespace luma {
namespace {

constexpr int kPollMs = 1000;

}  // namespace

BackgroundPlayer::BackgroundPlayer(Program& program)
    : cdEndPoll(program.timers(), kPollMs),
      waveEndPoll(program.timers(), kPollMs),
      midiEndPoll(program.timers(), kPollMs),
      mp3EndPoll(program.timers(), kPollMs),
      skipTimer(program.timers(), kPollMs),
      program_(program) {
    setObjectName(player_ids::kPlayer);
    setWindowTitle(QStringLiteral("Music player"));
    auto* layout = new QVBoxLayout(this);
    trackListBox = new QListWidget(this);
    trackListBox->setObjectName(player_ids::kTrackList);
    playlistBox = new QListWidget(this);
    playlistBox->setObjectName(player_ids::kPlaylist);
    layout->addWidget(trackListBox);
    layout->addWidget(playlistBox);
    addCdButton(QString());
    driveButtons[0]->setVisible(false);

    cdEndPoll.setHandler([this] { pollCdEnd(); });
    waveEndPoll.setHandler([this] { pollWaveEnd(); });
    midiEndPoll.setHandler([this] { pollMidiEnd(); });
    mp3EndPoll.setHandler([this] { pollMp3End(); });
    skipTimer.setHandler([this] {
        skipTimer.setEnabled(false);
        entryFailed();
    });
}

BackgroundPlayer::~BackgroundPlayer() = default;

void BackgroundPlayer::load() {}

void BackgroundPlayer::unload() {
    disableTimers();
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
    for (Timer* timer : {&cdEndPoll, &waveEndPoll, &midiEndPoll, &mp3EndPoll, &skipTimer}) {
        timer->setEnabled(false);
    }
}

void BackgroundPlayer::addCdButton(const QString& caption) {
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
    silenceReported_ = false;
    failedPositions_.clear();
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
            addCdButton(caption);
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
    const int count = playlistBox->count();
    if (count == 0) {
        return;
    }
    if (program_.settings.randomOrder == 1) {
        program_.random().reseedFromClock();
        program_.playPosition = static_cast<std::int32_t>(count * program_.random().next()) + 1;
    } else if (program_.playPosition < count) {
        ++program_.playPosition;
    } else {
        program_.playPosition = 1;
    }
    if (program_.playPosition > count || program_.playPosition < 1) {
        program_.playPosition = 1;
    }
    program_.currentSelection = playlistBox->item(program_.playPosition - 1)->text();
    stopAllMusic();
    const QString entry = program_.currentSelection;
    switch (entryKind(entry)) {
        case EntryKind::Wave:
            playWaveEntry(entry);
            break;
        case EntryKind::Midi:
            playMidiEntry(entry);
            break;
        case EntryKind::Mp3:
            playMp3Entry(entry);
            break;
        case EntryKind::CdTrack:
            playCdEntry(entry);
            break;
        case EntryKind::None:
            skipTimer.setEnabled(true);
            break;
    }
}

void BackgroundPlayer::stopAllMusic() {
    stopAllDevices(program_);
    mp3EndPoll.setEnabled(false);
    cdEndPoll.setEnabled(false);
    waveEndPoll.setEnabled(false);
    midiEndPoll.setEnabled(false);
    skipTimer.setEnabled(false);
}

void BackgroundPlayer::playWaveEntry(const QString& entry) {
    // A file that does not open is found out by the poller: its device answers no length.
    playWaveFile(program_, entry);
    waveEndPoll.setEnabled(true);
}

void BackgroundPlayer::playMidiEntry(const QString& entry) {
    playMidiFile(program_, entry);
    midiEndPoll.setEnabled(true);
}

void BackgroundPlayer::playMp3Entry(const QString& entry) {
    if (!endsInMp3(entry)) {
        skipTimer.setEnabled(true);
        return;
    }
    playMp3File(program_, entry);
    mp3EndPoll.setEnabled(true);
}

void BackgroundPlayer::playCdEntry(const QString& entry) {
    // A new track starts at 0:00; the time seen on a track played before must not end this one.
    lastCdSeconds = 0;
    if (!playCdTrack(program_, entry)) {
        skipTimer.setEnabled(true);
        return;
    }
    cdEndPoll.setEnabled(true);
}

void BackgroundPlayer::pollCdEnd() {
    if (const std::optional<int> seconds = cdSecondsIntoTrack(program_)) {
        const auto t = static_cast<float>(*seconds);
        if (t < lastCdSeconds) {
            cdEndPoll.setEnabled(false);
            rewindCd(program_.media());
            entryEnded();
        }
        lastCdSeconds = t;
    }
    processPendingEvents();
}

void BackgroundPlayer::pollWaveEnd() {
    const WaveProgress progress = waveProgress(program_.media());
    if (progress.result != 0 || progress.length <= 0) {
        // Not open, or nothing to play: this entry cannot play.
        waveEndPoll.setEnabled(false);
        entryFailed();
    } else if (progress.fraction >= 1) {
        waveEndPoll.setEnabled(false);
        closeWave(program_.media());
        entryEnded();
    }
    processPendingEvents();
}

void BackgroundPlayer::pollMidiEnd() {
    const MidiMode mode = midiMode(program_.media());
    if (mode.result != 0) {
        midiEndPoll.setEnabled(false);
        entryFailed();
    } else if (mode.stopped) {
        midiEndPoll.setEnabled(false);
        entryEnded();
    }
    processPendingEvents();
}

void BackgroundPlayer::pollMp3End() {
    mp3Previous = mp3Current;
    mp3Current = static_cast<float>(program_.mp3().position());
    if (mp3Previous == mp3Current) {
        program_.mp3().stop();
        mp3EndPoll.setEnabled(false);
        if (mp3Current == 0) {
            entryFailed();  // it never started
        } else {
            entryEnded();
        }
    }
}

void BackgroundPlayer::entryEnded() {
    failedPositions_.clear();
    playNextEntry();
}

void BackgroundPlayer::entryFailed() {
    failedPositions_.insert(program_.playPosition);
    if (static_cast<int>(failedPositions_.size()) >= playlistBox->count()) {
        stopAllMusic();
        if (!silenceReported_) {
            silenceReported_ = true;
            std::fprintf(stderr,
                         "lumafolio: no entry of the playlist can be played; the music stops\n");
            std::fflush(stderr);
        }
        return;
    }
    playNextEntry();
}

}  // namespace luma
