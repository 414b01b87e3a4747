#include "music/PlaylistPlayer.h"

#include "music/DeviceRoutines.h"
#include "music/EndPolls.h"
#include "music/EntryKind.h"
#include "platform/Mp3Player.h"
#include "runtime/PendingEvents.h"
#include "runtime/Random.h"

#include <cstdio>

namespace luma {
namespace {

constexpr int kPollMs = 1000;

}  // namespace

PlaylistPlayer::PlaylistPlayer(PlayerDevices devices, Options options,
                               std::function<QStringList()> entries, std::int32_t& position,
                               const std::int16_t& randomOrder)
    : cdEndPoll(devices.timers, kPollMs),
      waveEndPoll(devices.timers, kPollMs),
      midiEndPoll(devices.timers, kPollMs),
      mp3EndPoll(devices.timers, kPollMs),
      skipTimer(devices.timers, kPollMs),
      devices_(std::move(devices)),
      options_(std::move(options)),
      entries_(std::move(entries)),
      position_(position),
      randomOrder_(randomOrder) {
    cdEndPoll.setHandler([this] { pollCdEnd(); });
    waveEndPoll.setHandler([this] { pollWaveEnd(); });
    midiEndPoll.setHandler([this] { pollMidiEnd(); });
    mp3EndPoll.setHandler([this] { pollMp3End(); });
    skipTimer.setHandler([this] {
        skipTimer.setEnabled(false);
        entryFailed();
    });
}

PlaylistPlayer::~PlaylistPlayer() {
    *alive_ = false;
}

void PlaylistPlayer::resetFailures() {
    failedPositions_.clear();
    silenceReported_ = false;
}

bool PlaylistPlayer::playNext() {
    const QStringList entries = entries_();
    const auto count = static_cast<std::int32_t>(entries.size());
    if (count == 0) {
        return true;
    }
    if (randomOrder_ == 1) {
        devices_.random.reseedFromClock();
        position_ = static_cast<std::int32_t>(count * devices_.random.next()) + 1;
    } else if (position_ < count) {
        ++position_;
    } else {
        position_ = 1;
    }
    if (position_ > count || position_ < 1) {
        position_ = 1;
    }
    return start(entries[position_ - 1]);
}

bool PlaylistPlayer::play(const QString& entry) {
    return start(entry);
}

bool PlaylistPlayer::start(const QString& entry) {
    devices_.currentSelection = entry;
    if (options_.chosen) {
        options_.chosen(entry);
    }
    if (options_.eventsRunBeforeStart) {
        // A click landing now may close the owner: destroyed, or closed and waiting to go.
        const std::shared_ptr<bool> alive = alive_;
        processPendingEvents();
        if (!*alive || (options_.stillWanted && !options_.stillWanted())) {
            return false;
        }
    }
    stop();
    switch (entryKind(entry)) {
        case EntryKind::Wave:
            playWaveEntry(entry);
            break;
        case EntryKind::Midi:
            playMidiEntry(entry);
            break;
        case EntryKind::Mp3:
            playMp3Entry(entry);
            break;
        case EntryKind::CdTrack:
            playCdEntry(entry);
            break;
        case EntryKind::None:
            cannotStart();
            break;
    }
    return true;
}

void PlaylistPlayer::stop() {
    stopAllDevices(devices_.media, devices_.mp3());
    lastCdSeconds = 0;
    stopPollers();
}

void PlaylistPlayer::stopPollers() {
    for (Timer* timer : {&cdEndPoll, &waveEndPoll, &midiEndPoll, &mp3EndPoll, &skipTimer}) {
        timer->setEnabled(false);
    }
}

void PlaylistPlayer::cannotStart() {
    if (options_.passOverUnplayable) {
        skipTimer.setEnabled(true);
    }
}

void PlaylistPlayer::playWaveEntry(const QString& entry) {
    // A file that does not open is found out by the poller: its device answers no length.
    playWaveFile(devices_.media, entry);
    waveEndPoll.setEnabled(true);
}

void PlaylistPlayer::playMidiEntry(const QString& entry) {
    playMidiFile(devices_.media, entry);
    midiEndPoll.setEnabled(true);
}

void PlaylistPlayer::playMp3Entry(const QString& entry) {
    if (!endsInMp3(entry)) {
        cannotStart();
        return;
    }
    playMp3File(devices_.mp3(), entry);
    mp3EndPoll.setEnabled(true);
}

void PlaylistPlayer::playCdEntry(const QString& entry) {
    // A new track starts at 0:00; the time seen on a track played before must not end this one.
    lastCdSeconds = 0;
    if (!playCdTrack(devices_.media, devices_.cdReply, entry) && options_.passOverUnplayable) {
        cannotStart();
        return;
    }
    cdEndPoll.setEnabled(true);
}

void PlaylistPlayer::letEventsRun() {
    if (options_.pollsLetEventsRun) {
        processPendingEvents();
    }
}

void PlaylistPlayer::pollCdEnd() {
    if (const std::optional<int> seconds = cdSecondsIntoTrack(devices_.media, devices_.cdReply)) {
        if (*seconds < lastCdSeconds) {
            cdEndPoll.setEnabled(false);
            rewindCd(devices_.media);
            if (!entryEnded()) {
                return;
            }
        }
        lastCdSeconds = *seconds;
    }
    letEventsRun();
}

void PlaylistPlayer::pollWaveEnd() {
    const WaveProgress progress = waveProgress(devices_.media);
    if (options_.passOverUnplayable && (progress.result != 0 || progress.length <= 0)) {
        // Not open, or nothing to play: this entry cannot play.
        waveEndPoll.setEnabled(false);
        if (!entryFailed()) {
            return;
        }
    } else if (progress.fraction >= 1) {
        waveEndPoll.setEnabled(false);
        closeWave(devices_.media);
        if (!entryEnded()) {
            return;
        }
    }
    letEventsRun();
}

void PlaylistPlayer::pollMidiEnd() {
    const MidiMode mode = midiMode(devices_.media);
    if (options_.passOverUnplayable && mode.result != 0) {
        midiEndPoll.setEnabled(false);
        if (!entryFailed()) {
            return;
        }
    } else if (mode.stopped) {
        midiEndPoll.setEnabled(false);
        lastCdSeconds = 0;
        if (!entryEnded()) {
            return;
        }
    }
    letEventsRun();
}

void PlaylistPlayer::pollMp3End() {
    Mp3Player& mp3 = devices_.mp3();
    mp3Previous = mp3Current;
    mp3Current = mp3.position();
    if (mp3Previous != mp3Current) {
        return;
    }
    mp3.stop();
    lastCdSeconds = 0;
    mp3EndPoll.setEnabled(false);
    if (options_.passOverUnplayable && mp3Current == 0) {
        entryFailed();  // it never started
    } else {
        entryEnded();
    }
}

bool PlaylistPlayer::entryEnded() {
    failedPositions_.clear();
    return options_.entryEnded ? options_.entryEnded() : playNext();
}

bool PlaylistPlayer::entryFailed() {
    failedPositions_.insert(position_);
    if (static_cast<qsizetype>(failedPositions_.size()) >= entries_().size()) {
        stop();
        if (!silenceReported_) {
            silenceReported_ = true;
            std::fprintf(stderr,
                         "lumafolio: no entry of the playlist can be played; the music stops\n");
            std::fflush(stderr);
        }
        return true;
    }
    return playNext();
}

}  // namespace luma
