#pragma once

#include "music/PlaylistPlayer.h"

#include <QObject>

#include <cstdint>
#include <functional>

namespace luma {

class Program;
class SoundTab;

// The panel's own small music player: "Play" starts the entry selected in the playlist (when the
// mouse pressed the button) or the next one (keyboard, tray menu, end of an entry); "stop"
// silences everything. Unlike the background player it stays on an entry that cannot play, and it
// lets pending events run before each start.
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

    PlaylistPlayer& music() { return music_; }
    bool playSelected = false;

signals:
    void entryChosen(const QString& entry);  // each entry, before it starts

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    SoundTab& tab_;
    std::int32_t position_ = 0;  // the last position chosen by "next"; a new panel starts again
    PlaylistPlayer music_;
    // "Play", as the event filter knows it: compared by address only, as the filter still sees
    // the button's last events while the tab that holds it is being destroyed.
    const QObject* const playButton_;
};

}  // namespace luma
