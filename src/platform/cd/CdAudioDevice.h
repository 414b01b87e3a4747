#pragma once

#include "platform/audio/AudioEngine.h"
#include "platform/cd/CdAudioSource.h"
#include "platform/cd/CdDisc.h"
#include "platform/mci/MciDevice.h"

#include <memory>
#include <optional>

namespace luma::cd {

// One open "cdaudio" device: a drive or a disc image. Times are read and written in the current
// time format, msf until set otherwise:
// - tmsf: "tt:mm:ss:ff" for positions, a plain number is a track; lengths "mm:ss:ff";
// - msf "mm:ss:ff", hms "hh:mm:ss", ms decimal: positions are disc addresses (the first sector of
//   the disc is 00:02:00), lengths spans;
// Playing to the end of the disc rewinds to its start, so that a poller sees the position fall
// when the last track ends, as it does at the start of the next track. A missing disc answers
// kDeviceNotReady; "media present" then says "false" and "mode" "not ready" (or "open").
// GUI thread only.
class CdAudioDevice final : public mci::Device {
public:
    CdAudioDevice(audio::AudioEngine& engine, std::unique_ptr<CdDisc> disc);
    ~CdAudioDevice() override;

    int play(const std::optional<QString>& from, const std::optional<QString>& to) override;
    int stop() override;
    int seek(const QString& to) override;
    int setTimeFormat(mci::TimeFormat format) override;
    int status(const QString& item, QString& reply) override;

private:
    enum class Role { From, To, Seek };

    // The disc now in the drive; a changed or removed disc ends the stream and resets the position.
    const CdToc* currentToc();
    // The current position; settles a stream that has ended.
    std::int32_t position(const CdToc& toc);
    // A time text in the current format as a sector; 0 or an error in `error`.
    std::optional<std::int32_t> sectorOf(const QString& text, const CdToc& toc, Role role,
                                         int& error) const;
    QString positionText(std::int32_t sector, const CdToc& toc) const;
    QString lengthText(std::int32_t sectors) const;
    int statusWithDisc(const QString& item, const CdToc& toc, QString& reply);
    void endStream();

    audio::AudioEngine& engine_;
    std::unique_ptr<CdDisc> disc_;
    std::optional<CdToc> knownToc_;
    mci::TimeFormat format_ = mci::TimeFormat::Msf;
    std::int32_t position_ = 0;
    std::shared_ptr<CdAudioSource> stream_;
    audio::AudioEngine::SourceId streamId_ = 0;
};

}  // namespace luma::cd
