#pragma once

#include "runtime/Timer.h"

#include <QObject>
#include <QString>

#include <cstdint>
#include <functional>

namespace luma {

class Program;
class SoundTab;

// The panel's own small music player: "Play" starts the entry selected in the playlist (when the
// mouse pressed the button) or the next one (keyboard, tray menu, end of an entry); "stop"
// silences everything. Four pollers, one per kind of entry, notice the end of an entry once a
// second and play the next.
class PanelPlayer : public QObject {
    Q_OBJECT
public:
    // `panelOpen` tells whether the panel that owns this player is still loaded.
    PanelPlayer(Program& program, SoundTab& tab, std::function<bool()> panelOpen);

    // "Play". Pending events run on the way; false when the panel was closed meanwhile, after
    // which the caller touches nothing of it.
    bool playNextEntry();
    void notePlayPressed();  // a mouse button went down on "Play"
    void stopAllMusic();     // "stop"
    void disableTimers();

    void playWaveEntry(const QString& entry);
    void playMidiEntry(const QString& entry);
    void playMp3Entry(const QString& entry);
    void playCdEntry(const QString& entry);

    Timer cdEndPoll;
    Timer waveEndPoll;
    Timer midiEndPoll;
    Timer mp3EndPoll;

    int position = 0;  // 1-based position last chosen by "next"
    bool playSelected = false;
    QString lastCdTime;
    double mp3Previous = 0;
    double mp3Current = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void pollCdEnd();
    void pollWaveEnd();
    void pollMidiEnd();
    void pollMp3End();

    Program& program_;
    SoundTab& tab_;
    std::function<bool()> panelOpen_;
    // "Play", as the event filter knows it: compared by address only, as the filter still sees
    // the button's last events while the tab that holds it is being destroyed.
    const QObject* const playButton_;
};

}  // namespace luma
