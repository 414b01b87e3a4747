#include "support/ShowRig.h"

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
#include "support/ImmediateSlideReader.h"

#include <QDir>
#include <QImage>

namespace luma::test {
namespace {

class FixedDrives : public DriveList {
public:
    explicit FixedDrives(QStringList roots) : roots_(std::move(roots)) {}
    QStringList cdDrives() const override { return roots_; }

private:
    QStringList roots_;
};

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
            p, std::nullopt, [] { return std::make_unique<ImmediateFrameDecoder>(); },
            std::make_unique<ImmediateSlideReader>());
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

}  // namespace luma::test
