// The "Sound" tab's playlist editing: adding, removing, list clicks and the refresh of CD entries.
#include "PanelHarness.h"
#include "panel/ControlIds.h"

#include "settings/SettingsKeys.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>

namespace luma::paneltest {
namespace {

// A disc whose track i lasts lengths[i - 1].
void insertDisc(PanelHarness& p, const QStringList& lengths) {
    auto* media = p.h.fakes.media;
    media->responses[QStringLiteral("status cd number of tracks")] = {
        0, QString::number(lengths.size())};
    for (int i = 0; i < lengths.size(); ++i) {
        media->responses[QStringLiteral("status cd length track %1").arg(i + 1)] = {0, lengths[i]};
    }
}

struct PlaylistEditing : ::testing::Test {
    void openWith(const QStringList& playlist) {
        p.setList(keys::kMusic, playlist);
        p.open();
        p.find<QTabWidget>(panel_ids::kTabs)->setCurrentIndex(1);
        p.store().clearLog();
        list = p.find<QListWidget>(panel_ids::kPlaylist);
        selection = p.find<QLineEdit>(panel_ids::kMusicFileBox);
    }
    PanelHarness p;
    QListWidget* list = nullptr;
    QLineEdit* selection = nullptr;
};

TEST_F(PlaylistEditing, RemoveKeepsOnlyRecognisedEntriesInOrder) {
    openWith({"/m/a.mp3", "0", "typed name", "/m/b.Wav", "/m/c.mid", "CD Track [ 2 ] 00:03:00 CD",
              "/m/d.WAV"});
    clickRow(list, 4);
    EXPECT_EQ(selection->text(), QStringLiteral("/m/c.mid")) << "a click copies the entry";
    clickWithMouse(p.find<QPushButton>(panel_ids::kRemoveEntryButton));
    const QStringList kept = {"/m/a.mp3", "CD Track [ 2 ] 00:03:00 CD", "/m/d.WAV"};
    EXPECT_EQ(p.items(panel_ids::kPlaylist), kept);
    EXPECT_EQ(p.storedList(keys::kMusic), kept);
    EXPECT_EQ(p.store().log().front().batch, p.store().log().back().batch) << "one write";
}

TEST_F(PlaylistEditing, RemoveWithNothingSelectedChangesNothing) {
    openWith({"/m/a.mp3", "junk"});
    clickWithMouse(p.find<QPushButton>(panel_ids::kRemoveEntryButton));
    EXPECT_EQ(p.items(panel_ids::kPlaylist), QStringList({"/m/a.mp3", "junk"}));
    EXPECT_TRUE(p.store().log().empty());
}

TEST_F(PlaylistEditing, AddSelectionAppendsItUnchangedEvenWhenEmpty) {
    openWith({"/m/a.mp3"});
    selection->setText(QStringLiteral("/m/b.Mp3"));
    clickWithMouse(p.find<QPushButton>(panel_ids::kAddSelectionButton));
    selection->clear();
    clickWithMouse(p.find<QPushButton>(panel_ids::kAddSelectionButton));
    EXPECT_EQ(p.storedList(keys::kMusic), QStringList({"/m/a.mp3", "/m/b.Mp3", ""}));
    clickRow(list, 0);
    clickWithMouse(p.find<QPushButton>(panel_ids::kRemoveEntryButton));
    EXPECT_EQ(p.storedList(keys::kMusic), QStringList()) << "mixed case and empty are dropped";
}

TEST_F(PlaylistEditing, AddAllCdTracksTwiceAddsEveryTrackTwice) {
    insertDisc(p, {"00:04:00", "00:02:30"});
    openWith({"/m/a.wav"});
    auto* tracks = p.find<QListWidget>(panel_ids::kTrackList);
    ASSERT_EQ(tracks->count(), 2);
    EXPECT_EQ(tracks->item(1)->data(Qt::UserRole).toInt(), 2);
    clickWithMouse(p.find<QPushButton>(panel_ids::kAddAllTracksButton));
    clickWithMouse(p.find<QPushButton>(panel_ids::kAddAllTracksButton));
    const QString t1 = QStringLiteral("CD Track [ 1 ] 00:04:00 CD");
    const QString t2 = QStringLiteral("CD Track [ 2 ] 00:02:30 CD");
    EXPECT_EQ(p.storedList(keys::kMusic), QStringList({"/m/a.wav", t1, t2, t1, t2}));
    EXPECT_EQ(p.items(panel_ids::kPlaylist), p.storedList(keys::kMusic));
    clickRow(tracks, 1);
    EXPECT_EQ(selection->text(), t2);
}

TEST_F(PlaylistEditing, BrowseForMusicFillsTheSelectionUnlessCancelled) {
    openWith({});
    p.h.fakes.fileDialog->answers = {{QStringLiteral("/m/song.mid")}, {}, {QString()}};
    for (int i = 0; i < 3; ++i) {
        clickWithMouse(p.find<QPushButton>(panel_ids::kBrowseMusicButton));
    }
    EXPECT_EQ(selection->text(), QStringLiteral("/m/song.mid"));
    const auto& r = p.h.fakes.fileDialog->requests;
    EXPECT_EQ(r[0].filter, QStringLiteral("Supported files(*.wav;*.mp3;*.mid)|*.wav;*.mp3;*.mid|"
                                          "Playlists(*.m3u;*.m3u8;*.pls)|*.m3u;*.m3u8;*.pls"));
    EXPECT_EQ(r[0].defaultExtension, QStringLiteral("mp3"));
    EXPECT_EQ(r[2].start, QStringLiteral("/m/song.mid"));
}

TEST_F(PlaylistEditing, RefreshFollowsTheDiscAndKeepsEntriesItLacks) {
    insertDisc(p, {"00:04:00", "00:05:55"});
    const QString sameDisc = QStringLiteral("CD Track [ 1 ] 00:04:00 CD");
    const QString otherLength = QStringLiteral("CD Track [ 2 ] 00:01:00 CD");
    const QString notOnDisc = QStringLiteral("CD Track [ 9 ] 00:07:00 CD");
    openWith({sameDisc, otherLength, notOnDisc, "/m/a.mp3"});
    const QStringList expected = {sameDisc, "CD Track [ 2 ] 00:05:55 CD", notOnDisc, "/m/a.mp3"};
    EXPECT_EQ(p.items(panel_ids::kPlaylist), expected);
    EXPECT_EQ(p.storedList(keys::kMusic), expected);

    // Another drive whose disc is the same: nothing to change, nothing written.
    p.h.fakes.drives->drives = {"/dev/sr0", "/dev/sr1"};
    p.panel()->findCdDrives();
    p.store().clearLog();
    clickWithMouse(p.element(panel_ids::kDriveButton, 1));
    EXPECT_EQ(p.items(panel_ids::kPlaylist), expected);
    EXPECT_TRUE(p.store().log().empty());
}

}  // namespace
}  // namespace luma::paneltest
