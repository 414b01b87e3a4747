#include "ToneDisc.h"

#include <QFile>
#include <QTextStream>

#include <cmath>
#include <numbers>

namespace luma::test {

namespace {

constexpr int kFramesPerSector = 588;
constexpr int kSectorBytes = 2352;

QString msf(int sectors) {
    return QStringLiteral("%1:%2:%3")
        .arg(sectors / 75 / 60, 2, 10, QLatin1Char('0'))
        .arg(sectors / 75 % 60, 2, 10, QLatin1Char('0'))
        .arg(sectors % 75, 2, 10, QLatin1Char('0'));
}

QByteArray trackData(const ToneTrack& track) {
    QByteArray data(track.sectors * kSectorBytes, '\0');
    if (!track.audio) {
        data.fill('\x55');
        return data;
    }
    auto* bytes = reinterpret_cast<unsigned char*>(data.data());
    const int frames = track.sectors * kFramesPerSector;
    for (int i = 0; i < frames; ++i) {
        const double phase = 2.0 * std::numbers::pi * track.frequency * i / 44100.0;
        const auto sample = static_cast<std::int16_t>(std::lround(12000.0 * std::sin(phase)));
        const auto bits = static_cast<std::uint16_t>(sample);
        for (int channel = 0; channel < 2; ++channel) {
            bytes[4 * i + 2 * channel] = static_cast<unsigned char>(bits & 0xff);
            bytes[4 * i + 2 * channel + 1] = static_cast<unsigned char>(bits >> 8);
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
    QTextStream sheet(&cue);
    sheet << "FILE \"" << name << ".bin\" BINARY\n";
    int start = 0;
    for (std::size_t i = 0; i < tracks.size(); ++i) {
        const QByteArray data = trackData(tracks[i]);
        if (bin.write(data) != data.size()) {
            return {};
        }
        sheet << QStringLiteral("  TRACK %1 ").arg(i + 1, 2, 10, QLatin1Char('0'))
              << (tracks[i].audio ? "AUDIO" : "MODE1/2352") << "\n"
              << "    INDEX 01 " << msf(start) << "\n";
        start += tracks[i].sectors;
    }
    return cuePath;
}

}  // namespace luma::test
