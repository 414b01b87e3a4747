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
      Timer2(program.timers(), kPollMs),
      Timer3(program.timers(), kPollMs),
      Timer4(program.timers(), kPollMs),
      Timer5(program.timers(), kPollMs),
      program_(program),
      tab_(tab),
      panelOpen_(std::move(panelOpen)),
      playButton_(tab.Command32) {
    Timer2.setHandler([this] { Timer2_Timer(); });
    Timer3.setHandler([this] { Timer3_Timer(); });
    Timer4.setHandler([this] { Timer4_Timer(); });
    Timer5.setHandler([this] { Timer5_Timer(); });
    tab.Command32->installEventFilter(this);
    connect(tab.Command32, &QPushButton::clicked, this, [this] { Command32_Click(); });
    connect(tab.Command35, &QPushButton::clicked, this, &PanelPlayer::Command35_Click);
}

bool PanelPlayer::eventFilter(QObject* watched, QEvent* event) {
    if (watched == playButton_ && (event->type() == QEvent::MouseButtonPress ||
                                   event->type() == QEvent::MouseButtonDblClick)) {
        Command32_MouseDown();
    }
    return QObject::eventFilter(watched, event);
}

void PanelPlayer::Command32_MouseDown() {
    PlaySelectedFlag = true;
}

bool PanelPlayer::Command32_Click() {
    QListWidget* list = tab_.List4;
    const int count = list->count();
    if (count == 0) {
        return true;
    }
    if (!PlaySelectedFlag) {
        if (program_.settings.randomOrder == 1) {
            program_.random().reseedFromClock();
            PanelPosition = static_cast<int>(count * program_.random().next()) + 1;
        } else {
            ++PanelPosition;
        }
        if (PanelPosition > count || PanelPosition < 1) {
            PanelPosition = 1;
        }
        program_.CurrentSelection = list->item(PanelPosition - 1)->text();
    } else {
        const QListWidgetItem* selected = list->currentItem();
        program_.CurrentSelection =
            selected != nullptr && selected->isSelected() ? selected->text() : QString();
    }
    tab_.txtMusic->setText(program_.CurrentSelection);
    PlaySelectedFlag = false;
    // A click landing now may close the panel: destroyed, or unloaded and waiting to go.
    const QPointer<PanelPlayer> alive(this);
    processPendingEvents();
    if (alive.isNull() || !panelOpen_()) {
        return false;
    }
    Command35_Click();
    const QString entry = program_.CurrentSelection;
    switch (entryKind(entry)) {
        case EntryKind::Wave:
            PanelPlayWave(entry);
            break;
        case EntryKind::Midi:
            PanelPlayMidi(entry);
            break;
        case EntryKind::Mp3:
            PanelPlayMp3(entry);
            break;
        case EntryKind::CdTrack:
            PanelPlayCd(entry);
            break;
        case EntryKind::None:
            break;
    }
    return true;
}

void PanelPlayer::Command35_Click() {
    StopAllMusic(program_);
    PanelLastCdTime = QStringLiteral("0");
    disableTimers();
}

void PanelPlayer::disableTimers() {
    Timer2.setEnabled(false);
    Timer3.setEnabled(false);
    Timer4.setEnabled(false);
    Timer5.setEnabled(false);
}

void PanelPlayer::PanelPlayWave(const QString& entry) {
    PlayWaveFile(program_, entry);
    Timer3.setEnabled(true);
}

void PanelPlayer::PanelPlayMidi(const QString& entry) {
    PlayMidiFile(program_, entry);
    Timer4.setEnabled(true);
}

void PanelPlayer::PanelPlayMp3(const QString& entry) {
    if (!endsInMp3(tab_.txtMusic->text())) {
        return;
    }
    PlayMp3File(program_, entry);
    Timer5.setEnabled(true);
}

void PanelPlayer::PanelPlayCd(const QString& entry) {
    PanelLastCdTime = QStringLiteral("0");
    PlayCdTrack(program_, entry);
    Timer2.setEnabled(true);
}

void PanelPlayer::Timer2_Timer() {
    const std::optional<int> t = cdSecondsIntoTrack(program_);
    if (!t) {
        return;
    }
    if (*t < numericValue(PanelLastCdTime)) {
        Timer2.setEnabled(false);
        rewindCd(program_.media());
        if (!Command32_Click()) {
            return;
        }
    }
    PanelLastCdTime = QString::number(*t);
}

void PanelPlayer::Timer3_Timer() {
    if (waveProgress(program_.media()).fraction >= 1) {
        Timer3.setEnabled(false);
        closeWave(program_.media());
        Command32_Click();
    }
}

void PanelPlayer::Timer4_Timer() {
    if (midiMode(program_.media()).stopped) {
        Timer4.setEnabled(false);
        PanelLastCdTime = QStringLiteral("0");
        Command32_Click();
    }
}

void PanelPlayer::Timer5_Timer() {
    program_.player();  // the media player lives on the player window
    Mp3Player& mp3 = program_.mp3();
    PanelMp3Previous = PanelMp3Current;
    PanelMp3Current = mp3.position();
    if (PanelMp3Previous == PanelMp3Current) {
        mp3.stop();
        PanelLastCdTime = QStringLiteral("0");
        Timer5.setEnabled(false);
        Command32_Click();
    }
}

}  // namespace luma
