// Makes the program's assets at build time: the icon in every size, the announce chime, and the
// demo pictures and music.
//   lumafolio_assets icons <folder>
//   lumafolio_assets chime <file.wav>
//   lumafolio_assets demo <folder>     (the MP3 is made from demo/music/tune-for-mp3.wav by lame)
#include "Pictures.h"
#include "Sound.h"

#include "tray/TrayIconArt.h"

#include <QDir>
#include <QGuiApplication>

#include <cstdio>

namespace {

using luma::assets::Note;

constexpr int kRate = 44100;

bool makeIcons(const QString& folder) {
    bool ok = QDir().mkpath(folder);
    for (int size : {16, 32, 48, 64, 128, 256}) {
        ok = ok && luma::drawLumafolioIcon(size).save(
                       folder + QStringLiteral("/lumafolio-%1.png").arg(size));
    }
    return ok;
}

double hertz(int key) {
    return 440.0 * std::pow(2.0, (key - 69) / 12.0);
}

std::vector<Note> melody(const std::vector<int>& keys, double beat) {
    std::vector<Note> notes;
    for (size_t i = 0; i < keys.size(); ++i) {
        if (keys[i] > 0) {
            notes.push_back({static_cast<double>(keys[i]), i * beat, beat * 0.9});
        }
    }
    return notes;
}

std::vector<Note> inHertz(std::vector<Note> notes) {
    for (Note& n : notes) {
        n.frequency = hertz(static_cast<int>(n.frequency));
    }
    return notes;
}

bool makeDemo(const QString& folder) {
    const QString pictures = folder + QStringLiteral("/pictures");
    const QString music = folder + QStringLiteral("/music");
    bool ok = QDir().mkpath(pictures) && QDir().mkpath(music);
    using luma::assets::landscape;
    ok = ok && landscape({560, 420}, QColor(40, 90, 200), QColor(30, 120, 40),
                         QStringLiteral("Morning hills (BMP)"))
                   .save(pictures + QStringLiteral("/morning-hills.bmp"));
    ok = ok && landscape({600, 450}, QColor(230, 110, 40), QColor(90, 60, 30),
                         QStringLiteral("Sunset (JPEG)"))
                   .save(pictures + QStringLiteral("/sunset.jpg"), "JPEG", 90);
    ok = ok &&
         luma::assets::writeGif(pictures + QStringLiteral("/meadow.gif"),
                                {landscape({480, 360}, QColor(0, 153, 204), QColor(102, 153, 0),
                                           QStringLiteral("Meadow (GIF)"))},
                                0);
    ok = ok && luma::assets::writeGif(pictures + QStringLiteral("/bouncing-ball.gif"),
                                      luma::assets::bouncingBall({320, 240}, 16), 8);

    // An ascending tune for the wave file, a dance for the MP3, a round for the MIDI file.
    const auto wave = melody({60, 64, 67, 72, 67, 64, 60, 0, 62, 65, 69, 74, 69, 65, 62, 0}, 0.4);
    ok = ok && luma::assets::writeWave(music + QStringLiteral("/sunrise.wav"),
                                       luma::assets::pluckedTune(inHertz(wave), 7.0, kRate), kRate);
    const auto dance = melody({69, 0, 72, 76, 74, 72, 71, 72, 74, 0, 71, 67, 69, 0, 0, 0}, 0.3);
    ok =
        ok && luma::assets::writeWave(music + QStringLiteral("/tune-for-mp3.wav"),
                                      luma::assets::pluckedTune(inHertz(dance), 5.5, kRate), kRate);
    const auto round = melody({60, 62, 64, 60, 60, 62, 64, 60, 64, 65, 67, 0, 64, 65, 67, 0}, 0.5);
    ok = ok && luma::assets::writeMidi(music + QStringLiteral("/round.mid"), round, 0, 120);
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = QGuiApplication::arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: lumafolio_assets icons|chime|demo <path>\n");
        return 2;
    }
    bool ok = false;
    if (args[1] == u"icons") {
        ok = makeIcons(args[2]);
    } else if (args[1] == u"chime") {
        ok = luma::assets::writeWave(args[2], luma::assets::bellStroke(kRate), kRate);
    } else if (args[1] == u"demo") {
        ok = makeDemo(args[2]);
    }
    if (!ok) {
        std::fprintf(stderr, "lumafolio_assets: could not make %s in %s\n", qPrintable(args[1]),
                     qPrintable(args[2]));
    }
    return ok ? 0 : 1;
}
