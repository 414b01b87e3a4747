#include "platform/audio/SndfileSource.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace luma::audio {

std::unique_ptr<SndfileSource> SndfileSource::open(const QString& path, SourceError* error) {
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
    if (!info.isFile() || !info.isReadable()) {
        return fail(SourceError::Unreadable);
    }
    SF_INFO sf{};
    SNDFILE* file = sf_open(QFile::encodeName(path).constData(), SFM_READ, &sf);
    if (!file) {
        return fail(SourceError::Undecodable);
    }
    std::unique_ptr<SNDFILE, FileCloser> owned(file);
    if (sf.samplerate <= 0 || sf.channels <= 0 || sf.frames < 0) {
        return fail(SourceError::Undecodable);
    }
    std::unique_ptr<RateConverter> converter;
    if (sf.samplerate != kRate) {
        converter = RateConverter::create(sf.samplerate);
        if (!converter) {
            return fail(SourceError::Undecodable);
        }
    }
    if (error) {
        *error = SourceError::None;
    }
    return std::unique_ptr<SndfileSource>(
        new SndfileSource(owned.release(), sf, std::move(converter)));
}

SndfileSource::SndfileSource(SNDFILE* file, const SF_INFO& info,
                             std::unique_ptr<RateConverter> converter)
    : file_(file),
      rate_(info.samplerate),
      fileChannels_(info.channels),
      lengthFrames_(info.frames),
      converter_(std::move(converter)),
      end_(info.frames) {
    ended_ = lengthFrames_ == 0;
}

std::int64_t SndfileSource::positionMs() const {
    const std::int64_t end = end_.load();
    if (ended_.load()) {
        return msOfFrames(end, rate_);
    }
    // Below the end until the last frame is out, even where rounding would meet it earlier.
    return std::max<std::int64_t>(
        0, std::min(msOfFrames(position_.load(), rate_), msOfFrames(end, rate_) - 1));
}

std::int64_t SndfileSource::frameAt(std::int64_t ms) const {
    // The length in milliseconds is rounded down: at or past it means the last frame.
    return ms >= lengthMs() ? lengthFrames_ : framesOfMs(std::max<std::int64_t>(ms, 0), rate_);
}

void SndfileSource::setEndMs(std::int64_t ms) {
    end_ = frameAt(ms);
}

bool SndfileSource::seekMs(std::int64_t ms) {
    const std::int64_t target = frameAt(ms);
    // Nothing is read at the end, and some decoders refuse a seek to it.
    if (target < lengthFrames_ && sf_seek(file_.get(), target, SEEK_SET) < 0) {
        return false;
    }
    readFrame_ = startFrame_ = target;
    converted_ = 0;
    fed_ = 0;
    target_ = 0;
    inputDone_ = false;
    if (converter_) {
        converter_->clear();
    }
    position_ = target;
    ended_ = target >= end_.load();
    return true;
}

std::size_t SndfileSource::render(float* out, std::size_t frames) {
    if (ended_.load()) {
        return 0;
    }
    return converter_ ? renderConverted(out, frames) : renderDirect(out, frames);
}

std::size_t SndfileSource::readStereo(std::size_t frames) {
    const std::int64_t left = end_.load() - readFrame_;
    const auto wanted = static_cast<sf_count_t>(
        std::min<std::int64_t>({static_cast<std::int64_t>(frames), std::int64_t(kReadFrames),
                                std::max<std::int64_t>(left, 0)}));
    if (wanted == 0) {
        return 0;
    }
    // Files with many channels are read in smaller pieces so that the buffer holds them.
    const sf_count_t perRead =
        std::min<sf_count_t>(wanted, sf_count_t(fileBuffer_.size()) / fileChannels_);
    if (perRead <= 0) {
        return 0;
    }
    const sf_count_t got = sf_readf_float(file_.get(), fileBuffer_.data(), perRead);
    if (got <= 0) {
        return 0;
    }
    for (sf_count_t i = 0; i < got; ++i) {
        const float* frame = fileBuffer_.data() + i * fileChannels_;
        stereo_[i * 2] = frame[0];
        stereo_[i * 2 + 1] = fileChannels_ > 1 ? frame[1] : frame[0];
    }
    readFrame_ += got;
    return static_cast<std::size_t>(got);
}

std::size_t SndfileSource::renderDirect(float* out, std::size_t frames) {
    std::size_t written = 0;
    while (written < frames) {
        const std::size_t got = readStereo(frames - written);
        if (got == 0) {
            finish();
            break;
        }
        std::copy_n(stereo_.data(), got * kChannels, out + written * kChannels);
        written += got;
        position_ = readFrame_;
    }
    if (readFrame_ >= end_.load()) {
        finish();
    }
    return written;
}

std::size_t SndfileSource::renderConverted(float* out, std::size_t frames) {
    std::size_t written = 0;
    while (written < frames) {
        std::size_t want = frames - written;
        if (inputDone_) {
            want = std::min<std::size_t>(
                want, static_cast<std::size_t>(std::max<std::int64_t>(target_ - converted_, 0)));
        }
        const std::size_t got = want > 0 ? converter_->get(out + written * kChannels, want) : 0;
        written += got;
        converted_ += static_cast<std::int64_t>(got);
        if (written == frames) {
            break;
        }
        if (inputDone_) {
            finish();  // everything is out
            break;
        }
        const std::size_t read = readStereo(kReadFrames);
        if (read > 0 && converter_->put(stereo_.data(), read)) {
            fed_ += static_cast<std::int64_t>(read);
        } else {
            endInput();
        }
    }
    if (inputDone_ && converted_ >= target_) {
        finish();
    }
    if (!ended_.load()) {
        position_ = std::min(startFrame_ + converted_ * rate_ / kRate, end_.load());
    }
    return written;
}

void SndfileSource::endInput() {
    // SDL's resampler keeps the last frames of its input back even when flushed; silence pushes
    // them out, and the target keeps the silence itself from being delivered.
    stereo_.fill(0.0f);
    for (std::size_t padded = 0; padded < kPadFrames; padded += kReadFrames) {
        converter_->put(stereo_.data(), kReadFrames);
    }
    converter_->flush();
    target_ = (fed_ * kRate + rate_ / 2) / rate_;
    inputDone_ = true;
}

void SndfileSource::finish() {
    // A file shorter than its header says (a cut-off download) ends here as well: the position
    // jumps to the end so that whoever waits for the end sees it.
    position_ = end_.load();
    ended_ = true;
}

}  // namespace luma::audio
