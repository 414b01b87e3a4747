#include "music/EndPolls.h"

#include "music/DeviceRoutines.h"
#include "platform/MediaControl.h"
#include "runtime/Numbers.h"

namespace luma {
namespace {

// A two-character field of a reply, counted from 0; anything that is not a number counts 0.
int replyField(const QString& reply, qsizetype from) {
    return toInt16(reply.mid(from, 2)).value_or(0);
}

double numberReply(MediaControl& media, const QString& command, int* result = nullptr) {
    QString reply(kReplyLength, u' ');
    const int r = media.send(command, &reply, kReplyLength);
    if (result != nullptr) {
        *result = r;
    }
    return numericValue(reply);  // stops at the reply's NUL
}

}  // namespace

std::optional<int> cdSecondsIntoTrack(MediaControl& media, QString& cdReply) {
    media.send(QStringLiteral("status cd media present"), &cdReply, kCdReplyLength);
    if (!cdReply.startsWith(QStringLiteral("true"))) {
        return std::nullopt;
    }
    media.send(QStringLiteral("status cd position"), &cdReply, kCdReplyLength);
    // "tt:mm:ss:ff": minutes and seconds within the track.
    return 60 * replyField(cdReply, 3) + replyField(cdReply, 6);
}

void rewindCd(MediaControl& media) {
    media.send(QStringLiteral("stop cd wait"));
    media.send(QStringLiteral("seek cd to 1 wait"));
}

WaveProgress waveProgress(MediaControl& media) {
    WaveProgress progress;
    progress.length = numberReply(media, QStringLiteral("status sound length"), &progress.result);
    if (progress.length != 0) {
        progress.fraction =
            static_cast<float>(numberReply(media, QStringLiteral("status sound position"))) /
            static_cast<float>(progress.length);
    }
    return progress;
}

void closeWave(MediaControl& media) {
    QString reply(kReplyLength, u' ');
    media.send(QStringLiteral("stop sound"), &reply, kReplyLength);
    media.send(QStringLiteral("close sound"), &reply, kReplyLength);
}

MidiMode midiMode(MediaControl& media) {
    QString reply(kCdReplyLength, u' ');
    MidiMode mode;
    mode.result = media.send(QStringLiteral("status midi mode"), &reply, kCdReplyLength);
    mode.stopped = reply.startsWith(QStringLiteral("stopped"));
    return mode;
}

}  // namespace luma
