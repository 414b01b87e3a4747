#include "support/ShowRig.h"

#include "display/SlideshowWindow.h"
#include "music/BackgroundPlayer.h"
#include "platform/DriveList.h"
#include "platform/audio/ManualOutput.h"
#include "platform/sound/SoundServices.h"
#include "runtime/Random.h"
#include "settings/IniSettingsStore.h"
#include "settings/SettingsKeys.h"
#include "settings/StoredList.h"
#include "startup/LoadSettings.h"
#include "startup/StartShow.h"
#include "support/ImmediateFrameDecoder.h"

namespace luma::test {
namespace {

constexpr std::uint64_t kSeed = 20240611;

class FixedDrives : public DriveList {
public:
    explicit FixedDrives(QStringList roots) : roots_(std::move(roots)) {}
    QStringList cdDrives() const override { return roots_; }

private:
    QStringList roots_;
};

}  // namespace

ShowRig::ShowRig(const QString& folder, const Options& options)
    : settingsFile_(folder + QStringLiteral("/Lumafolio 1.1.ini")) {
    PlatformServices s;
    s.store = std::make_unique<IniSettingsStore>(settingsFile_);
    auto timers = std::make_unique<ManualTimerService>();
    timers_ = timers.get();
    s.timers = std::move(timers);
    s.random = std::make_unique<Random>(kSeed);
    s.drives = std::make_unique<FixedDrives>(options.drives);

    auto output = std::make_unique<audio::ManualOutput>();
    output_ = output.get();
    SoundServices sound = makeSoundServices(std::move(output), *s.drives,
                                            options.soundfont.isEmpty()
                                                ? audio::SynthPool::create()
                                                : audio::SynthPool::create(options.soundfont));
    engine_ = sound.engine;
    s.media = std::move(sound.media);
    s.mp3 = std::move(sound.mp3);
    s.programFolder = folder;

    program_ = std::make_unique<Program>(std::move(s));
    program_->setDisplayFactory([](Program& p) {
        return std::make_unique<SlideshowWindow>(p, std::nullopt,
                                                 std::make_unique<ImmediateFrameDecoder>());
    });
    program_->setPlayerFactory([](Program& p) { return std::make_unique<BackgroundPlayer>(p); });
}

ShowRig::~ShowRig() {
    program_->endProgram();
}

void ShowRig::settings(std::initializer_list<std::pair<QString, QString>> values) {
    for (const auto& [key, value] : values) {
        program_->store().write(keys::kSettings, key, value);
    }
    loadSettings(program_->store(), program_->settings);
}

void ShowRig::slides(const QStringList& paths) {
    StoredList(program_->store(), keys::kPictures).rewrite(paths);
}

void ShowRig::playlist(const QStringList& entries) {
    StoredList(program_->store(), keys::kMusic).rewrite(entries);
}

void ShowRig::start() {
    startShow(*program_);
}

const std::vector<float>& ShowRig::run(int ms) {
    const auto frames =
        static_cast<std::size_t>(audio::kRate) * static_cast<std::size_t>(ms) / 1000;
    sound_.resize(frames * audio::kChannels);
    output_->pullInto(sound_.data(), frames);
    timers_->advance(ms);
    return sound_;
}

SlideshowWindow* ShowRig::display() const {
    return dynamic_cast<SlideshowWindow*>(program_->displayIfLoaded());
}

BackgroundPlayer* ShowRig::player() const {
    return dynamic_cast<BackgroundPlayer*>(program_->playerIfLoaded());
}

}  // namespace luma::test
