#include "panel/SoundTab.h"
#include "panel/ControlIds.h"

#include "panel/ButtonSizing.h"
#include "panel/CdDriveButtons.h"
#include "panel/NamedButton.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

namespace luma {
namespace {

QLabel* label(QLatin1String name, const char* caption, QWidget* parent) {
    auto* l = new QLabel(QString::fromLatin1(caption), parent);
    l->setObjectName(QString(name));
    return l;
}

QListWidget* list(QLatin1String name, QWidget* parent) {
    auto* l = new QListWidget(parent);
    l->setObjectName(QString(name));
    l->setSelectionMode(QAbstractItemView::SingleSelection);
    l->setUniformItemSizes(true);
    return l;
}

}  // namespace

SoundTab::SoundTab(QWidget* parent) : QWidget(parent) {
    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(6, 4, 6, 4);
    auto* playlist = new QGroupBox(QStringLiteral("Playlist"), this);
    page->addWidget(playlist);
    auto* columns = new QHBoxLayout(playlist);
    columns->setContentsMargins(6, 2, 6, 4);
    columns->setSpacing(8);

    auto* cd = new QGroupBox(QStringLiteral("CD: Click on track to select it"), playlist);
    auto* cdColumn = new QVBoxLayout(cd);
    cdColumn->setContentsMargins(6, 2, 6, 4);
    cdColumn->setSpacing(3);
    trackListBox = list(panel_ids::kTrackList, cd);
    cdColumn->addWidget(trackListBox, 1);
    auto* tracksRow = new QHBoxLayout;
    tracksCaption = label(panel_ids::kTracksCaption, "Tracks", cd);
    trackCountLabel = label(panel_ids::kTrackCount, "", cd);
    tracksRow->addWidget(tracksCaption);
    tracksRow->addWidget(trackCountLabel, 1);
    cdColumn->addLayout(tracksRow);
    auto* drivesRow = new QHBoxLayout;
    updateCaption = label(panel_ids::kUpdateCaption, "Update", cd);
    drivesRow->addWidget(updateCaption);
    auto* drives = new QScrollArea(cd);
    drives->setFrameShape(QFrame::NoFrame);
    drives->setWidgetResizable(true);
    drives->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    driveButtons = new CdDriveButtons(drives);
    drives->setWidget(driveButtons);
    drives->viewport()->setAutoFillBackground(false);
    driveButtons->setAutoFillBackground(false);
    // Room for a row of buttons and, when they are more than fit, the bar to scroll them.
    drives->setFixedHeight(driveButtons->button(0)->sizeHint().height() +
                           drives->horizontalScrollBar()->sizeHint().height());
    drivesRow->addWidget(drives, 1);
    cdColumn->addLayout(drivesRow);
    driveLabel = label(panel_ids::kDriveLabel, "", cd);
    driveLabel->setTextFormat(Qt::PlainText);
    driveLabel->setWordWrap(true);
    cdColumn->addWidget(driveLabel);
    hiddenDriveLabel = label(panel_ids::kHiddenDriveLabel, "", cd);
    hiddenDriveLabel->hide();
    loadTracksButton = namedButton(panel_ids::kLoadTracksButton, "Load CD tracks", cd);
    cdColumn->addWidget(loadTracksButton);
    addAllTracksButton =
        namedButton(panel_ids::kAddAllTracksButton, "Add ALL CD Tracks to list", cd);
    cdColumn->addWidget(addAllTracksButton);
    columns->addWidget(cd, 2);

    auto* right = new QVBoxLayout;
    right->setSpacing(3);
    columns->addLayout(right, 3);
    auto* selection =
        new QGroupBox(QStringLiteral("Selection: browse to find music files"), playlist);
    auto* selectionRow = new QHBoxLayout(selection);
    selectionRow->setContentsMargins(6, 2, 6, 4);
    musicFileBox = new QLineEdit(selection);
    musicFileBox->setObjectName(panel_ids::kMusicFileBox);
    browseMusicButton = namedButton(panel_ids::kBrowseMusicButton, "...", selection);
    fitToCaption(browseMusicButton);
    selectionRow->addWidget(musicFileBox, 1);
    selectionRow->addWidget(browseMusicButton);
    right->addWidget(selection);
    addSelectionButton =
        namedButton(panel_ids::kAddSelectionButton, "Add selection to list", playlist);
    addMusicFolderButton =
        namedButton(panel_ids::kAddMusicFolderButton, "add folder\u2026", playlist);
    auto* addRow = new QHBoxLayout;
    addRow->addWidget(addSelectionButton);
    addRow->addWidget(addMusicFolderButton);
    addRow->addStretch(1);
    right->addLayout(addRow);
    playlistBox = list(panel_ids::kPlaylist, playlist);
    right->addWidget(playlistBox, 1);
    auto* playRow = new QHBoxLayout;
    playButton = namedButton(panel_ids::kPlayButton, "Play", playlist);
    stopButton = namedButton(panel_ids::kStopButton, "stop", playlist);
    removeEntryButton =
        namedButton(panel_ids::kRemoveEntryButton, "remove selection from List", playlist);
    fitToCaption(playButton);
    fitToCaption(stopButton);
    playRow->addWidget(playButton);
    playRow->addWidget(stopButton);
    playRow->addStretch(1);
    playRow->addWidget(removeEntryButton);
    right->addLayout(playRow);
    loadListButton = namedButton(panel_ids::kLoadListButton, "load list", playlist);
    loadListButton->hide();
}

}  // namespace luma
