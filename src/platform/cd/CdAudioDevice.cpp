#include "platform/cd/CdAudioDevice.h"

#include "platform/cd/CdTime.h"
#include "platform/mci/MciErrors.h"

namespace luma::cd {

namespace {

// Image files never stall on hardware, so a late read is worth waiting for; a drive spinning up
// must not hold up the mixer, so its stream plays silence until the music arrives.
CdAudioSource::Options streamOptions(CdDisc::Kind kind) {
    CdAudioSource::Options options;
    options.stallLimit = kind == CdDisc::Kind::Image ? std::chrono::milliseconds(1000)
                                                     : std::chrono::milliseconds(0);
    return options;
}

std::optional<int> trackNumber(const QString& text) {
    bool ok = false;
    const int number = text.trimmed().toInt(&ok);
    return ok ? std::optional<int>(number) : std::nullopt;
}

// The rest of `item` after `prefix`, when it starts so.
std::optional<QString> after(const QString& item, QLatin1String prefix) {
    return item.startsWith(prefix) ? std::optional<QString>(item.mid(prefix.size())) : std::nullopt;
}

QString boolText(bool value) {
    return value ? QStringLiteral("true") : QStringLiteral("false");
}

}  // namespace

CdAudioDevice::CdAudioDevice(audio::AudioEngine& engine, std::unique_ptr<CdDisc> disc)
    : engine_(engine), disc_(std::move(disc)) {
    if (const CdToc* toc = disc_->toc()) {
        knownToc_ = *toc;
        position_ = toc->discStart();
    }
}

CdAudioDevice::~CdAudioDevice() {
    endStream();
}

void CdAudioDevice::endStream() {
    if (stream_) {
        engine_.stop(streamId_);
        stream_.reset();
        streamId_ = 0;
    }
}

const CdToc* CdAudioDevice::currentToc() {
    const CdToc* toc = disc_->refresh();
    if (toc == nullptr) {
        endStream();
        knownToc_.reset();
        return nullptr;
    }
    if (!knownToc_ || *knownToc_ != *toc) {
        endStream();
        knownToc_ = *toc;
        position_ = toc->discStart();
    }
    return toc;
}

std::int32_t CdAudioDevice::position(const CdToc& toc) {
    if (!stream_) {
        return position_;
    }
    if (!stream_->finished() && engine_.isSounding(streamId_)) {
        return stream_->currentSector();
    }
    const bool atDiscEnd = stream_->reachedEnd() && stream_->endSector() == toc.leadout();
    position_ = atDiscEnd ? toc.discStart() : stream_->currentSector();
    endStream();
    return position_;
}

std::optional<std::int32_t> CdAudioDevice::sectorOf(const QString& text, const CdToc& toc,
                                                    Role role, int& error) const {
    if (role == Role::Seek) {
        const QString word = text.trimmed().toLower();
        if (word == QLatin1String("start")) {
            return toc.discStart();
        }
        if (word == QLatin1String("end")) {
            return toc.leadout();
        }
    }
    const auto time = parseTime(format_, text);
    if (!time) {
        error = mci::kBadInteger;
        return std::nullopt;
    }
    std::int64_t sector = 0;
    if (format_ == mci::TimeFormat::Tmsf) {
        if (role == Role::To && time->track > toc.lastTrack()) {
            return toc.leadout();
        }
        if (!toc.hasTrack(time->track)) {
            error = mci::kOutOfRange;
            return std::nullopt;
        }
        sector = toc.trackStart(time->track) + time->sectors;
    } else {
        // Addresses before the first track (the lead-in) mean the start of the music.
        sector = std::max<std::int64_t>(time->sectors - kAddressOffset, toc.discStart());
    }
    if (sector > toc.leadout()) {
        error = mci::kOutOfRange;
        return std::nullopt;
    }
    return static_cast<std::int32_t>(sector);
}

int CdAudioDevice::play(const std::optional<QString>& from, const std::optional<QString>& to) {
    const CdToc* toc = currentToc();
    if (toc == nullptr) {
        return mci::kDeviceNotReady;
    }
    int error = mci::kOk;
    const auto start = from ? sectorOf(*from, *toc, Role::From, error) : position(*toc);
    const auto end = to ? sectorOf(*to, *toc, Role::To, error) : toc->leadout();
    if (!start || !end) {
        return error;
    }
    if (*start > *end) {
        return mci::kOutOfRange;
    }
    endStream();
    position_ = *start;
    if (*start == *end) {
        return mci::kOk;
    }
    if (!toc->isAudioSector(*start)) {
        return mci::kUnsupportedFunction;  // a data track
    }
    // The stream reads through a handle of its own, opened on its own thread.
    SectorReaderFactory open = [root = disc_->root()]() -> std::unique_ptr<SectorReader> {
        return CdDisc::open(root);
    };
    auto stream = std::make_shared<CdAudioSource>(std::move(open), *toc, *start, *end,
                                                  streamOptions(disc_->kind()));
    const audio::AudioEngine::SourceId id = engine_.start(stream);
    if (id == 0) {
        return mci::kDeviceNotReady;  // no sound output
    }
    stream_ = std::move(stream);
    streamId_ = id;
    return mci::kOk;
}

int CdAudioDevice::stop() {
    const CdToc* toc = currentToc();
    if (toc == nullptr) {
        return mci::kDeviceNotReady;
    }
    position_ = position(*toc);
    endStream();
    return mci::kOk;
}

int CdAudioDevice::seek(const QString& to) {
    const CdToc* toc = currentToc();
    if (toc == nullptr) {
        return mci::kDeviceNotReady;
    }
    int error = mci::kOk;
    const auto target = sectorOf(to, *toc, Role::Seek, error);
    if (!target) {
        return error;
    }
    endStream();
    position_ = *target;
    return mci::kOk;
}

int CdAudioDevice::setTimeFormat(mci::TimeFormat format) {
    format_ = format;
    return mci::kOk;
}

QString CdAudioDevice::positionText(std::int32_t sector, const CdToc& toc) const {
    switch (format_) {
        case mci::TimeFormat::Tmsf: {
            const int track = toc.trackAt(sector);
            return tmsfText(track, sector - toc.trackStart(track));
        }
        case mci::TimeFormat::Msf:
            return msfText(sector + kAddressOffset);
        case mci::TimeFormat::Hms:
            return hmsText(sector + kAddressOffset);
        case mci::TimeFormat::Milliseconds:
            return msText(sector + kAddressOffset);
    }
    return {};
}

QString CdAudioDevice::lengthText(std::int32_t sectors) const {
    switch (format_) {
        case mci::TimeFormat::Tmsf:
        case mci::TimeFormat::Msf:
            return msfText(sectors);
        case mci::TimeFormat::Hms:
            return hmsText(sectors);
        case mci::TimeFormat::Milliseconds:
            return msText(sectors);
    }
    return {};
}

int CdAudioDevice::status(const QString& item, QString& reply) {
    reply.clear();
    if (item == QLatin1String("time format")) {
        reply = timeFormatName(format_);
        return mci::kOk;
    }
    const CdToc* toc = currentToc();
    if (item == QLatin1String("media present")) {
        reply = boolText(toc != nullptr);
        return mci::kOk;
    }
    if (item == QLatin1String("ready")) {
        reply = boolText(toc != nullptr);
        return mci::kOk;
    }
    if (item == QLatin1String("mode") && toc == nullptr) {
        reply = disc_->trayOpen() ? QStringLiteral("open") : QStringLiteral("not ready");
        return mci::kOk;
    }
    if (toc == nullptr) {
        return mci::kDeviceNotReady;
    }
    return statusWithDisc(item, *toc, reply);
}

int CdAudioDevice::statusWithDisc(const QString& item, const CdToc& toc, QString& reply) {
    if (item == QLatin1String("mode")) {
        position(toc);  // settles an ended stream
        reply = stream_ ? QStringLiteral("playing") : QStringLiteral("stopped");
        return mci::kOk;
    }
    if (item == QLatin1String("number of tracks")) {
        reply = QString::number(toc.trackCount());
        return mci::kOk;
    }
    if (item == QLatin1String("length")) {
        reply = lengthText(toc.discLength());
        return mci::kOk;
    }
    if (item == QLatin1String("position")) {
        reply = positionText(position(toc), toc);
        return mci::kOk;
    }
    if (item == QLatin1String("current track")) {
        reply = QString::number(toc.trackAt(position(toc)));
        return mci::kOk;
    }
    const auto lengthOf = after(item, QLatin1String("length track "));
    const auto startOf = after(item, QLatin1String("position track "));
    if (lengthOf || startOf) {
        const auto track = trackNumber(lengthOf ? *lengthOf : *startOf);
        if (!track) {
            return mci::kBadInteger;
        }
        if (!toc.hasTrack(*track)) {
            return mci::kOutOfRange;
        }
        reply = lengthOf ? lengthText(toc.trackLength(*track))
                         : positionText(toc.trackStart(*track), toc);
        return mci::kOk;
    }
    return mci::kUnrecognizedKeyword;
}

}  // namespace luma::cd
