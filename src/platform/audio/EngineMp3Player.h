#pragma once

#include "platform/Mp3Player.h"
#include "platform/audio/AudioEngine.h"

#include <QString>

#include <memory>

namespace luma::audio {

class SndfileSource;

// The MP3 player over the audio engine. play() opens the named file afresh and plays it from the
// start; a file that cannot be played plays nothing and leaves the position at 0. The position
// counts the frames delivered, so it stops advancing when the file ends, and stays where it was on
// stop().
class EngineMp3Player : public Mp3Player {
public:
    explicit EngineMp3Player(std::shared_ptr<AudioEngine> engine);
    ~EngineMp3Player() override;

    void setFileName(const QString& path) override { fileName_ = path; }
    QString fileName() const override { return fileName_; }
    void play() override;
    void stop() override;
    double position() const override;

    // True while the file is being mixed in and has not ended.
    bool isPlaying() const;

private:
    std::shared_ptr<AudioEngine> engine_;
    QString fileName_;
    std::shared_ptr<SndfileSource> source_;
    AudioEngine::SourceId id_ = 0;
};

}  // namespace luma::audio
