#include "panel/PanelPlayer.h"

#include "music/DeviceRoutines.h"
#include "music/EndPolls.h"
#include "music/EntryKind.h"
#include "panel/SoundTab.h"
#include "platform/MediaControl.h"
#include "platform/Mp3Player.h"
#include "runtime/Numbers.h"
#include "runtime/PendingEvents.h"
#include "runtime/Random.h"
#include "startup/Program.h"

#include <QEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>

namespace luma {
namespace {

constexpr int kPollMs = 1000;

}  // namespace

PanelPlayer::PanelPlayer(Program& program, SoundTab& tab, std::function<bool()> panelOpen)
    : QObject(&tab),
      cdEndPoll(program.timers(), kPollMs),
      waveEndPoll(program.timers(), kPollMs),
      midiEndPoll(program.timers(), kPollMs),
      mp3EndPoll(program.timers(), kPollMs),
      program_(program),
      tab_(tab),
      panelOpen_(std::move(panelOpen)),
      playButton_(tab.playButton) {
    cdEndPoll.setHandler([this] { pollCdEnd(); });
    waveEndPoll.setHandler([this] { pollWaveEnd(); });
    midiEndPoll.setHandler([this] { pollMidiEnd(); });
    mp3EndPoll.setHandler([this] { pollMp3End(); });
    tab.playButton->installEventFilter(this);
    connect(tab.playButton, &QPushButton::clicked, this, [this] { playNextEntry(); });
    connect(tab.stopButton, &QPushButton::clicked, this, &PanelPlayer::stopAllMusic);
}

bool PanelPlayer::eventFilter(QObject* watched, QEvent* event) {
    if (watched == playButton_ && (event->type() == QEvent::MouseButtonPress ||
                                   event->type() == QEvent::MouseButtonDblClick)) {
        notePlayPressed();
    }
    return QObject::eventFilter(watched, event);
}

void PanelPlayer::notePlayPressed() {
    playSelected = true;
}

bool PanelPlayer::playNextEntry() {
    QListWidget* list = tab_.playlistBox;
    const int count = list->count();
    if (count == 0) {
        return true;
    }
    if (!playSelected) {
        if (program_.settings.randomOrder == 1) {
            program_.random().reseedFromClock();
            position = static_cast<int>(count * program_.random().next()) + 1;
        } else {
            ++position;
        }
        if (position > count || position < 1) {
            position = 1;
        }
        program_.currentSelection = list->item(position - 1)->text();
    } else {
        const QListWidgetItem* selected = list->currentItem();
        program_.currentSelection =
            selected != nullptr && selected->isSelected() ? selected->text() : QString();
    }
    tab_.musicFileBox->setText(program_.currentSelection);
    playSelected = false;
    // A click landing now may close the panel: destroyed, or unloaded and waiting to go.
    const QPointer<PanelPlayer> alive(this);
    processPendingEvents();
    if (alive.isNull() || !panelOpen_()) {
        return false;
    }
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
            break;
    }
    return true;
}

void PanelPlayer::stopAllMusic() {
    stopAllDevices(program_);
    lastCdTime = QStringLiteral("0");
    disableTimers();
}

void PanelPlayer::disableTimers() {
    cdEndPoll.setEnabled(false);
    waveEndPoll.setEnabled(false);
    midiEndPoll.setEnabled(false);
    mp3EndPoll.setEnabled(false);
}

void PanelPlayer::playWaveEntry(const QString& entry) {
    playWaveFile(program_, entry);
    waveEndPoll.setEnabled(true);
}

void PanelPlayer::playMidiEntry(const QString& entry) {
    playMidiFile(program_, entry);
    midiEndPoll.setEnabled(true);
}

void PanelPlayer::playMp3Entry(const QString& entry) {
    if (!endsInMp3(tab_.musicFileBox->text())) {
        return;
    }
    playMp3File(program_, entry);
    mp3EndPoll.setEnabled(true);
}

void PanelPlayer::playCdEntry(const QString& entry) {
    lastCdTime = QStringLiteral("0");
    playCdTrack(program_, entry);
    cdEndPoll.setEnabled(true);
}

void PanelPlayer::pollCdEnd() {
    const std::optional<int> t = cdSecondsIntoTrack(program_);
    if (!t) {
        return;
    }
    if (*t < numericValue(lastCdTime)) {
        cdEndPoll.setEnabled(false);
        rewindCd(program_.media());
        if (!playNextEntry()) {
            return;
        }
    }
    lastCdTime = QString::number(*t);
}

void PanelPlayer::pollWaveEnd() {
    if (waveProgress(program_.media()).fraction >= 1) {
        waveEndPoll.setEnabled(false);
        closeWave(program_.media());
        playNextEntry();
    }
}

void PanelPlayer::pollMidiEnd() {
    if (midiMode(program_.media()).stopped) {
        midiEndPoll.setEnabled(false);
        lastCdTime = QStringLiteral("0");
        playNextEntry();
    }
}

void PanelPlayer::pollMp3End() {
    program_.player();  // the media player lives on the player window
    Mp3Player& mp3 = program_.mp3();
    mp3Previous = mp3Current;
    mp3Current = mp3.position();
    if (mp3Previous == mp3Current) {
        mp3.stop();
        lastCdTime = QStringLiteral("0");
        mp3EndPoll.setEnabled(false);
        playNextEntry();
    }
}

}  // namespace luma
