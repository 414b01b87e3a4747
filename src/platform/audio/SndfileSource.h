#pragma once

#include "platform/audio/RateConverter.h"
#include "platform/audio/TimedSource.h"

#include <QString>

#include <sndfile.h>

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>

namespace luma::audio {

// A wave or MP3 file (anything libsndfile reads; MPEG layer III through mpg123), delivered as
// stereo at the engine rate. Mono is doubled, channels past the second are dropped, other rates
// are converted. Length and position count the file's own frames, so they are exact.
class SndfileSource : public TimedSource {
public:
    // Null, with the reason in `error`, when the file cannot be opened or decoded.
    static std::unique_ptr<SndfileSource> open(const QString& path, SourceError* error = nullptr);

    std::size_t render(float* out, std::size_t frames) override;

    std::int64_t lengthMs() const override { return msOfFrames(lengthFrames_, rate_); }
    std::int64_t positionMs() const override;
    bool ended() const override { return ended_.load(); }
    void setEndMs(std::int64_t ms) override;
    bool seekMs(std::int64_t ms) override;

    int sampleRate() const { return rate_; }
    std::int64_t lengthFrames() const { return lengthFrames_; }
    std::int64_t positionFrames() const { return position_.load(); }
    double positionSeconds() const { return double(position_.load()) / rate_; }

private:
    struct FileCloser {
        void operator()(SNDFILE* f) const { sf_close(f); }
    };
    static constexpr std::size_t kReadFrames = 1024;
    static constexpr std::size_t kPadFrames = 4096;

    SndfileSource(SNDFILE* file, const SF_INFO& info, std::unique_ptr<RateConverter> converter);
    std::int64_t frameAt(std::int64_t ms) const;
    // Reads up to `frames` file frames (never past the end) as stereo into stereo_; 0 at the end.
    std::size_t readStereo(std::size_t frames);
    std::size_t renderDirect(float* out, std::size_t frames);
    std::size_t renderConverted(float* out, std::size_t frames);
    void endInput();
    void finish();

    std::unique_ptr<SNDFILE, FileCloser> file_;
    const int rate_;
    const int fileChannels_;
    const std::int64_t lengthFrames_;
    std::unique_ptr<RateConverter> converter_;  // null when the file runs at the engine rate

    // Owned by whoever renders (the audio thread while mixed).
    std::int64_t readFrame_ = 0;   // next file frame to read
    std::int64_t startFrame_ = 0;  // where this run began
    std::int64_t converted_ = 0;   // engine frames delivered in this run (converted files)
    std::int64_t fed_ = 0;         // file frames given to the converter in this run
    std::int64_t target_ = 0;      // engine frames this run yields, known once the input ends
    bool inputDone_ = false;
    std::array<float, kReadFrames * 8> fileBuffer_{};
    std::array<float, kReadFrames * kChannels> stereo_{};

    std::atomic<std::int64_t> end_;
    std::atomic<std::int64_t> position_{0};
    std::atomic<bool> ended_{false};
};

}  // namespace luma::audio
