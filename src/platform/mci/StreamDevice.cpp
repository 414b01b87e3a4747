#include "platform/mci/StreamDevice.h"

#include "platform/mci/MciErrors.h"

#include <QStringList>

namespace luma::mci {

StreamDevice::StreamDevice(std::shared_ptr<audio::AudioEngine> engine,
                           std::shared_ptr<audio::TimedSource> source)
    : engine_(std::move(engine)), source_(std::move(source)) {}

StreamDevice::~StreamDevice() {
    stopSource();
}

bool StreamDevice::isPlaying() const {
    return id_ != 0 && engine_->isSounding(id_) && !source_->ended();
}

void StreamDevice::stopSource() {
    if (id_ != 0) {
        engine_->stop(id_);
        id_ = 0;
    }
}

int StreamDevice::parseTime(const QString& text, std::int64_t& ms) const {
    bool ok = false;
    const qlonglong value = text.toLongLong(&ok);
    if (!ok) {
        return kBadInteger;
    }
    if (value < 0 || value > source_->lengthMs()) {
        return kOutOfRange;
    }
    ms = value;
    return kOk;
}

int StreamDevice::play(const std::optional<QString>& from, const std::optional<QString>& to) {
    const std::int64_t length = source_->lengthMs();
    std::int64_t start = 0;
    std::int64_t end = length;
    if (from) {
        if (const int e = parseTime(*from, start); e != kOk) {
            return e;
        }
    }
    if (to) {
        if (const int e = parseTime(*to, end); e != kOk) {
            return e;
        }
    }
    if (!from && isPlaying()) {
        // Already sounding: go on, only the end may change.
        if (end < source_->positionMs()) {
            return kOutOfRange;
        }
        source_->setEndMs(end);
        return kOk;
    }
    if (!from) {
        const std::int64_t position = source_->positionMs();
        start = position >= length && mayStartAgain() ? 0 : position;
    }
    if (end < start) {
        return kOutOfRange;
    }
    stopSource();
    source_->setEndMs(end);
    if (!source_->seekMs(start)) {
        return kHardware;
    }
    if (start >= end) {
        return kOk;  // nothing between the two
    }
    watched_ = false;
    endSeen_ = false;
    id_ = engine_->start(source_);
    return id_ != 0 ? kOk : kDeviceNotReady;
}

bool StreamDevice::mayStartAgain() const {
    // While music holds the alias "sound", the chime's play reaches the music's device. Started
    // again before its end poller has seen the end, the music would never end.
    return !watched_ || endSeen_;
}

int StreamDevice::stop() {
    stopSource();
    return kOk;
}

int StreamDevice::seek(const QString& to) {
    std::int64_t target = 0;
    if (to == u"end") {
        target = source_->lengthMs();
    } else if (to != u"start") {
        if (const int e = parseTime(to, target); e != kOk) {
            return e;
        }
    }
    stopSource();
    source_->setEndMs(source_->lengthMs());
    return source_->seekMs(target) ? kOk : kHardware;
}

int StreamDevice::setTimeFormat(TimeFormat format) {
    return format == TimeFormat::Milliseconds ? kOk : kBadTimeFormat;
}

int StreamDevice::status(const QString& item, QString& reply) {
    watched_ = true;
    endSeen_ = endSeen_ || source_->positionMs() >= source_->lengthMs();
    if (item == u"length") {
        reply = QString::number(source_->lengthMs());
    } else if (item == u"position") {
        reply = QString::number(source_->positionMs());
    } else if (item == u"mode") {
        reply = isPlaying() ? QStringLiteral("playing") : QStringLiteral("stopped");
    } else if (item == u"ready" || item == u"media present") {
        reply = QStringLiteral("true");
    } else if (item == u"time format") {
        reply = QStringLiteral("milliseconds");
    } else if (item == u"number of tracks" || item == u"current track") {
        reply = QStringLiteral("1");
    } else if (item.startsWith(u"length track ")) {
        bool ok = false;
        const int track = item.mid(13).toInt(&ok);
        if (!ok) {
            return kBadInteger;
        }
        if (track != 1) {
            return kOutOfRange;
        }
        reply = QString::number(source_->lengthMs());
    } else {
        return kUnrecognizedKeyword;
    }
    return kOk;
}

int openError(audio::SourceError error) {
    switch (error) {
        case audio::SourceError::None:
            return kOk;
        case audio::SourceError::NotFound:
            return kFileNotFound;
        case audio::SourceError::Unreadable:
            return kFileRead;
        case audio::SourceError::Undecodable:
            return kInvalidFile;
        case audio::SourceError::NoInstruments:
            return kCannotLoadDriver;
    }
    return kInternal;
}

}  // namespace luma::mci
