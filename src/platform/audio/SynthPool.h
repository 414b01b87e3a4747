#pragma once

#include <QString>

#include <fluidsynth.h>

#include <memory>
#include <mutex>
#include <vector>

namespace luma::audio {

// FluidSynth synthesizers with the General MIDI soundfont loaded, kept for reuse so that the
// soundfont is read once, not for every MIDI file. A synthesizer is lent to one MIDI source at a
// time; two sources sounding together get two synthesizers. Thread-safe.
class SynthPool : public std::enable_shared_from_this<SynthPool> {
    struct Synth;

public:
    // The environment's LUMAFOLIO_SOUNDFONT, else the Debian General MIDI soundfont.
    static QString defaultSoundfont();
    static std::shared_ptr<SynthPool> create(const QString& soundfont = defaultSoundfont());
    ~SynthPool();

    // A synthesizer on loan; returned to the pool, reset, when the lease goes.
    class Lease {
    public:
        Lease(std::shared_ptr<SynthPool> pool, std::unique_ptr<Synth> synth);
        ~Lease();
        Lease(const Lease&) = delete;
        Lease& operator=(const Lease&) = delete;
        fluid_synth_t* synth() const;

    private:
        std::shared_ptr<SynthPool> pool_;
        std::unique_ptr<Synth> synth_;
    };

    // Null when the soundfont cannot be loaded.
    std::unique_ptr<Lease> acquire();
    const QString& soundfont() const { return soundfont_; }

private:
    explicit SynthPool(QString soundfont);
    std::unique_ptr<Synth> load() const;
    void giveBack(std::unique_ptr<Synth> synth);

    const QString soundfont_;
    std::mutex mutex_;
    std::vector<std::unique_ptr<Synth>> idle_;
};

}  // namespace luma::audio
