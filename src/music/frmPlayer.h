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
class frmPlayer : public QWidget, public PlayerWindow {
public:
    explicit frmPlayer(Program& program);
    ~frmPlayer() override;

    // PlayerWindow
    void load() override;
    void unload() override;
    void showWindow() override;
    void hideWindow() override;
    bool isShown() const override;
    void disableTimers() override;
    void StartMusic() override;
    void Command35_Click() override;

    void Command29_Click();
    void Command31_Click();
    void PlayNextSelection();
    void FindCdDrives();

    void PlayCdItem(const QString& entry);
    void PlayWaveItem(const QString& entry);
    void PlayMidiItem(const QString& entry);
    void PlayMp3Item(const QString& entry);

    void Timer2_Timer();
    void Timer3_Timer();
    void Timer4_Timer();
    void Timer5_Timer();

    QListWidget* List3 = nullptr;
    QListWidget* List4 = nullptr;
    std::vector<QPushButton*> CD;  // element 0 exists from the start
    Timer Timer2;                  // CD track ended?
    Timer Timer3;                  // wave file ended?
    Timer Timer4;                  // MIDI file ended?
    Timer Timer5;                  // MP3 file ended?
    Timer SkipTimer;               // passes over an entry that could not start

    float LastCdSeconds = 0;
    float Mp3Previous = 0;
    float Mp3Current = 0;

private:
    void entryEnded();
    void entryFailed();
    void addCdButton(const QString& caption);

    Program& program_;
    std::set<std::int32_t> failedPositions_;
    bool silenceReported_ = false;
};

}  // namespace luma
