#pragma once

#include "platform/audio/AudioEngine.h"
#include "platform/audio/TimedSource.h"
#include "platform/mci/MciDevice.h"

#include <cstdint>
#include <memory>

namespace luma::mci {

// An open file device (wave, MIDI) playing one timed source through the engine; time format
// milliseconds only.
//
// play without "from" goes on from the current position, or from the start when the position is
// at the end (so a chime played again on its open device rings again); "to" ends the play there.
// A device whose status was asked since it started is started again only once a status has been
// asked at its end: whoever polls for the end of a file sees it.
// stop keeps the position; seek stops and moves it. Mode is "playing" or "stopped". Status items:
// "length", "position", "mode", "ready", "media present", "time format", "number of tracks",
// "current track" and "length track 1". play answers kDeviceNotReady when there is no sound output.
class StreamDevice : public Device {
public:
    StreamDevice(std::shared_ptr<audio::AudioEngine> engine,
                 std::shared_ptr<audio::TimedSource> source);
    ~StreamDevice() override;
    StreamDevice(const StreamDevice&) = delete;
    StreamDevice& operator=(const StreamDevice&) = delete;

    int play(const std::optional<QString>& from, const std::optional<QString>& to) override;
    int stop() override;
    int seek(const QString& to) override;
    int setTimeFormat(TimeFormat format) override;
    int status(const QString& item, QString& reply) override;

    bool isPlaying() const;

private:
    // A time in milliseconds, checked against the length; or an error.
    int parseTime(const QString& text, std::int64_t& ms) const;
    void stopSource();
    bool mayStartAgain() const;

    std::shared_ptr<audio::AudioEngine> engine_;
    std::shared_ptr<audio::TimedSource> source_;
    audio::AudioEngine::SourceId id_ = 0;
    bool watched_ = false;  // a status was asked since the last start
    bool endSeen_ = false;  // ... and one of them at the end
};

// The device error for a source that could not be opened.
int openError(audio::SourceError error);

}  // namespace luma::mci
