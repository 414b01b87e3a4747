#include "music/frmPlayer.h"

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

frmPlayer::frmPlayer(Program& program)
    : Timer2(program.timers(), kPollMs),
      Timer3(program.timers(), kPollMs),
      Timer4(program.timers(), kPollMs),
      Timer5(program.timers(), kPollMs),
      SkipTimer(program.timers(), kPollMs),
      program_(program) {
    setObjectName(QStringLiteral("frmPlayer"));
    setWindowTitle(QStringLiteral("Music player"));
    auto* layout = new QVBoxLayout(this);
    List3 = new QListWidget(this);
    List3->setObjectName(QStringLiteral("List3"));
    List4 = new QListWidget(this);
    List4->setObjectName(QStringLiteral("List4"));
    layout->addWidget(List3);
    layout->addWidget(List4);
    addCdButton(QString());
    CD[0]->setVisible(false);

    Timer2.setHandler([this] { Timer2_Timer(); });
    Timer3.setHandler([this] { Timer3_Timer(); });
    Timer4.setHandler([this] { Timer4_Timer(); });
    Timer5.setHandler([this] { Timer5_Timer(); });
    SkipTimer.setHandler([this] {
        SkipTimer.setEnabled(false);
        entryFailed();
    });
}

frmPlayer::~frmPlayer() = default;

void frmPlayer::load() {}

void frmPlayer::unload() {
    disableTimers();
    program_.mp3().stop();
}

void frmPlayer::showWindow() {
    show();
}

void frmPlayer::hideWindow() {
    hide();
}

bool frmPlayer::isShown() const {
    return isVisible();
}

void frmPlayer::disableTimers() {
    for (Timer* timer : {&Timer2, &Timer3, &Timer4, &Timer5, &SkipTimer}) {
        timer->setEnabled(false);
    }
}

void frmPlayer::addCdButton(const QString& caption) {
    auto* button = new QPushButton(caption, this);
    button->setObjectName(QStringLiteral("CD"));
    button->setProperty("index", static_cast<int>(CD.size()));
    if (!CD.empty()) {
        const QPushButton* previous = CD.back();
        button->move(previous->x() + previous->width(), previous->y());
    }
    CD.push_back(button);
}

void frmPlayer::StartMusic() {
    if (program_.settings.bsound != 1) {
        return;
    }
    silenceReported_ = false;
    failedPositions_.clear();
    Command29_Click();
    Command31_Click();
    PlayNextSelection();
}

void frmPlayer::Command29_Click() {
    List3->clear();
    const CdTrackListing listing = listCdTracks(program_.media());
    for (qsizetype i = 0; i < listing.tracks.size(); ++i) {
        auto* item = new QListWidgetItem(listing.tracks[i], List3);
        item->setData(Qt::UserRole, static_cast<int>(i + 1));
    }
    FindCdDrives();
}

void frmPlayer::FindCdDrives() {
    // A repeated scan shows the drives found now; the drive in use stays if it is still there.
    while (CD.size() > 1) {
        delete CD.back();
        CD.pop_back();
    }
    CD[0]->setText(QString());
    CD[0]->setVisible(false);
    const QStringList roots = program_.drives().cdDrives();
    bool currentStillThere = false;
    for (const QString& root : roots) {
        const QString caption = cdDriveCaption(root);
        currentStillThere = currentStillThere || caption == program_.CurrentCdDrive;
        if (CD[0]->text().isEmpty()) {
            CD[0]->setText(caption);
        } else {
            addCdButton(caption);
        }
        CD.back()->setVisible(true);
    }
    if (!CD[0]->text().isEmpty()) {
        if (!currentStillThere) {
            program_.CurrentCdDrive = CD[0]->text();
        }
        OpenCdDrive(program_);
    }
}

void frmPlayer::Command31_Click() {
    List4->addItems(StoredList(program_.store(), keys::kMusic).readAll());
}

