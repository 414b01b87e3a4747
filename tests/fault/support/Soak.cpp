#include "support/Soak.h"

#include "TestMedia.h"
#include "ToneDisc.h"
#include "display/SlideshowWindow.h"
#include "support/ShowMedia.h"
#include "support/ShowRig.h"

#include <QDir>
#include <QElapsedTimer>

#include <algorithm>

namespace luma::test {
namespace {

constexpr double kGoalGrowth = 0.10;
constexpr double kAudible = 1e-6;  // mean square of a step that was heard
// A CD stream opens the disc on its own reader thread, so at the moment of counting its
// descriptor may be open or not yet.
constexpr int kDescriptorsInFlight = 1;

struct Media {
    QStringList slides;
    QStringList playlist;
    QString disc;
    bool mp3 = false;
};

// Returns false, with the reason in `error`, when a file could not be written.
bool writeMedia(const QString& folder, Media& media, QString* error) {
    const QDir dir(folder);
    media.slides = {
        writeStill(dir.filePath(QStringLiteral("red.bmp")), Qt::red, {320, 240}, "BMP"),
        writeAnimation(dir.filePath(QStringLiteral("turn.gif")),
                       {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255), qRgb(255, 255, 0)},
                       {160, 120}, 10),
        writeStill(dir.filePath(QStringLiteral("green.jpg")), Qt::green, {1600, 1200}, "JPG"),
        writeStill(dir.filePath(QStringLiteral("blue.gif")), Qt::blue, {200, 150}, "GIF"),
        writeAnimation(dir.filePath(QStringLiteral("blink.gif")),
                       {qRgb(255, 255, 255), qRgb(0, 0, 0), qRgb(128, 128, 128)}, {400, 300}, 5),
        writeStill(dir.filePath(QStringLiteral("grey.jpg")), Qt::gray, {640, 480}, "JPG"),
    };
    if (media.slides.contains(QString())) {
        *error = QStringLiteral("cannot write the pictures into ") + folder;
        return false;
    }
    const QString wav = dir.filePath(QStringLiteral("tone.wav"));
    const QString mid = dir.filePath(QStringLiteral("tune.mid"));
    media.disc = writeToneDisc(folder, QStringLiteral("disc"),
                               {ToneTrack{880.0, 150}, ToneTrack{1320.0, 75}});
    if (!writeToneWav(wav, 1.0, 440) || !writeSimpleMidi(mid, 2) || media.disc.isEmpty() ||
        !writeToneWav(dir.filePath(QStringLiteral("chimes.wav")), 0.2, 1000)) {
        *error = QStringLiteral("cannot write the music into ") + folder;
        return false;
    }
    media.playlist = {wav, mid, QStringLiteral("CD Track [ 1 ] 00:00:02 CD"),
                      dir.filePath(QStringLiteral("missing.wav"))};
    const QString mp3 = dir.filePath(QStringLiteral("tone.mp3"));
    const QString mp3Source = dir.filePath(QStringLiteral("mp3 source.wav"));
    media.mp3 = lameAvailable() && writeToneWav(mp3Source, 1.0, 660) && encodeMp3(mp3Source, mp3);
    if (media.mp3) {
        media.playlist.insert(1, mp3);
    }
    return true;
}

void runShow(const QString& folder, const Media& media, SoakFigures& figures) {
    const int steps = figures.steps;
    const int warmupSteps = figures.warmupSteps;
    ShowRig rig(folder, ShowRig::Options{QString(), {media.disc}});
    rig.settings({{QStringLiteral("Slides"), QStringLiteral("1")},
                  {QStringLiteral("delay"), QStringLiteral("1")},
                  {QStringLiteral("animate"), QStringLiteral("1")},
                  {QStringLiteral("screensize"), QStringLiteral("0")},
                  {QStringLiteral("Slidesize"), QStringLiteral("1")},
                  {QStringLiteral("Bsound"), QStringLiteral("1")},
                  {QStringLiteral("Asound"), QStringLiteral("1")},
                  {QStringLiteral("Random order"), QStringLiteral("0")},
                  {QStringLiteral("Mousesens"), QStringLiteral("15")}});
    rig.slides(media.slides);
    rig.playlist(media.playlist);

    QElapsedTimer clock;
    clock.start();
    rig.start();
    Program& program = rig.program();
    std::int32_t lastSlide = program.slideIndex;
    std::int32_t lastEntry = program.playPosition;
    for (int step = 1; step <= steps; ++step) {
        if (energy(rig.run(1000)) > kAudible) {
            ++figures.audibleSteps;
        }
        if (program.slideIndex != lastSlide) {
            ++figures.slideChanges;
            lastSlide = program.slideIndex;
        }
        if (program.playPosition != lastEntry) {
            ++figures.entriesStarted;
            lastEntry = program.playPosition;
        }
        if (SlideshowWindow* display = rig.display();
            display && display->state().animationTimer.isEnabled()) {
            ++figures.animatedSteps;
        }
        const int fds = openDescriptors();
        if (step <= warmupSteps) {
            figures.fdsWarm = std::max(figures.fdsWarm, fds);
        }
        if (step > steps - warmupSteps) {
            figures.fdsEnd = std::max(figures.fdsEnd, fds);
        }
        if (step == warmupSteps) {
            figures.rssWarmKib = residentKib();
        }
    }
    figures.rssEndKib = residentKib();
    figures.seconds = static_cast<double>(clock.elapsed()) / 1000.0;
}

}  // namespace

double SoakFigures::growthPercent() const {
    return rssWarmKib > 0 ? 100.0 * static_cast<double>(rssEndKib - rssWarmKib) /
                                static_cast<double>(rssWarmKib)
                          : 0.0;
}

bool SoakFigures::memoryGoalMet() const {
    return rssWarmKib > 0 && rssEndKib > 0 &&
           static_cast<double>(rssEndKib) <= (1.0 + kGoalGrowth) * static_cast<double>(rssWarmKib);
}

bool SoakFigures::descriptorGoalMet() const {
    return fdsBefore > 0 && fdsAfter <= fdsBefore && fdsEnd <= fdsWarm + kDescriptorsInFlight;
}

SoakFigures runSoak(const QString& folder, int steps, int warmupSteps, QString* error) {
    SoakFigures figures;
    Media media;
    if (!writeMedia(folder, media, error)) {
        return figures;
    }
    figures.steps = steps;
    figures.warmupSteps = warmupSteps;
    figures.mp3Included = media.mp3;
    figures.fdsBefore = openDescriptors();

    const CurrentFolder current(folder);
    runShow(folder, media, figures);
    figures.fdsAfter = openDescriptors();
    return figures;
}

}  // namespace luma::test
