#include "support/Soak.h"

#include "TestMedia.h"
#include "ToneDisc.h"
#include "display/SlideshowWindow.h"
#include "music/BackgroundPlayer.h"
#include "platform/DriveList.h"
#include "platform/audio/ManualOutput.h"
#include "platform/sound/SoundServices.h"
#include "runtime/ManualTimerService.h"
#include "runtime/Random.h"
#include "settings/IniSettingsStore.h"
#include "settings/SettingsKeys.h"
#include "settings/StoredList.h"
#include "startup/LoadSettings.h"
#include "startup/StartShow.h"
#include "support/GifWriter.h"
#include "support/ImmediateFrameDecoder.h"

#include <QDir>
#include <QElapsedTimer>
#include <QImage>

#include <unistd.h>

namespace luma::test {
namespace {

class FixedDrives : public DriveList {
public:
    explicit FixedDrives(QStringList roots) : roots_(std::move(roots)) {}
    QStringList cdDrives() const override { return roots_; }

private:
    QStringList roots_;
};

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

ShowRig::ShowRig(const QString& folder, const QString& soundfont, const QStringList& drives)
    : current_(QDir::currentPath()) {
    // The program makes its own folder current: the chime is looked up there.
    QDir::setCurrent(folder);
    PlatformServices s;
    s.store = std::make_unique<IniSettingsStore>(folder + "/Lumafolio 1.1.ini");
    auto timers = std::make_unique<ManualTimerService>();
    timers_ = timers.get();
    s.timers = std::move(timers);
    s.random = std::make_unique<Random>(20240611);
    s.drives = std::make_unique<FixedDrives>(drives);
    auto output = std::make_unique<audio::ManualOutput>();
    output_ = output.get();
    SoundServices sound = makeSoundServices(
        std::move(output), *s.drives,
        soundfont.isEmpty() ? audio::SynthPool::create() : audio::SynthPool::create(soundfont));
    s.media = std::move(sound.media);
    s.mp3 = std::move(sound.mp3);
    s.programFolder = folder;
    program = std::make_unique<Program>(std::move(s));
    program->setDisplayFactory([](Program& p) {
        return std::make_unique<SlideshowWindow>(
            p, std::nullopt, [] { return std::make_unique<ImmediateFrameDecoder>(); });
    });
    program->setPlayerFactory([](Program& p) { return std::make_unique<BackgroundPlayer>(p); });
}

ShowRig::~ShowRig() {
    program->endProgram();
    QDir::setCurrent(current_);
}

void ShowRig::start(const QStringList& settings, const QStringList& slides,
                    const QStringList& playlist) {
    for (const QString& setting : settings) {
        program->store().write(keys::kSettings, setting.section(u'=', 0, 0),
                               setting.section(u'=', 1));
    }
    StoredList(program->store(), keys::kPictures).rewrite(slides);
    StoredList(program->store(), keys::kMusic).rewrite(playlist);
    loadSettings(program->store(), program->settings);
    startShow(*program);
}

const std::vector<float>& ShowRig::run(int ms) {
    const auto frames = std::size_t(audio::kRate) * std::size_t(ms) / 1000;
    sound_.resize(frames * audio::kChannels);
    output_->pullInto(sound_.data(), frames);
    timers_->advance(ms);
    return sound_;
}

SlideshowWindow* ShowRig::display() const {
    return dynamic_cast<SlideshowWindow*>(program->displayIfLoaded());
}

QString writeAnimation(const QString& path, const std::vector<QRgb>& colours, QSize size,
                       int delay) {
    QFile file(path);
    const QByteArray gif =
        solidAnimation(size, colours, std::vector<std::uint16_t>(colours.size(), delay)).encode();
    return file.open(QIODevice::WriteOnly) && file.write(gif) == gif.size() ? path : QString();
}

QString writeStill(const QString& path, QColor colour, QSize size, const char* format) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image.save(path, format, 95) ? path : QString();
}

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
