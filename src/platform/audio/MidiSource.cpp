#include "platform/audio/MidiSource.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace luma::audio {
namespace {
// MIDI files are small; anything larger is not one.
constexpr qint64 kMaxFileBytes = 64 * 1024 * 1024;
constexpr int kSynthBlock = 64;  // FluidSynth runs its player once per 64 frames
}  // namespace

std::unique_ptr<MidiSource> MidiSource::open(const std::shared_ptr<SynthPool>& pool,
                                             const QString& path, SourceError* error) {
    auto fail = [error](SourceError e) {
        if (error) {
            *error = e;
        }
        return nullptr;
    };
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists()) {
        return fail(SourceError::NotFound);
    }
    QFile file(path);
    if (!info.isFile() || !file.open(QIODevice::ReadOnly)) {
        return fail(SourceError::Unreadable);
    }
    if (file.size() > kMaxFileBytes) {
        return fail(SourceError::Undecodable);
    }
    QByteArray data = file.readAll();
    std::optional<MidiTiming> timing = MidiTiming::parse(data);
    if (!timing) {
        return fail(SourceError::Undecodable);
    }
    std::unique_ptr<SynthPool::Lease> lease = pool ? pool->acquire() : nullptr;
    if (!lease) {
        return fail(SourceError::NoInstruments);
    }
    std::unique_ptr<MidiSource> source(
        new MidiSource(std::move(lease), std::move(data), std::move(*timing)));
    if (!source->restartAt(0)) {
        return fail(SourceError::Undecodable);
    }
    if (error) {
        *error = SourceError::None;
    }
    return source;
}

MidiSource::MidiSource(std::unique_ptr<SynthPool::Lease> lease, QByteArray data, MidiTiming timing)
    : lease_(std::move(lease)),
      data_(std::move(data)),
      timing_(std::move(timing)),
      endMs_(timing_.lengthMs()) {}

MidiSource::~MidiSource() {
    player_.reset();  // before the synthesizer goes back to the pool
}

bool MidiSource::restartAt(std::int64_t ms) {
    player_.reset();
    fluid_synth_all_sounds_off(lease_->synth(), -1);
    player_.reset(new_fluid_player(lease_->synth()));
    if (!player_ ||
        fluid_player_add_mem(player_.get(), data_.constData(), static_cast<size_t>(data_.size())) !=
            FLUID_OK ||
        fluid_player_play(player_.get()) != FLUID_OK) {
        player_.reset();
        return false;
    }
    startMs_ = ms;
    rendered_ = 0;
    // The player takes a seek only once it has loaded the file, in its first block.
    pendingSeekTick_ = ms > 0 ? timing_.tickAt(ms) : -1;
    position_ = ms;
    ended_ = ms >= endMs_.load();
    return true;
}

std::int64_t MidiSource::positionMs() const {
    const std::int64_t end = endMs_.load();
    if (ended_.load()) {
        return end;
    }
    return std::max<std::int64_t>(0, std::min(position_.load(), end - 1));
}

void MidiSource::setEndMs(std::int64_t ms) {
    endMs_ = std::clamp<std::int64_t>(ms, 0, timing_.lengthMs());
}

bool MidiSource::seekMs(std::int64_t ms) {
    return restartAt(std::clamp<std::int64_t>(ms, 0, timing_.lengthMs()));
}

std::int64_t MidiSource::endFrameOfRun() const {
    return framesOfMs(endMs_.load() - startMs_, kRate);
}

std::size_t MidiSource::render(float* out, std::size_t frames) {
    if (ended_.load() || !player_) {
        return 0;
    }
    fluid_synth_t* synth = lease_->synth();
    if (pendingSeekTick_ >= 0) {
        fluid_synth_write_float(synth, kSynthBlock, discard_.data(), 0, 2, discard_.data(), 1, 2);
        fluid_player_seek(player_.get(), static_cast<int>(pendingSeekTick_));
        pendingSeekTick_ = -1;
    }
    std::size_t written = 0;
    bool finished = false;
    while (written < frames) {
        const std::int64_t left = endFrameOfRun() - rendered_;
        if (left <= 0 || fluid_player_get_status(player_.get()) == FLUID_PLAYER_DONE) {
            finished = true;
            break;
        }
        const auto n = static_cast<int>(std::min<std::int64_t>(
            {left, std::int64_t(kBlockFrames), std::int64_t(frames - written)}));
        float* block = out + written * kChannels;
        fluid_synth_write_float(synth, n, block, 0, 2, block, 1, 2);
        written += static_cast<std::size_t>(n);
        rendered_ += n;
    }
    if (!finished && rendered_ >= endFrameOfRun()) {
        finished = true;
    }
    if (finished) {
        ended_ = true;
    }
    position_ = startMs_ + msOfFrames(rendered_, kRate);
    return written;
}

}  // namespace luma::audio
