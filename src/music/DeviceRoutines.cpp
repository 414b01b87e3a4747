#include "music/DeviceRoutines.h"

#include "music/CdTracks.h"
#include "platform/MediaControl.h"
#include "platform/Mp3Player.h"
#include "startup/Program.h"

namespace luma {
namespace {

int sendWithReply(Program& program, const QString& command) {
    QString reply(kReplyLength, u' ');
    return program.media().send(command, &reply, kReplyLength);
}

// Opens `path` under `alias` and plays it when the open succeeded.
bool openAndPlay(Program& program, const QString& type, const QString& path, const QString& alias) {
    if (sendWithReply(program, QStringLiteral("open ") + type + u'!' + path +
                                   QStringLiteral(" alias ") + alias) != 0) {
        return false;
    }
    return sendWithReply(program, QStringLiteral("play ") + alias) == 0;
}

Mp3Player& mediaPlayer(Program& program) {
    program.player();  // the media player lives on the player window, which is loaded on first use
    return program.mp3();
}

}  // namespace

void stopAllDevices(Program& program) {
    for (const char* command :
         {"stop sound", "close sound", "stop cd", "stop midi", "close midi"}) {
        sendWithReply(program, QString::fromLatin1(command));
    }
    mediaPlayer(program).stop();
}

bool playWaveFile(Program& program, const QString& path) {
    return openAndPlay(program, QStringLiteral("waveaudio"), path, QStringLiteral("sound"));
}

bool playMidiFile(Program& program, const QString& path) {
    return openAndPlay(program, QStringLiteral("sequencer"), path, QStringLiteral("midi"));
}

void playMp3File(Program& program, const QString& path) {
    Mp3Player& player = mediaPlayer(program);
    player.setFileName(path);
    player.play();
}

bool playCdTrack(Program& program, const QString& item) {
    const int n = cdTrackNumber(item).value_or(0);
    program.media().send(QStringLiteral("stop cd wait"));
    program.media().send(QStringLiteral("seek cd to 1 wait"));
    return program.media().send(QStringLiteral("play cd from %1 to %2").arg(n).arg(n + 1),
                                &program.cdReply, kCdReplyLength) == 0;
}

void openCdDrive(Program& program) {
    program.media().send(QStringLiteral("open  ") + program.currentCdDrive +
                         QStringLiteral(" type cdaudio alias cd wait shareable"));
    program.media().send(QStringLiteral("set cd time format tmsf"));
}

void playChime(Program& program) {
    // The play goes out even when the open failed: while music holds "sound" it replays that.
    sendWithReply(program, QStringLiteral("open waveaudio!chimes.wav alias sound"));
    sendWithReply(program, QStringLiteral("play sound"));
}

}  // namespace luma
