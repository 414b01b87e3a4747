#include "music/CdTracks.h"
#include "music/EntryKind.h"

#include "support/FakeServices.h"

#include <gtest/gtest.h>

namespace luma::test {
namespace {

TEST(CdTrackText, NumberRightAlignedInTwoCharacters) {
    EXPECT_EQ(cdTrackText(3, QStringLiteral("00:04:12")), u"CD Track [ 3 ] 00:04:12 CD");
    EXPECT_EQ(cdTrackText(12, QStringLiteral("00:02:00")), u"CD Track [12 ] 00:02:00 CD");
    for (int n : {1, 7, 10, 42, 99}) {
        EXPECT_EQ(cdTrackNumber(cdTrackText(n, QStringLiteral("x"))), n);
        EXPECT_EQ(entryKind(cdTrackText(n, QStringLiteral("00:01:00"))), EntryKind::CdTrack);
    }
    EXPECT_EQ(cdTrackNumber(QStringLiteral("CD Track [ab] x CD")), std::nullopt);
}

TEST(cutAtNul, TakesTheTextBeforeTheFirstNul) {
    EXPECT_EQ(cutAtNul(QStringLiteral("12") + QChar(u'\0') + QStringLiteral("  junk")), u"12");
    EXPECT_EQ(cutAtNul(QStringLiteral("no terminator")), QString());
    EXPECT_EQ(cutAtNul(QString(QChar(u'\0'))), QString());
}

TEST(CdDriveCaption, UpperCasesDriveLettersOnly) {
    EXPECT_EQ(cdDriveCaption(QStringLiteral("d:\\")), u"D:\\");
    EXPECT_EQ(cdDriveCaption(QStringLiteral("e:")), u"E:");
    EXPECT_EQ(cdDriveCaption(QStringLiteral("/dev/sr0")), u"/dev/sr0");
    EXPECT_EQ(cdDriveCaption(QStringLiteral("/home/a/disc.cue")), u"/home/a/disc.cue");
}

TEST(EntryKind, LastThreeCharactersInOneCase) {
    const struct {
        const char* entry;
        EntryKind kind;
    } cases[] = {
        {"/m/a.wav", EntryKind::Wave},   {"/m/a.WAV", EntryKind::Wave},
        {"/m/a.Wav", EntryKind::None},   {"/m/a.mid", EntryKind::Midi},
        {"/m/a.MID", EntryKind::Midi},   {"/m/a.mp3", EntryKind::Mp3},
        {"/m/a.MP3", EntryKind::Mp3},    {"/m/a.Mp3", EntryKind::None},
        {"/m/a.mp3   ", EntryKind::Mp3}, {"Empty", EntryKind::None},
        {"", EntryKind::None},           {"x CD", EntryKind::CdTrack},
        {"x cd", EntryKind::CdTrack},    {"xCD", EntryKind::None},
        {"/m/a.ogg", EntryKind::None},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(entryKind(QString::fromLatin1(c.entry)), c.kind) << c.entry;
    }
    EXPECT_TRUE(endsInMp3(QStringLiteral("  a.MP3 ")));
    EXPECT_FALSE(endsInMp3(QStringLiteral("a.Mp3")));
}

TEST(ListCdTracks, ListsEveryTrackWithItsLength) {
    EventLog log;
    RecordingMediaControl media(log);
    media.handler = [](const QString& command) -> std::optional<RecordingMediaControl::Response> {
        if (command == u"status cd number of tracks") {
            return RecordingMediaControl::Response{0, QStringLiteral("12")};
        }
        if (command.startsWith(QStringLiteral("status cd length track "))) {
            return RecordingMediaControl::Response{
                0, QStringLiteral("00:03:") + command.mid(23).rightJustified(2, u'0')};
        }
        return std::nullopt;
    };
    const CdTrackListing listing = listCdTracks(media);
    EXPECT_TRUE(listing.opened);
    EXPECT_EQ(listing.countText, u"12");
    ASSERT_EQ(listing.tracks.size(), 12);
    EXPECT_EQ(listing.tracks[2], u"CD Track [ 3 ] 00:03:03 CD");
    EXPECT_EQ(listing.tracks[11], u"CD Track [12 ] 00:03:12 CD");
    EXPECT_EQ(media.commands().mid(0, 5),
              (QStringList{"stop cd", "close cd", "open cdaudio alias cd",
                           "status cd number of tracks", "set cd time format hms"}));
    EXPECT_EQ(media.commands().last(), u"close cd");
}

TEST(ListCdTracks, NoDeviceListsNothing) {
    EventLog log;
    RecordingMediaControl media(log);
    media.responses[QStringLiteral("open cdaudio alias cd")] = {263, {}};
    const CdTrackListing listing = listCdTracks(media);
    EXPECT_FALSE(listing.opened);
    EXPECT_TRUE(listing.tracks.isEmpty());
    EXPECT_FALSE(media.commands().contains(QStringLiteral("status cd number of tracks")));
}

TEST(ListCdTracks, AnAbsurdCountIsCappedAtADiscsLimit) {
    EventLog log;
    RecordingMediaControl media(log);
    media.responses[QStringLiteral("status cd number of tracks")] = {0,
                                                                     QStringLiteral("2000000000")};
    EXPECT_EQ(listCdTracks(media).tracks.size(), 99);
}

}  // namespace
}  // namespace luma::test
