#pragma once

#include "runtime/Timer.h"
#include "startup/Windows.h"

#include <QWidget>

#include <memory>
#include <set>
#include <vector>

class QListWidget;
class QPushButton;

namespace luma {

class Program;

// The hidden music player: walks the stored playlist endlessly, in order or at random, starting
// each entry through the device routines and finding its end by polling once a second.
//
// An entry that cannot play (no kind, a file that does not open, a disc that is missing) is passed
// over at the next tick; when no entry of the playlist can play, the player stops and says so once.
class BackgroundPlayer : public QWidget, public PlayerWindow {
public:
    explicit BackgroundPlayer(Program& program);
    ~BackgroundPlayer() override;

    // PlayerWindow
    void load() override;
    void unload() override;
    void showWindow() override;
    void hideWindow() override;
    bool isShown() const override;
    void disableTimers() override;
    void startMusic() override;
    void stopAllMusic() override;

    void loadCdTracks();
    void loadPlaylist();
    void playNextEntry();
    void findCdDrives();

    void playCdEntry(const QString& entry);
    void playWaveEntry(const QString& entry);
    void playMidiEntry(const QString& entry);
    void playMp3Entry(const QString& entry);

    void pollCdEnd();
    void pollWaveEnd();
    void pollMidiEnd();
    void pollMp3End();

    QListWidget* trackListBox = nullptr;
    QListWidget* playlistBox = nullptr;
    std::vector<QPushButton*> driveButtons;  // element 0 exists from the start
    Timer cdEndPoll;
    Timer waveEndPoll;
    Timer midiEndPoll;
    Timer mp3EndPoll;
    Timer skipTimer;  // passes over an entry that could not start

    float lastCdSeconds = 0;
    float mp3Previous = 0;
    float mp3Current = 0;

private:
    void entryEnded();
    void entryFailed();
    void addCdButton(const QString& caption);

    Program& program_;
    std::set<std::int32_t> failedPositions_;
    bool silenceReported_ = false;
};

}  // namespace luma
