#include "music/DeviceRoutines.h"

#include "music/CdTracks.h"
#include "platform/MediaControl.h"
#include "platform/Mp3Player.h"
#include "startup/Program.h"

namespace luma {
namespace {

int sendWithReply(MediaControl& media, const QString& command) {
    QString reply(kReplyLength, u' ');
    return media.send(command, &reply, kReplyLength);
}

// Opens `path` under `alias` and plays it when the open succeeded.
bool openAndPlay(MediaControl& media, const QString& type, const QString& path,
                 const QString& alias) {
    if (sendWithReply(media, QStringLiteral("open ") + type + u'!' + path +
                                 QStringLiteral(" alias ") + alias) != 0) {
        return false;
    }
    return sendWithReply(media, QStringLiteral("play ") + alias) == 0;
}

Mp3Player& mediaPlayer(Program& program) {
    program.player();  // the media player lives on the player window, which is loaded on first use
    return program.mp3();
}

}  // namespace

void stopAllDevices(MediaControl& media, Mp3Player& mp3) {
    for (const char* command :
         {"stop sound", "close sound", "stop cd", "stop midi", "close midi"}) {
        sendWithReply(media, QString::fromLatin1(command));
    }
    mp3.stop();
}

void stopAllDevices(Program& program) {
    stopAllDevices(program.media(), mediaPlayer(program));
}

bool playWaveFile(MediaControl& media, const QString& path) {
    return openAndPlay(media, QStringLiteral("waveaudio"), path, QStringLiteral("sound"));
}

bool playWaveFile(Program& program, const QString& path) {
    return playWaveFile(program.media(), path);
}

bool playMidiFile(MediaControl& media, const QString& path) {
    return openAndPlay(media, QStringLiteral("sequencer"), path, QStringLiteral("midi"));
}

bool playMidiFile(Program& program, const QString& path) {
    return playMidiFile(program.media(), path);
}

void playMp3File(Mp3Player& mp3, const QString& path) {
    mp3.setFileName(path);
    mp3.play();
}

void playMp3File(Program& program, const QString& path) {
    playMp3File(mediaPlayer(program), path);
}

bool playCdTrack(MediaControl& media, QString& cdReply, const QString& item) {
    const int n = cdTrackNumber(item).value_or(0);
    media.send(QStringLiteral("stop cd wait"));
    media.send(QStringLiteral("seek cd to 1 wait"));
    return media.send(QStringLiteral("play cd from %1 to %2").arg(n).arg(n + 1), &cdReply,
                      kCdReplyLength) == 0;
}

bool playCdTrack(Program& program, const QString& item) {
    return playCdTrack(program.media(), program.cdReply, item);
}

void openCdDrive(Program& program) {
    program.media().send(QStringLiteral("open  ") + program.currentCdDrive +
                         QStringLiteral(" type cdaudio alias cd wait shareable"));
    program.media().send(QStringLiteral("set cd time format tmsf"));
}

void playChime(Program& program) {
    // The play goes out even when the open failed: while music holds "sound" it replays that.
    sendWithReply(program.media(), QStringLiteral("open waveaudio!chimes.wav alias sound"));
    sendWithReply(program.media(), QStringLiteral("play sound"));
}

}  // namespace luma
