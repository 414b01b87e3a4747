#pragma once

#include "platform/audio/AudioEngine.h"
#include "platform/audio/AudioOutput.h"
#include "platform/audio/Mixer.h"

#include <QObject>
#include <QTimer>

#include <chrono>
#include <memory>

namespace luma::audio {

// The audio engine: a mixer played through one output. Lives on the GUI thread. The output runs
// only while something sounds: start() resumes it, and once the last source has ended or been
// stopped the output is suspended from the event loop, after `idleGrace` without sound (so that a
// stop followed at once by a start, or the next playlist entry, keeps the device open).
class MixingEngine : public AudioEngine {
public:
    explicit MixingEngine(std::unique_ptr<AudioOutput> output,
                          std::chrono::milliseconds idleGrace = std::chrono::milliseconds(0));
    ~MixingEngine() override;
    MixingEngine(const MixingEngine&) = delete;
    MixingEngine& operator=(const MixingEngine&) = delete;

    SourceId start(std::shared_ptr<AudioSource> source) override;
    void stop(SourceId id) override;
    bool isSounding(SourceId id) const override;
    void shutdown() override;

    AudioOutput& output() { return *output_; }
    bool outputRunning() const { return running_; }

private:
    void scheduleIdleCheck();
    void checkIdle();
    void suspendIfIdle();

    Mixer mixer_;
    std::unique_ptr<AudioOutput> output_;
    bool running_ = false;
    const std::chrono::milliseconds idleGrace_;
    // Receives the queued idle checks; deleting it drops those still pending.
    std::unique_ptr<QObject> context_;
    QTimer* idleTimer_;  // child of context_
};

}  // namespace luma::audio
