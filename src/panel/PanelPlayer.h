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
    bool Command32_Click();
    void Command32_MouseDown();  // a mouse button went down on "Play"
    void Command35_Click();      // "stop"
    void disableTimers();

    void PanelPlayWave(const QString& entry);
    void PanelPlayMidi(const QString& entry);
    void PanelPlayMp3(const QString& entry);
    void PanelPlayCd(const QString& entry);

    Timer Timer2;  // CD track
    Timer Timer3;  // wave file
    Timer Timer4;  // MIDI file
    Timer Timer5;  // MP3 file

    int PanelPosition = 0;  // 1-based position last chosen by "next"
    bool PlaySelectedFlag = false;
    QString PanelLastCdTime;
    double PanelMp3Previous = 0;
    double PanelMp3Current = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Timer2_Timer();
    void Timer3_Timer();
    void Timer4_Timer();
    void Timer5_Timer();

    Program& program_;
    SoundTab& tab_;
    std::function<bool()> panelOpen_;
    // "Play", as the event filter knows it: compared by address only, as the filter still sees
    // the button's last events while the tab that holds it is being destroyed.
    const QObject* const playButton_;
};

}  // namespace luma
