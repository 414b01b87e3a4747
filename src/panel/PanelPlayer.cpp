#include "panel/PanelPlayer.h"

#include "music/DeviceRoutines.h"
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

// A two-digit field of a position reply such as "02:03:59:10"; 0 when it is not a number.
int positionField(const QString& reply, qsizetype from) {
    return toInt16(reply.mid(from, 2)).value_or(0);
}

}  // namespace

PanelPlayer::PanelPlayer(Program& program, SoundTab& tab)
    : QObject(&tab),
      Timer2(program.timers(), kPollMs),
      Timer3(program.timers(), kPollMs),
      Timer4(program.timers(), kPollMs),
      Timer5(program.timers(), kPollMs),
      program_(program),
      tab_(tab) {
    Timer2.setHandler([this] { Timer2_Timer(); });
    Timer3.setHandler([this] { Timer3_Timer(); });
    Timer4.setHandler([this] { Timer4_Timer(); });
    Timer5.setHandler([this] { Timer5_Timer(); });
    tab.Command32->installEventFilter(this);
    connect(tab.Command32, &QPushButton::clicked, this, &PanelPlayer::Command32_Click);
    connect(tab.Command35, &QPushButton::clicked, this, &PanelPlayer::Command35_Click);
}

bool PanelPlayer::eventFilter(QObject* watched, QEvent* event) {
    if (watched == tab_.Command32 && (event->type() == QEvent::MouseButtonPress ||
                                      event->type() == QEvent::MouseButtonDblClick)) {
        Command32_MouseDown();
    }
    return QObject::eventFilter(watched, event);
}

void PanelPlayer::Command32_MouseDown() {
    PlaySelectedFlag = true;
}

void PanelPlayer::Command32_Click() {
    QListWidget* list = tab_.List4;
    const int count = list->count();
    if (count == 0) {
        return;
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
    const QPointer<SoundTab> alive(&tab_);
    processPendingEvents();
    if (alive.isNull()) {
        return;  // the panel went away meanwhile, and this player with it
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
    MediaControl& media = program_.media();
    media.send(QStringLiteral("status cd media present"), &program_.CdReply, kCdReplyLength);
    if (!program_.CdReply.startsWith(QStringLiteral("true"))) {
        return;
    }
    media.send(QStringLiteral("status cd position"), &program_.CdReply, kCdReplyLength);
    const int t = 60 * positionField(program_.CdReply, 3) + positionField(program_.CdReply, 6);
    if (t < numericValue(PanelLastCdTime)) {
        Timer2.setEnabled(false);
        media.send(QStringLiteral("stop cd wait"));
        media.send(QStringLiteral("seek cd to 1 wait"));
        Command32_Click();
    }
    PanelLastCdTime = QString::number(t);
}

void PanelPlayer::Timer3_Timer() {
    MediaControl& media = program_.media();
    QString reply(kReplyLength, u' ');
    media.send(QStringLiteral("status sound length"), &reply, kReplyLength);
    const double length = numericValue(reply);
    float f = 0;
    if (length != 0) {
        reply = QString(kReplyLength, u' ');
        media.send(QStringLiteral("status sound position"), &reply, kReplyLength);
        f = static_cast<float>(numericValue(reply)) / static_cast<float>(length);
    }
    if (f >= 1) {
        Timer3.setEnabled(false);
        QString closing(kReplyLength, u' ');
        media.send(QStringLiteral("stop sound"), &closing, kReplyLength);
        media.send(QStringLiteral("close sound"), &closing, kReplyLength);
        Command32_Click();
    }
}

void PanelPlayer::Timer4_Timer() {
    QString reply(kCdReplyLength, u' ');
    program_.media().send(QStringLiteral("status midi mode"), &reply, kCdReplyLength);
    if (reply.left(7) == u"stopped") {
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
