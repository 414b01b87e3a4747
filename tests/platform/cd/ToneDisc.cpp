#include "ToneDisc.h"

#include "platform/cd/CdTime.h"

#include <QFile>

#include <cmath>
#include <numbers>

namespace luma::test {

namespace {

// Raw sectors of 588 frames of 16-bit little-endian stereo.
QByteArray trackData(const ToneTrack& track) {
    QByteArray data(track.sectors * cd::kSectorBytes, track.audio ? '\0' : '\x55');
    for (int i = 0; track.audio && i < track.sectors * cd::kFramesPerSector; ++i) {
        const double phase = 2.0 * std::numbers::pi * track.frequency * i / 44100.0;
        const auto bits = static_cast<std::uint16_t>(std::lround(12000.0 * std::sin(phase)));
        for (int b = 0; b < 4; b += 2) {
            data[4 * i + b] = static_cast<char>(bits & 0xff);
            data[4 * i + b + 1] = static_cast<char>(bits >> 8);
        }
    }
    return data;
}

}  // namespace

QString binPathOf(const QString& cuePath) {
    return cuePath.left(cuePath.size() - 4) + QStringLiteral(".bin");
}

QString writeToneDisc(const QString& dir, const QString& name,
                      const std::vector<ToneTrack>& tracks) {
    const QString cuePath = dir + u'/' + name + QStringLiteral(".cue");
    QFile bin(binPathOf(cuePath));
    QFile cue(cuePath);
    if (!bin.open(QIODevice::WriteOnly) || !cue.open(QIODevice::WriteOnly)) {
        return {};
    }
    QString sheet = QStringLiteral("FILE \"%1.bin\" BINARY\n").arg(name);
    int start = 0;
    for (std::size_t i = 0; i < tracks.size(); ++i) {
        const QByteArray data = trackData(tracks[i]);
        if (bin.write(data) != data.size()) {
            return {};
        }
        sheet +=
            QStringLiteral("  TRACK %1 %2\n    INDEX 01 %3\n")
                .arg(i + 1, 2, 10, QLatin1Char('0'))
                .arg(QLatin1String(tracks[i].audio ? "AUDIO" : "MODE1/2352"), cd::msfText(start));
        start += tracks[i].sectors;
    }
    return cue.write(sheet.toUtf8()) == sheet.toUtf8().size() ? cuePath : QString();
}

}  // namespace luma::test
