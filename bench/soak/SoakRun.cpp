#include "SoakRun.h"

#include "TestMedia.h"
#include "ToneDisc.h"
#include "display/SlideshowWindow.h"
#include "support/ShowRig.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>

#include <unistd.h>

#include <algorithm>

namespace luma::test {
namespace {

long residentKib() {
    QFile statm("/proc/self/statm");
    return statm.open(QIODevice::ReadOnly)
               ? statm.readAll().split(' ').value(1).toLong() * (sysconf(_SC_PAGESIZE) / 1024)
               : 0;
}

int openDescriptors() {
    const QDir fds("/proc/self/fd");
    // Less the one that lists the folder.
    return int(fds.entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot).size()) - 1;
}

}  // namespace

double SoakFigures::growthPercent() const {
    return rssWarmKib > 0 ? 100.0 * double(rssEndKib - rssWarmKib) / double(rssWarmKib) : 0.0;
}

bool SoakFigures::memoryGoalMet() const {
    return rssWarmKib > 0 && rssEndKib > 0 && double(rssEndKib) <= 1.1 * double(rssWarmKib);
}

bool SoakFigures::descriptorGoalMet() const {
    // A CD stream opens the disc on its own reader thread: its descriptor may be open or not yet.
    return fdsBefore > 0 && fdsAfter <= fdsBefore && fdsEnd <= fdsWarm + 1;
}

SoakFigures runSoak(const QString& folder, int steps, int warmupSteps, QString* error) {
    const QDir dir(folder);
    const QStringList slides = {
        writeStill(dir.filePath("red.bmp"), Qt::red, {320, 240}, "BMP"),
        writeAnimation(dir.filePath("turn.gif"), {0xffff0000, 0xff00ff00, 0xff0000ff, 0xffffff00},
                       {160, 120}, 10),
        writeStill(dir.filePath("green.jpg"), Qt::green, {1600, 1200}, "JPG"),
        writeAnimation(dir.filePath("blue.gif"), {0xff0000ff}, {200, 150}, 0),
        writeAnimation(dir.filePath("blink.gif"), {0xffffffff, 0xff000000, 0xff808080}, {400, 300},
                       5),
        writeStill(dir.filePath("grey.jpg"), Qt::gray, {640, 480}, "JPG")};
    const QStringList playlist = {dir.filePath("tone.wav"), dir.filePath("tone.mp3"),
                                  dir.filePath("tune.mid"), "CD Track [ 1 ] 00:00:02 CD",
                                  dir.filePath("missing.wav")};
    const QString disc = writeToneDisc(folder, "disc", {{880.0, 150}, {1320.0, 75}});
    if (slides.contains(QString()) || disc.isEmpty() || !writeToneWav(playlist[0], 1.0, 440) ||
        !writeSimpleMidi(playlist[2], 2) || !writeToneWav(dir.filePath("chimes.wav"), 0.2, 1000)) {
        *error = "cannot write the media into " + folder;
        return {};
    }
    SoakFigures f{steps, warmupSteps};
    // Without lame the MP3 entry is one more missing file.
    f.mp3Included = lameAvailable() && writeToneWav(dir.filePath("mp3.wav"), 1.0, 660) &&
                    encodeMp3(dir.filePath("mp3.wav"), playlist[1]);
    f.fdsBefore = openDescriptors();
    {
        ShowRig rig(folder, {}, {disc});
        QElapsedTimer clock;
        clock.start();
        rig.start({"Slides=1", "delay=1", "animate=1", "screensize=0", "Slidesize=1", "Bsound=1",
                   "Asound=1", "Random order=0", "Mousesens=15"},
                  slides, playlist);
        std::int32_t slide = rig.program->slideIndex, entry = rig.program->playPosition;
        for (int step = 1; step <= steps; ++step) {
            f.audibleSteps += energy(rig.run(1000)) > 1e-6 ? 1 : 0;
            f.slideChanges += rig.program->slideIndex != slide ? 1 : 0;
            f.entriesStarted += rig.program->playPosition != entry ? 1 : 0;
            slide = rig.program->slideIndex;
            entry = rig.program->playPosition;
            f.animatedSteps +=
                rig.display() && rig.display()->state().animationTimer.isEnabled() ? 1 : 0;
            const int fds = openDescriptors();
            f.fdsWarm = step <= warmupSteps ? std::max(f.fdsWarm, fds) : f.fdsWarm;
            f.fdsEnd = step > steps - warmupSteps ? std::max(f.fdsEnd, fds) : f.fdsEnd;
            f.rssWarmKib = step == warmupSteps ? residentKib() : f.rssWarmKib;
        }
        f.rssEndKib = residentKib();
        f.seconds = double(clock.elapsed()) / 1000.0;
    }
    f.fdsAfter = openDescriptors();
    return f;
}

}  // namespace luma::test
