#pragma once

#include "runtime/Timer.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <memory>
#include <set>

namespace luma {

class MediaControl;
class Mp3Player;
class Random;

// What a playlist player drives, and the values it shares with the rest of the program.
struct PlayerDevices {
    MediaControl& media;
    std::function<Mp3Player&()> mp3;  // the window that hosts it may have to be loaded first
    Random& random;
    TimerService& timers;
    QString& cdReply;           // the CD queries' reply buffer
    QString& currentSelection;  // the entry last chosen, by any player
};

// Plays a playlist without end: chooses the next entry (in order, wrapping, or at random), stops
// every device, starts the entry by its kind and then watches it with a once-a-second poller for
// its kind, which notices the end and plays the next entry (or what the options say).
//
// The background player and the control panel's preview both play through this class; what differs
// between them are the options.
class PlaylistPlayer {
public:
    struct Options {
        // An entry that cannot play (no kind, a file that does not open, an MP3 that never starts,
        // a CD track whose play fails) is passed over at the next tick, and when no entry can play
        // the player stops and says so once. Without it the player stays on such an entry,
        // silent, until it is stopped.
        bool passOverUnplayable = false;
        // The CD, wave and MIDI pollers let pending events run at the end of every tick.
        bool pollsLetEventsRun = false;
        // Pending events run once an entry is chosen, before the music stops for it; whether the
        // player is still wanted afterwards is asked of `stillWanted`.
        bool eventsRunBeforeStart = false;
        std::function<bool()> stillWanted;
        // Learns every entry chosen, before it starts.
        std::function<void(const QString&)> chosen;
        // What plays when an entry ends, false as for playNext(); without it the next entry.
        std::function<bool()> entryEnded;
    };

    // `entries` gives the playlist as it is now; `position` is the 1-based position last chosen
    // (0 before the first); `randomOrder` is read at every choice (1: at random).
    PlaylistPlayer(PlayerDevices devices, Options options, std::function<QStringList()> entries,
                   std::int32_t& position, const std::int16_t& randomOrder);
    ~PlaylistPlayer();
    PlaylistPlayer(const PlaylistPlayer&) = delete;
    PlaylistPlayer& operator=(const PlaylistPlayer&) = delete;

    // Chooses the entry after the last one chosen and plays it; nothing when the playlist is
    // empty. False when the player went away while pending events ran; nothing of it may then be
    // touched.
    bool playNext();
    // Plays `entry` without moving the position; false as for playNext().
    bool play(const QString& entry);
    // Stops every device and every poller.
    void stop();
    void stopPollers();
    // Forgets the entries that could not play and whether that was said.
    void resetFailures();

    Timer cdEndPoll;
    Timer waveEndPoll;
    Timer midiEndPoll;
    Timer mp3EndPoll;
    Timer skipTimer;  // passes over an entry that could not start
    double lastCdSeconds = 0;
    double mp3Previous = 0;
    double mp3Current = 0;

private:
    bool start(const QString& entry);
    void playWaveEntry(const QString& entry);
    void playMidiEntry(const QString& entry);
    void playMp3Entry(const QString& entry);
    void playCdEntry(const QString& entry);
    void cannotStart();
    void pollCdEnd();
    void pollWaveEnd();
    void pollMidiEnd();
    void pollMp3End();
    void letEventsRun();
    // What follows an entry's end; false as for playNext().
    bool entryEnded();
    bool entryFailed();

    PlayerDevices devices_;
    Options options_;
    std::function<QStringList()> entries_;
    std::int32_t& position_;
    const std::int16_t& randomOrder_;
    std::set<std::int32_t> failedPositions_;
    bool silenceReported_ = false;
    // Cleared when the player goes; a handler that let events run checks it before going on.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace luma