void frmPlayer::PlayNextSelection() {
    const int count = List4->count();
    if (count == 0) {
        return;
    }
    if (program_.settings.randomOrder == 1) {
        program_.random().reseedFromClock();
        program_.PlayPosition = static_cast<std::int32_t>(count * program_.random().next()) + 1;
    } else if (program_.PlayPosition < count) {
        ++program_.PlayPosition;
    } else {
        program_.PlayPosition = 1;
    }
    if (program_.PlayPosition > count || program_.PlayPosition < 1) {
        program_.PlayPosition = 1;
    }
    program_.CurrentSelection = List4->item(program_.PlayPosition - 1)->text();
    Command35_Click();
    const QString entry = program_.CurrentSelection;
    switch (entryKind(entry)) {
        case EntryKind::Wave:
            PlayWaveItem(entry);
            break;
        case EntryKind::Midi:
            PlayMidiItem(entry);
            break;
        case EntryKind::Mp3:
            PlayMp3Item(entry);
            break;
        case EntryKind::CdTrack:
            PlayCdItem(entry);
            break;
        case EntryKind::None:
            SkipTimer.setEnabled(true);
            break;
    }
}

void frmPlayer::Command35_Click() {
    StopAllMusic(program_);
    Timer5.setEnabled(false);
    Timer2.setEnabled(false);
    Timer3.setEnabled(false);
    Timer4.setEnabled(false);
    SkipTimer.setEnabled(false);
}

void frmPlayer::PlayWaveItem(const QString& entry) {
    // A file that does not open is found out by the poller: its device answers no length.
    PlayWaveFile(program_, entry);
    Timer3.setEnabled(true);
}

void frmPlayer::PlayMidiItem(const QString& entry) {
    PlayMidiFile(program_, entry);
    Timer4.setEnabled(true);
}

void frmPlayer::PlayMp3Item(const QString& entry) {
    if (!endsInMp3(entry)) {
        SkipTimer.setEnabled(true);
        return;
    }
    PlayMp3File(program_, entry);
    Timer5.setEnabled(true);
}

void frmPlayer::PlayCdItem(const QString& entry) {
    // A new track starts at 0:00; the time seen on a track played before must not end this one.
    LastCdSeconds = 0;
    if (!PlayCdTrack(program_, entry)) {
        SkipTimer.setEnabled(true);
        return;
    }
    Timer2.setEnabled(true);
}

void frmPlayer::Timer2_Timer() {
    if (const std::optional<int> seconds = cdSecondsIntoTrack(program_)) {
        const auto t = static_cast<float>(*seconds);
        if (t < LastCdSeconds) {
            Timer2.setEnabled(false);
            rewindCd(program_.media());
            entryEnded();
        }
        LastCdSeconds = t;
    }
    processPendingEvents();
}

void frmPlayer::Timer3_Timer() {
    const WaveProgress progress = waveProgress(program_.media());
    if (progress.result != 0 || progress.length <= 0) {
        // Not open, or nothing to play: this entry cannot play.
        Timer3.setEnabled(false);
        entryFailed();
    } else if (progress.fraction >= 1) {
        Timer3.setEnabled(false);
        closeWave(program_.media());
        entryEnded();
    }
    processPendingEvents();
}

void frmPlayer::Timer4_Timer() {
    const MidiMode mode = midiMode(program_.media());
    if (mode.result != 0) {
        Timer4.setEnabled(false);
        entryFailed();
    } else if (mode.stopped) {
        Timer4.setEnabled(false);
        entryEnded();
    }
    processPendingEvents();
}

void frmPlayer::Timer5_Timer() {
    Mp3Previous = Mp3Current;
    Mp3Current = static_cast<float>(program_.mp3().position());
    if (Mp3Previous == Mp3Current) {
        program_.mp3().stop();
        Timer5.setEnabled(false);
        if (Mp3Current == 0) {
            entryFailed();  // it never started
        } else {
            entryEnded();
        }
    }
}

void frmPlayer::entryEnded() {
    failedPositions_.clear();
    PlayNextSelection();
}

void frmPlayer::entryFailed() {
    failedPositions_.insert(program_.PlayPosition);
    if (static_cast<int>(failedPositions_.size()) >= List4->count()) {
        Command35_Click();
        if (!silenceReported_) {
            silenceReported_ = true;
            std::fprintf(stderr,
                         "lumafolio: no entry of the playlist can be played; the music stops\n");
            std::fflush(stderr);
        }
        return;
    }
    PlayNextSelection();
}

}  // namespace luma
