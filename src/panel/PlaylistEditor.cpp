#include "panel/PlaylistEditor.h"

#include "panel/ListClicks.h"
#include "panel/ListEntries.h"
#include "panel/SoundTab.h"
#include "platform/FileDialog.h"
#include "settings/SettingsKeys.h"
#include "settings/StoredList.h"
#include "startup/Program.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace luma {
namespace {

const QString kMusicFilter = QStringLiteral("Supported files(*.wav;*.mp3;*.mid)|*.wav;*.mp3;*.mid");
const QString kMusicExtension = QStringLiteral("mp3");

QStringList texts(const QListWidget* list) {
    QStringList result;
    result.reserve(list->count());
    for (int i = 0; i < list->count(); ++i) {
        result.append(list->item(i)->text());
    }
    return result;
}

}  // namespace

PlaylistEditor::PlaylistEditor(Program& program, SoundTab& tab, QString& lastDialogFile)
    : QObject(&tab), program_(program), tab_(tab), lastDialogFile_(lastDialogFile) {
    connect(tab.Command31, &QPushButton::clicked, this, &PlaylistEditor::Command31_Click);
    connect(tab.Command27, &QPushButton::clicked, this, &PlaylistEditor::Command27_Click);
    connect(tab.Command28, &QPushButton::clicked, this, &PlaylistEditor::Command28_Click);
    connect(tab.Command3, &QPushButton::clicked, this, &PlaylistEditor::Command3_Click);
    connect(tab.Command36, &QPushButton::clicked, this, &PlaylistEditor::Command36_Click);
    connect(new ListClicks(tab.List4), &ListClicks::clicked, this, &PlaylistEditor::List4_Click);
    connect(new ListClicks(tab.List3), &ListClicks::clicked, this, &PlaylistEditor::List3_Click);
}

StoredList PlaylistEditor::playlist() const {
    return StoredList(program_.store(), keys::kMusic);
}

QStringList PlaylistEditor::entries() const {
    return texts(tab_.List4);
}

void PlaylistEditor::showInList(const QStringList& entries) {
    tab_.List4->clear();
    tab_.List4->addItems(entries);
}

void PlaylistEditor::Command31_Click() {
    // Appends: the load runs on a fresh panel.
    tab_.List4->addItems(playlist().readAll());
}

void PlaylistEditor::Command27_Click() {
    const std::optional<QString> chosen =
        program_.fileDialog().open(&tab_, kMusicFilter, kMusicExtension, lastDialogFile_);
    if (!chosen || chosen->isEmpty()) {
        return;
    }
    lastDialogFile_ = *chosen;
    tab_.txtMusic->setText(*chosen);
}

void PlaylistEditor::Command28_Click() {
    const QString text = tab_.txtMusic->text();
    tab_.List4->addItem(text);
    playlist().append(tab_.List4->count(), text);
}

void PlaylistEditor::Command3_Click() {
    const QStringList tracks = texts(tab_.List3);
    if (tracks.isEmpty()) {
        return;
    }
    tab_.List4->addItems(tracks);
    // One write for the whole addition: the store then holds exactly what the box shows.
    playlist().rewrite(entries());
}

void PlaylistEditor::Command36_Click() {
    const int row = tab_.List4->currentRow();
    const QListWidgetItem* selected = tab_.List4->item(row);
    if (selected == nullptr || !selected->isSelected()) {
        return;  // nothing selected: nothing changes
    }
    QStringList kept = entries();
    kept.removeAt(row);
    kept = musicEntries(kept);
    showInList(kept);
    playlist().rewrite(kept);
}

void PlaylistEditor::List4_Click(int row) {
    if (const QListWidgetItem* item = tab_.List4->item(row)) {
        tab_.txtMusic->setText(item->text());
    }
}

void PlaylistEditor::List3_Click(int row) {
    if (const QListWidgetItem* item = tab_.List3->item(row)) {
        tab_.txtMusic->setText(item->text());
    }
}

void PlaylistEditor::RefreshCdEntries() {
    const QStringList before = entries();
    const QStringList after = refreshedCdEntries(before, texts(tab_.List3));
    for (int i = 0; i < tab_.List4->count(); ++i) {
        if (before[i] != after[i]) {
            tab_.List4->item(i)->setText(after[i]);
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
