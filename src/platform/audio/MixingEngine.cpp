#include "platform/audio/MixingEngine.h"

#include <QMetaObject>

namespace luma::audio {

MixingEngine::MixingEngine(std::unique_ptr<AudioOutput> output, std::chrono::milliseconds idleGrace)
    : output_(std::move(output)),
      idleGrace_(idleGrace),
      context_(std::make_unique<QObject>()),
      idleTimer_(new QTimer(context_.get())) {
    idleTimer_->setSingleShot(true);
    QObject::connect(idleTimer_, &QTimer::timeout, context_.get(), [this] { suspendIfIdle(); });
    // Runs on the audio thread: only posts to the GUI thread.
    mixer_.setAllEndedListener([this] { scheduleIdleCheck(); });
}

MixingEngine::~MixingEngine() {
    output_->close();  // no more mixing after this
    mixer_.setAllEndedListener({});
}

AudioEngine::SourceId MixingEngine::start(std::shared_ptr<AudioSource> source) {
    if (!source) {
        return 0;
    }
    idleTimer_->stop();
    mixer_.takeEnded();
    const SourceId id = mixer_.add(std::move(source));
    if (!running_) {
        running_ = output_->resume(mixer_);
        if (!running_) {
            mixer_.remove(id);
            return 0;
        }
    }
    return id;
}

void MixingEngine::stop(SourceId id) {
    if (mixer_.remove(id) && !mixer_.anyActive()) {
        scheduleIdleCheck();
    }
}

bool MixingEngine::isSounding(SourceId id) const {
    return id != 0 && mixer_.isActive(id);
}

void MixingEngine::shutdown() {
    idleTimer_->stop();
    output_->close();
    running_ = false;
    mixer_.takeAll();
}

void MixingEngine::scheduleIdleCheck() {
    QMetaObject::invokeMethod(
        context_.get(), [this] { checkIdle(); }, Qt::QueuedConnection);
}

void MixingEngine::checkIdle() {
    mixer_.takeEnded();
    if (!running_ || mixer_.anyActive()) {
        return;
    }
    if (idleGrace_.count() > 0) {
        idleTimer_->start(idleGrace_);
    } else {
        suspendIfIdle();
    }
}

void MixingEngine::suspendIfIdle() {
    mixer_.takeEnded();
    if (running_ && !mixer_.anyActive()) {
        output_->suspend();
        running_ = false;
    }
}

}  // namespace luma::audio
