#include "TestSources.h"
#include "ToneDisc.h"
#include "platform/cd/CdAudioSource.h"
#include "platform/cd/CdDisc.h"
#include "platform/cd/CdTime.h"
#include "platform/cd/CdToc.h"
#include "platform/cd/CdioDriveList.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <condition_variable>
#include <map>
#include <mutex>
#include <set>

namespace luma::cd {
namespace {

using namespace std::chrono_literals;
using mci::TimeFormat;
using test::ToneTrack;

TEST(CdTime, ParsesEachFormatAndRefusesWhatIsNoTime) {
    constexpr auto T = TimeFormat::Tmsf, M = TimeFormat::Msf, H = TimeFormat::Hms;
    constexpr auto Ms = TimeFormat::Milliseconds;
    const std::tuple<TimeFormat, const char*, TimeValue> times[] = {
        {T, "7", {7, 0}},          {T, "2:01", {2, 60 * 75}},      {T, "02:00:03:10", {2, 235}},
        {T, " 3 ", {3, 0}},        {M, "3", {0, 3 * 60 * 75}},     {M, "1:02:03", {0, 4653}},
        {M, "00:02:00", {0, 150}}, {H, "1:00:01", {0, 3601 * 75}}, {H, "0:02:03", {0, 123 * 75}},
        {Ms, "2000", {0, 150}},    {Ms, "1013", {0, 75}},          {Ms, "0", {0, 0}}};
    for (const auto& [format, text, value] : times) {
        EXPECT_EQ(parseTime(format, QString::fromLatin1(text)), value) << text;
    }
    const std::pair<TimeFormat, std::vector<const char*>> refused[] = {
        {T, {"", "x", "-1", "100", "1:2:3:4:5", "1::3", "1:00:60:00", "1:00:00:75"}},
        {M, {"00:60:00", "0:0:75", "1:2:3:4", "+3"}},
        {H, {"0:60:00", "0:0:60"}},
        {Ms, {"1:00", "1.5", "9999999999"}}};
    for (const auto& [format, texts] : refused) {
        for (const char* text : texts) {
            EXPECT_FALSE(parseTime(format, QString::fromLatin1(text))) << text;
        }
    }
}

TEST(CdToc, TracksStartsLengthsAndWhatIsMusic) {
    // Tracks 1 (audio, 0..149), 2 (data, 150..374), 3 (audio, 375..599), lead-out 600.
    const CdToc toc = *CdToc::make({{1, 0, true}, {2, 150, false}, {3, 375, true}}, 600);
    EXPECT_EQ(std::tuple(toc.audioTrackCount(), toc.trackStart(2), toc.trackLength(1)),
              std::tuple(2, 150, 150));
    const std::tuple<std::int32_t, int, bool> sectors[] = {
        {-1, 1, false},  {0, 1, true},   {149, 1, true}, {150, 2, false},
        {374, 2, false}, {375, 3, true}, {599, 3, true}, {600, 3, false}};
    for (const auto& [sector, track, audio] : sectors) {
        EXPECT_EQ(toc.trackAt(sector), track) << sector;
        EXPECT_EQ(toc.isAudioSector(sector), audio) << sector;
    }
    EXPECT_FALSE(CdToc::make({}, 100));
    EXPECT_FALSE(CdToc::make({{1, 0, true}}, 0));                     // an empty track
    EXPECT_FALSE(CdToc::make({{1, 100, true}, {2, 50, true}}, 200));  // starts fall
    EXPECT_FALSE(CdToc::make({{1, 0, true}, {3, 50, true}}, 200));    // a number skipped
    EXPECT_FALSE(CdToc::make({{0, 0, true}}, 200));
    EXPECT_FALSE(CdToc::make({{1, -150, true}}, 200));
    EXPECT_FALSE(CdToc::make({{99, 0, true}, {100, 50, true}}, 200));
    EXPECT_TRUE(CdToc::make({{5, 150, true}, {6, 300, true}}, 450));
}

TEST(CdDisc, ReadsTheContentsAndTheSectorsOfAnImage) {
    QTemporaryDir dir;
    const auto disc = CdDisc::open(test::writeToneDisc(
        dir.path(), u"two"_qs, {ToneTrack{440.0, 150}, ToneTrack{1000.0, 225}}));
    ASSERT_TRUE(disc && disc->toc());
    EXPECT_EQ(*disc->toc(), *CdToc::make({{1, 0, true}, {2, 150, true}}, 375));
    std::uint8_t out[2 * kSectorBytes];
    const std::tuple<std::int32_t, int, bool> reads[] = {
        {373, 2, true}, {374, 2, false}, {-1, 1, false}, {0, 0, false}};
    for (const auto& [sector, count, ok] : reads) {
        EXPECT_EQ(disc->readAudio(sector, count, out), ok) << sector;
    }
}

// Entries of the variable keep their case; two names of one drive count once.
TEST(CdioDriveList, TheSystemsDrivesAndTheVariablesEachOnce) {
    QTemporaryDir dir;
    const QString cue =
        test::writeToneDisc(dir.path(), QStringLiteral("Mixed Case"), {ToneTrack{}});
    const QString link = dir.filePath(QStringLiteral("cdrom"));
    ASSERT_TRUE(QFile::link(cue, link));
    qputenv("LUMAFOLIO_CD_DRIVES", cue.toUtf8() + "::/dev/Sr7:" + cue.toUtf8());
    const CdioDriveList drives([&] { return QStringList{QStringLiteral("/dev/sr0"), link}; });
    EXPECT_EQ(drives.cdDrives(), (QStringList{QStringLiteral("/dev/sr0"), link, u"/dev/Sr7"_qs}));
    qunsetenv("LUMAFOLIO_CD_DRIVES");
    EXPECT_EQ(CdioDriveList([] { return QStringList(); }).cdDrives(), QStringList());
}

// What the test sees of a FakeReader, also after the reader itself is gone.
struct ReaderLog {
    std::mutex mutex;
    std::condition_variable changed;
    std::map<std::int32_t, int> reads;  // per sector, in chunks or alone
    int passes = -1;                    // reads let through before the next waits; -1: all
    int arrived = 0;                    // reads begun
    std::atomic<bool> destroyed{false};
    std::atomic<bool> gone{false};
    // Waits a generous while until `done`, which runs under the lock.
    bool waitFor(const std::function<bool()>& done) {
        std::unique_lock lock(mutex);
        return changed.wait_for(lock, 5s, done);
    }
    void let(int count) {
        const std::lock_guard lock(mutex);
        passes = count;
        changed.notify_all();
    }
};

float valueOf(std::int32_t sector) {
    return static_cast<float>(sector + 1) / 32768.0f;
}

// Every sample of sector s holds s + 1; `bad` sectors never read.
class FakeReader : public SectorReader {
public:
    FakeReader(std::shared_ptr<ReaderLog> log, std::set<std::int32_t> bad)
        : log_(std::move(log)), bad_(std::move(bad)) {}
    ~FakeReader() override {
        const std::lock_guard lock(log_->mutex);
        log_->destroyed = true;
        log_->changed.notify_all();
    }
    bool present() override { return !log_->gone; }
    bool readAudio(std::int32_t sector, int count, std::uint8_t* out) override {
        std::unique_lock lock(log_->mutex);
        ++log_->arrived;
        log_->changed.notify_all();
        log_->changed.wait(lock, [this] { return log_->passes != 0; });
        log_->passes -= log_->passes > 0 ? 1 : 0;
        bool ok = true;
        for (std::int32_t s = sector; s < sector + count; ++s) {
            ++log_->reads[s];
            ok = ok && bad_.count(s) == 0;
        }
        for (int i = 0; i < count * kSectorBytes; i += 2) {
            const std::int32_t value = sector + i / kSectorBytes + 1;
            out[i] = static_cast<std::uint8_t>(value & 0xff);
            out[i + 1] = static_cast<std::uint8_t>(value >> 8);
        }
        return ok;
    }

private:
    std::shared_ptr<ReaderLog> log_;
    std::set<std::int32_t> bad_;
};

SectorReaderFactory readerOf(std::shared_ptr<ReaderLog> log, std::set<std::int32_t> bad = {}) {
    return [log, bad] { return std::make_unique<FakeReader>(log, bad); };
}

CdToc audioDisc(std::int32_t sectors) {
    return *CdToc::make({{1, 0, true}}, sectors);
}

// The run comes in order through a ring smaller than it, and nothing beyond it. Bad sectors are
// read again alone, within the retries and the chunk's time budget, so that their good neighbours
// are heard; data sectors are silent and never read.
TEST(SectorReadAhead, DeliversTheRunWithSilenceForWhatCannotBeHeard) {
    const CdToc toc = *CdToc::make({{1, 0, true}, {2, 20, false}, {3, 30, true}}, 60);
    const std::set<std::int32_t> silent = {12, 13, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 40};
    const std::tuple<int, std::chrono::milliseconds, int> retries[] = {{2, 1s, 4}, {5, 0ms, 2}};
    for (const auto& [tries, budget, reads] : retries) {
        auto log = std::make_shared<ReaderLog>();
        CdAudioSource source(readerOf(log, {12, 13, 40}), toc, 10, 50,
                             {{18, 5, tries, budget}, 5s});
        const std::vector<float> out = test::renderToEnd(source, 1000);
        ASSERT_EQ(out.size(), 2u * 40 * kFramesPerSector);
        for (std::size_t f = 0; f < out.size() / 2; f += 97) {
            const auto sector = 10 + static_cast<std::int32_t>(f / kFramesPerSector);
            const float expected = silent.count(sector) != 0 ? 0.0f : valueOf(sector);
            ASSERT_TRUE(out[2 * f] == expected && out[2 * f + 1] == expected) << "frame " << f;
        }
        EXPECT_TRUE(source.reachedEnd());
        EXPECT_EQ(source.unreadableSectors(), 3);
        const std::lock_guard lock(log->mutex);
        const std::map<std::int32_t, int> expected = {{11, 2},     {12, reads}, {19, 1}, {30, 1},
                                                      {40, reads}, {44, 2},     {45, 1}};
        for (const auto& [sector, count] : expected) {
            EXPECT_EQ(log->reads[sector], count) << sector;
        }
        EXPECT_EQ(log->reads.lower_bound(20), log->reads.lower_bound(30)) << "data was read";
    }
}

// A late drive keeps the output going with silence that does not count as played; a drive stuck
// in a read does not hold up letting go of the stream.
TEST(CdAudioSource, PlaysSilenceWhileLateAndLetsGoOfAStuckReader) {
    auto log = std::make_shared<ReaderLog>();
    log->passes = 1;
    {
        CdAudioSource source(readerOf(log), audioDisc(100), 0, 100, {{10, 5}, 0ms});
        ASSERT_TRUE(log->waitFor([&] { return log->arrived == 2; }));  // the first chunk is in
        std::vector<float> buffer(2 * (5 * kFramesPerSector + 100), 1.0f);
        ASSERT_EQ(source.render(buffer.data(), buffer.size() / 2), buffer.size() / 2);
        EXPECT_EQ(buffer[2 * 5 * kFramesPerSector - 1], valueOf(4));
        EXPECT_EQ(test::peak({buffer.begin() + 2 * 5 * kFramesPerSector, buffer.end()}), 0.0f);
        EXPECT_EQ(source.render(buffer.data(), 1000), 1000u);
        EXPECT_EQ(source.currentSector(), 5);
        EXPECT_FALSE(source.finished());
    }
    // The reader is still inside its read; once that returns, the thread ends and frees it.
    EXPECT_FALSE(log->destroyed);
    log->let(-1);
    EXPECT_TRUE(log->waitFor([&] { return log->destroyed.load(); }));
}

TEST(CdAudioSource, ADiscThatGoesEndsTheStream) {
    auto log = std::make_shared<ReaderLog>();
    CdAudioSource source(readerOf(log), audioDisc(100), 0, 100, {{4, 2}, 5s});
    std::vector<float> buffer(2 * kFramesPerSector);
    ASSERT_EQ(source.render(buffer.data(), kFramesPerSector), std::size_t(kFramesPerSector));
    log->gone = true;
    test::renderToEnd(source);
    EXPECT_LT(source.currentSector(), 10);
    EXPECT_TRUE(source.finished());
    EXPECT_FALSE(source.reachedEnd());
    EXPECT_EQ(source.render(buffer.data(), 10), 0u);
}

// Track 1: 2 s of 440 Hz; track 2: 3 s of 1000 Hz.
struct CdAudioDeviceTest : testing::Test {
    void SetUp() override {
        rig.drives.drives = {test::writeToneDisc(dir.path(), u"tones"_qs,
                                                 {ToneTrack{440.0, 150}, ToneTrack{1000.0, 225}})};
        rig.run({{"open cdaudio alias cd", "1"}});
    }
    QTemporaryDir dir;
    test::SoundRig rig{dir.path()};
};

// Positions are track-relative in tmsf and disc addresses (after the two-second lead-in) in the
// other formats; lengths are durations.
TEST_F(CdAudioDeviceTest, DescribesTheDiscInEveryTimeFormat) {
    rig.run({{"status cd number of tracks", "2"},
             {"status cd length", "00:05:00"},
             {"seek cd to 00:03:10", ""},
             {"status cd position", "00:03:10"},
             {"set cd time format tmsf", ""},
             {"status cd position", "01:00:01:10"},
             {"status cd length track 2", "00:03:00"},
             {"seek cd to 2", ""},
             {"status cd current track", "2"},
             {"set cd time format hms", ""},
             {"status cd position", "00:00:04"},
             {"status cd length track 1", "00:00:02"},
             {"set cd time format ms", ""},
             {"status cd position track 2", "4000"},
             {"status cd length", "5000"},
             {"set cd time format msf", ""},
             {"seek cd to 0", ""},  // before the music: its start
             {"status cd position", "00:02:00"}});
}

// The position stays in the range until its last frame is out; then it is the range's end, or at
// the end of the disc its start. Only the range is heard. stop keeps the place, seek moves it.
TEST_F(CdAudioDeviceTest, PlaysStopsAndSeeks) {
    rig.run({{"set cd time format tmsf", ""},
             {"play cd from 1 to 2", ""},
             {"status cd mode", "playing"},
             {"pull 88199", "440"},
             {"status cd position", "01:00:01:74"},
             {"pull 1000", "sound"},
             {"status cd position", "02:00:00:00"},
             {"status cd mode", "stopped"},
             {"pull 1000", "silent"},
             {"play cd from 2 to 3", ""},
             {"pull 132299", "1000"},
             {"status cd mode", "playing"},
             {"pull 1000", "sound"},
             {"status cd position", "01:00:00:00"},
             {"play cd from 01:00:01:00", ""},
             {"pull 47040", "sound"},
             {"status cd position", "02:00:00:05"},
             {"stop cd", ""},
             {"pull 1000", "silent"},
             {"play cd", ""},
             {"pull 22050", "1000"},
             {"status cd position", "02:00:00:42"},
             {"seek cd to end", ""},
             {"status cd mode", "stopped"},
             {"status cd position", "02:00:03:00"},
             {"seek cd to start", ""},
             {"status cd position", "01:00:00:00"},
             {"play cd from 2 to 2", ""},
             {"status cd mode", "stopped"},
             {"status cd position", "02:00:00:00"}});
}

TEST_F(CdAudioDeviceTest, RefusesWhatTheDiscDoesNotHold) {
    rig.run({{"set cd time format tmsf", ""},
             {"play cd from 0 to 1", "error 282"},
             {"play cd from 2 to 1", "error 282"},
             {"play cd from x to 2", "error 270"},
             {"play cd from 1 to 2:", "error 270"},
             {"play cd from 2:00:09:00 to 3", "error 282"},
             {"seek cd to 5", "error 282"},
             {"status cd length track 3", "error 282"},
             {"status cd position track 0", "error 282"},
             {"status cd length track two", "error 270"},
             {"status cd loudness", "error 259"},
             {"pull 1000", "silent"}});
    rig.output->setAvailable(false);
    rig.run({{"play cd from 1 to 2", "error 276"}, {"status cd mode", "stopped"}});
}

TEST_F(CdAudioDeviceTest, ATakenOutDiscAnswersNotReadyUntilOneIsBack) {
    rig.run({{"play cd from 00:02:00 to 00:04:00", ""}, {"pull 22050", "440"}});
    const QString cue = rig.drives.drives[0];
    ASSERT_TRUE(QFile::remove(cue) && QFile::remove(test::binPathOf(cue)));
    rig.run({{"status cd media present", "false"},
             {"pull 1000", "silent"},
             {"status cd mode", "not ready"},
             {"status cd position", "error 276"},
             {"play cd", "error 276"},
             {"stop cd", "error 276"},
             {"seek cd to start", "error 276"}});
    ASSERT_FALSE(test::writeToneDisc(dir.path(), u"tones"_qs, {ToneTrack{440.0, 75}}).isEmpty());
    rig.run({{"status cd number of tracks", "1"}, {"status cd position", "00:02:00"}});
}

TEST_F(CdAudioDeviceTest, DataTracksDoNotPlayAndClosingStopsTheMusic) {
    test::writeToneDisc(dir.path(), u"mixed"_qs,
                        {ToneTrack{440.0, 75}, ToneTrack{0.0, 75, false}, ToneTrack{1000.0, 75}});
    rig.run({{"open @/mixed.cue type cdaudio alias m", "2"},
             {"set m time format tmsf", ""},
             {"play m from 2 to 3", "error 274"},
             {"play m from 1 to 4", ""},
             {"pull 44100", "440"},
             {"pull 44100", "silent"},
             {"pull 22050", "1000"},
             {"close m", ""},
             {"pull 1000", "silent"}});
}

// An empty element opens the first drive; blanks around a path come from the command's spacing.
// /dev/null stands in for a drive that holds no disc: it opens, but is not ready.
TEST_F(CdAudioDeviceTest, OpensTheNamedOrTheFirstDrive) {
    ASSERT_TRUE(QDir(dir.path()).mkdir(u"drive "_qs));
    rig.drives.drives.prepend(u"/dev/null"_qs);
    rig.run({{"open cdaudio alias empty", "2"},
             {"status empty media present", "false"},
             {"status empty number of tracks", "error 276"},
             {"open cdaudio! @/tones.cue  alias blanks", "3"},
             {"status blanks number of tracks", "2"},
             {"open cdaudio!@/drive  alias drive", "4"},
             {"open @/gone.cue type cdaudio alias gone", "error 263"}});
    rig.drives.drives.clear();
    rig.run({{"open cdaudio alias none", "error 263"}});
}

}  // namespace
}  // namespace luma::cd
