#include "panel/PanelPlayer.h"

#include "music/ListTexts.h"
#include "panel/SoundTab.h"
#include "startup/Program.h"

#include <QEvent>
#include <QListWidget>
#include <QPushButton>

namespace luma {
namespace {

// Events run before each start, and the player goes on only while the panel is open. An entry's
// end runs "Play", so that a mouse button held down on it plays the entry selected.
PlaylistPlayer::Options previewOptions(std::function<bool()> panelOpen,
                                       std::function<void(const QString&)> chosen,
                                       PanelPlayer& player) {
    PlaylistPlayer::Options options;
    options.eventsRunBeforeStart = true;
    options.stillWanted = std::move(panelOpen);
    options.chosen = std::move(chosen);
    options.entryEnded = [&player] { return player.playNextEntry(); };
    return options;
}

}  // namespace

PanelPlayer::PanelPlayer(Program& program, SoundTab& tab, std::function<bool()> panelOpen)
    : QObject(&tab),
      tab_(tab),
      music_(
          PlayerDevices{program.media(),
                        [&program]() -> Mp3Player& {
                            program.player();  // which hosts the media player
                            return program.mp3();
                        },
                        program.random(), program.timers(), program.cdReply,
                        program.currentSelection},
          previewOptions(
              std::move(panelOpen), [this](const QString& entry) { emit entryChosen(entry); },
              *this),
          [&tab] { return listTexts(tab.playlistBox); }, position_, program.settings.randomOrder),
      playButton_(tab.playButton) {
    tab.playButton->installEventFilter(this);
    connect(tab.playButton, &QPushButton::clicked, this, [this] { playNextEntry(); });
    connect(tab.stopButton, &QPushButton::clicked, this, &PanelPlayer::stopAllMusic);
}

bool PanelPlayer::eventFilter(QObject* watched, QEvent* event) {
    if (watched == playButton_ && (event->type() == QEvent::MouseButtonPress ||
                                   event->type() == QEvent::MouseButtonDblClick)) {
        notePlayPressed();
    }
    return QObject::eventFilter(watched, event);
}

void PanelPlayer::notePlayPressed() {
    playSelected = true;
}

bool PanelPlayer::playNextEntry() {
    const QListWidget* list = tab_.playlistBox;
    if (list->count() == 0) {
        return true;
    }
    const bool selected = playSelected;
    playSelected = false;
    if (!selected) {
        return music_.playNext();
    }
    const QListWidgetItem* item = list->currentItem();
    return music_.play(item != nullptr && item->isSelected() ? item->text() : QString());
}

void PanelPlayer::stopAllMusic() {
    music_.stop();
}

void PanelPlayer::disableTimers() {
    music_.stopPollers();
}

}  // namespace luma
