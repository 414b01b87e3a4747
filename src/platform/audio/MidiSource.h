#pragma once

#include "platform/audio/MidiTiming.h"
#include "platform/audio/SynthPool.h"
#include "platform/audio/TimedSource.h"

#include <QByteArray>
#include <QString>

#include <fluidsynth.h>

#include <array>
#include <atomic>
#include <memory>

namespace luma::audio {

// A Standard MIDI File played by a FluidSynth player on a synthesizer of the pool, rendered into
// the mixer (no FluidSynth audio driver). The file ends with its last event: FluidSynth's own
// player would linger for seconds after it. Length and position are in milliseconds of the file's
// tempo map; the position counts rendered frames.
class MidiSource : public TimedSource {
public:
    // Null, with the reason in `error`, when the file is missing or no MIDI file, or when the pool
    // has no soundfont.
    static std::unique_ptr<MidiSource> open(const std::shared_ptr<SynthPool>& pool,
                                            const QString& path, SourceError* error = nullptr);
    ~MidiSource() override;

    std::size_t render(float* out, std::size_t frames) override;

    std::int64_t lengthMs() const override { return timing_.lengthMs(); }
    std::int64_t positionMs() const override;
    bool ended() const override { return ended_.load(); }
    void setEndMs(std::int64_t ms) override;
    bool seekMs(std::int64_t ms) override;

private:
    struct PlayerDeleter {
        void operator()(fluid_player_t* p) const { delete_fluid_player(p); }
    };
    static constexpr std::size_t kBlockFrames = 256;

    MidiSource(std::unique_ptr<SynthPool::Lease> lease, QByteArray data, MidiTiming timing);
    // A fresh player at `ms`; the previous one goes with its sounding notes.
    bool restartAt(std::int64_t ms);
    std::int64_t endFrameOfRun() const;

    std::unique_ptr<SynthPool::Lease> lease_;
    const QByteArray data_;
    const MidiTiming timing_;
    std::unique_ptr<fluid_player_t, PlayerDeleter> player_;

    // Owned by whoever renders (the audio thread while mixed).
    std::int64_t startMs_ = 0;
    std::int64_t rendered_ = 0;  // engine frames rendered since startMs_
    std::int64_t pendingSeekTick_ = -1;
    std::array<float, kBlockFrames * 2> discard_{};

    std::atomic<std::int64_t> endMs_;
    std::atomic<std::int64_t> position_{0};  // ms
    std::atomic<bool> ended_{false};
};

}  // namespace luma::audio
