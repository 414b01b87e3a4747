#include "platform/audio/EngineMp3Player.h"

#include "platform/audio/SndfileSource.h"

namespace luma::audio {

EngineMp3Player::EngineMp3Player(std::shared_ptr<AudioEngine> engine)
    : engine_(std::move(engine)) {}

EngineMp3Player::~EngineMp3Player() {
    stop();
}

void EngineMp3Player::play() {
    stop();
    source_ = SndfileSource::open(fileName_);
    if (!source_) {
        return;
    }
    id_ = engine_->start(source_);
    if (id_ == 0) {
        source_.reset();  // no sound device: nothing plays and the position stays at 0
    }
}

void EngineMp3Player::stop() {
    if (id_ != 0) {
        engine_->stop(id_);
        id_ = 0;
    }
}

double EngineMp3Player::position() const {
    return source_ ? source_->positionSeconds() : 0.0;
}

bool EngineMp3Player::isPlaying() const {
    return id_ != 0 && engine_->isSounding(id_) && !source_->ended();
}

}  // namespace luma::audio
