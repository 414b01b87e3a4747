#pragma once

#include <QString>

namespace luma {

// The one media player for MP3 files: a settable file name, play, stop, and the current position in
// seconds, which stops advancing when playback ends.
class Mp3Player {
public:
    virtual ~Mp3Player() = default;
    virtual void setFileName(const QString& path) = 0;
    virtual QString fileName() const = 0;
    virtual void play() = 0;
    virtual void stop() = 0;
    virtual double position() const = 0;
};

}  // namespace luma
