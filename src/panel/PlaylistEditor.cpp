#include "panel/PlaylistEditor.h"

#include "music/ListTexts.h"

#include "panel/FileDialogStart.h"
#include "panel/ListClicks.h"
#include "panel/ListEntries.h"
#include "panel/ListFiller.h"
#include "panel/PlaylistFiles.h"
#include "panel/SoundTab.h"
#include "platform/FileDialog.h"
#include "settings/SettingsKeys.h"
#include "settings/StoredList.h"
#include "startup/Program.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <utility>

namespace luma {
namespace {

const QString kMusicFilter = QStringLiteral(
    "Supported files(*.wav;*.mp3;*.mid)|*.wav;*.mp3;*.mid|"
    "Playlists(*.m3u;*.m3u8;*.pls)|*.m3u;*.m3u8;*.pls");
const QString kMusicExtension = QStringLiteral("mp3");

}  // namespace

PlaylistEditor::PlaylistEditor(Program& program, SoundTab& tab, QString& lastDialogFile)
    : QObject(&tab),
      program_(program),
      tab_(tab),
      lastDialogFile_(lastDialogFile),
      filler_(new ListFiller(program, tab.playlistBox, keys::kMusic,
                             ListRules{hasMusicEnding, true},
                             QStringLiteral("the playlist takes music files named .wav, .mp3 or "
                                            ".mid (or .WAV, .MP3, .MID)."))) {
    connect(tab.addMusicFolderButton, &QPushButton::clicked, this, &PlaylistEditor::addFolder);
    connect(tab.loadListButton, &QPushButton::clicked, this, &PlaylistEditor::loadPlaylist);
    connect(tab.browseMusicButton, &QPushButton::clicked, this, &PlaylistEditor::browseMusic);
    connect(tab.addSelectionButton, &QPushButton::clicked, this, &PlaylistEditor::addSelection);
    connect(tab.addAllTracksButton, &QPushButton::clicked, this, &PlaylistEditor::addAllTracks);
    connect(tab.removeEntryButton, &QPushButton::clicked, this, &PlaylistEditor::removeEntry);
    connect(new ListClicks(tab.playlistBox), &ListClicks::clicked, this,
            &PlaylistEditor::chooseEntry);
    connect(new ListClicks(tab.trackListBox), &ListClicks::clicked, this,
            &PlaylistEditor::chooseTrack);
    connect(tab.musicFileBox, &QLineEdit::textChanged, this, [this] { chosen_.clear(); });
}

StoredList PlaylistEditor::playlist() const {
    return StoredList(program_.store(), keys::kMusic);
}

QStringList PlaylistEditor::entries() const {
    return listTexts(tab_.playlistBox);
}

QString PlaylistEditor::dialogStart() const {
    return fileDialogStart(tab_.musicFileBox->text(), lastDialogFile_,
                           QStandardPaths::MusicLocation);
}

void PlaylistEditor::showInList(const QStringList& entries) {
    tab_.playlistBox->clear();
    tab_.playlistBox->addItems(entries);
}

void PlaylistEditor::loadPlaylist() {
    // Appends: the load runs on a fresh panel.
    tab_.playlistBox->addItems(playlist().readAll());
}

void PlaylistEditor::browseMusic() {
    const QStringList chosen =
        program_.fileDialog().openFiles(&tab_, kMusicFilter, kMusicExtension, dialogStart());
    if (chosen.isEmpty() || chosen.first().isEmpty()) {
        return;
    }
    lastDialogFile_ = chosen.first();
    tab_.musicFileBox->setText(chosen.first());
    chosen_ = chosen;  // after the text, whose change drops any earlier choice
}

void PlaylistEditor::addSelection() {
    const QString text = tab_.musicFileBox->text();
    const QStringList chosen = std::exchange(chosen_, {});
    if (!chosen.isEmpty() && text == chosen.first() &&
        (chosen.size() > 1 || playlistFormatOf(text))) {
        filler_->add(chosen);
        return;
    }
    tab_.playlistBox->addItem(text);
    playlist().append(tab_.playlistBox->count(), text);
}

void PlaylistEditor::addFolder() {
    filler_->addFolder(&tab_, dialogStart());
}

void PlaylistEditor::addAllTracks() {
    const QStringList tracks = listTexts(tab_.trackListBox);
    if (tracks.isEmpty()) {
        return;
    }
    tab_.playlistBox->addItems(tracks);
    // One write for the whole addition: the store then holds exactly what the box shows.
    playlist().rewrite(entries());
}

void PlaylistEditor::removeEntry() {
    const int row = tab_.playlistBox->currentRow();
    const QListWidgetItem* selected = tab_.playlistBox->item(row);
    if (selected == nullptr || !selected->isSelected()) {
        return;  // nothing selected: nothing changes
    }
    QStringList kept = entries();
    kept.removeAt(row);
    const qsizetype before = kept.size();
    kept = musicEntries(kept);
    if (kept.size() == before) {
        delete tab_.playlistBox->takeItem(row);  // not a rebuild of 100,000 entries
    } else {
        showInList(kept);
    }
    playlist().rewrite(kept);
}

void PlaylistEditor::chooseEntry(int row) {
    if (const QListWidgetItem* item = tab_.playlistBox->item(row)) {
        showSelection(item->text());
    }
}

void PlaylistEditor::chooseTrack(int row) {
    if (const QListWidgetItem* item = tab_.trackListBox->item(row)) {
        showSelection(item->text());
    }
}

void PlaylistEditor::showSelection(const QString& entry) {
    tab_.musicFileBox->setText(entry);
    chosen_.clear();  // the same text emits no change
}

void PlaylistEditor::refreshCdEntries() {
    const QStringList before = entries();
    const QStringList after = refreshedCdEntries(before, listTexts(tab_.trackListBox));
    for (int i = 0; i < tab_.playlistBox->count(); ++i) {
        if (before[i] != after[i]) {
            tab_.playlistBox->item(i)->setText(after[i]);
        }
    }
    // The store follows the box; when it already holds the same entries nothing is written.
    const StoredList stored = playlist();
    for (qsizetype i = 0; i < after.size(); ++i) {
        if (stored.item(static_cast<std::int32_t>(i + 1)) != after[i]) {
            playlist().rewrite(after);
            return;
        }
    }
}

}  // namespace luma
