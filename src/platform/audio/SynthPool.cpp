#include "platform/audio/SynthPool.h"

#include "platform/audio/AudioSource.h"

#include <QFile>
#include <QFileInfo>

namespace luma::audio {
namespace {

constexpr std::size_t kKeptIdle = 2;
constexpr double kGain = 0.5;  // the soundfont's voices at FluidSynth's default 0.2 are faint

struct SettingsDeleter {
    void operator()(fluid_settings_t* s) const { delete_fluid_settings(s); }
};
struct SynthDeleter {
    void operator()(fluid_synth_t* s) const { delete_fluid_synth(s); }
};

}  // namespace

struct SynthPool::Synth {
    // The synth refers to its settings: declared first, deleted last.
    std::unique_ptr<fluid_settings_t, SettingsDeleter> settings;
    std::unique_ptr<fluid_synth_t, SynthDeleter> synth;
};

QString SynthPool::defaultSoundfont() {
    const QString chosen = qEnvironmentVariable("LUMAFOLIO_SOUNDFONT");
    return chosen.isEmpty() ? QStringLiteral("/usr/share/sounds/sf2/default-GM.sf2") : chosen;
}

std::shared_ptr<SynthPool> SynthPool::create(const QString& soundfont) {
    return std::shared_ptr<SynthPool>(new SynthPool(soundfont));
}

SynthPool::SynthPool(QString soundfont) : soundfont_(std::move(soundfont)) {}

SynthPool::~SynthPool() = default;

std::unique_ptr<SynthPool::Synth> SynthPool::load() const {
    const QByteArray path = QFile::encodeName(soundfont_);
    if (!QFileInfo(soundfont_).isFile() || !fluid_is_soundfont(path.constData())) {
        return nullptr;
    }
    auto s = std::make_unique<Synth>();
    s->settings.reset(new_fluid_settings());
    if (!s->settings) {
        return nullptr;
    }
    fluid_settings_setnum(s->settings.get(), "synth.sample-rate", kRate);
    fluid_settings_setnum(s->settings.get(), "synth.gain", kGain);
    fluid_settings_setint(s->settings.get(), "synth.lock-memory", 0);
    fluid_settings_setint(s->settings.get(), "synth.cpu-cores", 1);
    s->synth.reset(new_fluid_synth(s->settings.get()));
    if (!s->synth || fluid_synth_sfload(s->synth.get(), path.constData(), 1) == FLUID_FAILED) {
        return nullptr;
    }
    return s;
}

std::unique_ptr<SynthPool::Lease> SynthPool::acquire() {
    std::unique_ptr<Synth> synth;
    {
        const std::lock_guard lock(mutex_);
        if (!idle_.empty()) {
            synth = std::move(idle_.back());
            idle_.pop_back();
        }
    }
    if (!synth) {
        synth = load();
        if (!synth) {
            return nullptr;
        }
    }
    return std::make_unique<Lease>(shared_from_this(), std::move(synth));
}

void SynthPool::giveBack(std::unique_ptr<Synth> synth) {
    fluid_synth_system_reset(synth->synth.get());
    const std::lock_guard lock(mutex_);
    if (idle_.size() < kKeptIdle) {
        idle_.push_back(std::move(synth));
    }
}

SynthPool::Lease::Lease(std::shared_ptr<SynthPool> pool, std::unique_ptr<Synth> synth)
    : pool_(std::move(pool)), synth_(std::move(synth)) {}

SynthPool::Lease::~Lease() {
    pool_->giveBack(std::move(synth_));
}

fluid_synth_t* SynthPool::Lease::synth() const {
    return synth_->synth.get();
}

}  // namespace luma::audio
