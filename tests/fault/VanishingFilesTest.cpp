// Files that go away while the show uses them: a slide deleted while it is shown, music files
// deleted while they play, a disc image removed while one of its tracks plays. The show and the
// music go on.
#include "TestMedia.h"
#include "ToneDisc.h"
#include "music/BackgroundPlayer.h"
#include "support/ShowFixture.h"

#include <QFile>

namespace luma::test {
namespace {

class VanishingFiles : public ShowFixture {};

TEST_F(VanishingFiles, ASlideDeletedWhileItIsShown) {
    const QString green = writeStill(path(QStringLiteral("green.jpg")), Qt::green, {64, 48}, "JPG");
    const QString turning =
        writeAnimation(path(QStringLiteral("turning.gif")),
                       {qRgb(0, 255, 255), qRgb(255, 0, 255), qRgb(255, 255, 0)}, {64, 48}, 10);
    const QStringList slides = {
        writeStill(path(QStringLiteral("red.bmp")), Qt::red, {64, 48}, "BMP"), green, turning,
        writeStill(path(QStringLiteral("blue.gif")), Qt::blue, {64, 48}, "GIF")};
    ASSERT_FALSE(slides.contains(QString()));
    makeRig();
    rig->settings({{QStringLiteral("Slides"), QStringLiteral("1")},
                   {QStringLiteral("delay"), QStringLiteral("1")},
                   {QStringLiteral("animate"), QStringLiteral("1")},
                   {QStringLiteral("screensize"), QStringLiteral("1")},
                   {QStringLiteral("Bsound"), QStringLiteral("0")},
                   {QStringLiteral("Mousesens"), QStringLiteral("15")}});
    rig->slides(slides);
    rig->start();
    ASSERT_EQ(shown(), 'G') << "the first step shows the second slide";

    ASSERT_TRUE(QFile::remove(green));
    rig->run(1000);
    ASSERT_EQ(shown(), 'C') << "the next slide, the animation's first frame";
    ASSERT_TRUE(QFile::remove(turning));
    QString frames;
    for (int tick = 0; tick < 9; ++tick) {
        rig->run(100);
        frames += QChar(shown());
    }
    EXPECT_TRUE(frames.contains(u'M') && frames.contains(u'Y'))
        << "the animation goes on from memory: " << qPrintable(frames);

    // Blue, red, then the two deleted slides fail to load and red stays, then blue and red again.
    QString seconds;
    QString indices;
    for (int s = 0; s < 6; ++s) {
        rig->run(s == 0 ? 100 : 1000);
        seconds += QChar(shown());
        indices += QString::number(rig->program().slideIndex);
    }
    EXPECT_EQ(seconds, u"BRRRBR");
    EXPECT_EQ(indices, u"412341");
    ASSERT_NE(rig->display(), nullptr);
    EXPECT_FALSE(rig->display()->state().animationTimer.isEnabled())
        << "a deleted animation does not animate";
}

TEST_F(VanishingFiles, MusicFilesDeletedWhileTheyPlay) {
    if (!lameAvailable()) {
        GTEST_SKIP() << "lame is needed to make the MP3";
    }
    const QString wave = path(QStringLiteral("a tone.wav"));
    const QString mp3 = path(QStringLiteral("b tone.mp3"));
    const QString midi = path(QStringLiteral("c tune.mid"));
    const QString last = path(QStringLiteral("d tone.wav"));
    ASSERT_TRUE(writeToneWav(wave, 2.0, 440));
    ASSERT_TRUE(writeToneWav(path(QStringLiteral("mp3 source.wav")), 2.0, 660));
    ASSERT_TRUE(encodeMp3(path(QStringLiteral("mp3 source.wav")), mp3));
    ASSERT_TRUE(writeSimpleMidi(midi, 4));
    ASSERT_TRUE(writeToneWav(last, 1.0, 550));
    makeRig();
    showWithMusic({wave, mp3, midi, last});
    Program& program = rig->program();

    const QStringList entries = {wave, mp3, midi, last};
    const double tones[] = {440, 660, 0};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(entries[i].toStdString());
        ASSERT_EQ(program.currentSelection, entries[i]);
        const std::vector<float> heard = rig->run(500);
        if (tones[i] > 0) {
            EXPECT_GT(goertzelPower(heard, tones[i]), 1e-3);
        } else {
            EXPECT_GT(energy(heard), 1e-5);
        }
        ASSERT_TRUE(QFile::remove(entries[i]));
        ASSERT_TRUE(runUntil([&] { return program.currentSelection == entries[i + 1]; }, 6))
            << "the next entry did not start";
    }

    // Round the list again: the three deleted entries are passed over and the last one plays.
    int starts = 0;
    std::int32_t slide = program.slideIndex;
    int slideChanges = 0;
    for (int s = 0; s < 16; ++s) {
        const bool wasLast = program.currentSelection == last;
        const std::vector<float>& heard = rig->run(1000);
        if (energy(heard) > 1e-6) {
            EXPECT_GT(goertzelPower(heard, 550), 10 * goertzelPower(heard, 440)) << "second " << s;
        }
        starts += !wasLast && program.currentSelection == last ? 1 : 0;
        slideChanges += program.slideIndex != slide ? 1 : 0;
        slide = program.slideIndex;
    }
    EXPECT_GE(starts, 2) << "the remaining entry plays each time round";
    EXPECT_EQ(slideChanges, 16) << "the slides change every second meanwhile";
}

TEST_F(VanishingFiles, ADiscImageRemovedWhileATrackPlays) {
    const QString cue = writeToneDisc(dir.path(), QStringLiteral("disc"),
                                      {ToneTrack{880.0, 190}, ToneTrack{1320.0, 150}});
    ASSERT_FALSE(cue.isEmpty());
    const QString wave = path(QStringLiteral("after the disc.wav"));
    ASSERT_TRUE(writeToneWav(wave, 1.0, 440));
    const QString track = QStringLiteral("CD Track [ 1 ] 00:00:02 CD");
    makeRig({QString(), {cue}});
    showWithMusic({track, wave});
    Program& program = rig->program();
    ASSERT_EQ(program.currentSelection, track);
    const std::vector<float> first = rig->run(1000);
    EXPECT_GT(goertzelPower(first, 880), 10 * goertzelPower(first, 1320)) << "track 1 plays";

    ASSERT_TRUE(QFile::remove(cue));
    ASSERT_TRUE(QFile::remove(binPathOf(cue)));
    std::int32_t slide = program.slideIndex;
    for (int s = 0; s < 5; ++s) {
        const std::vector<float>& heard = rig->run(1000);
        if (s > 0) {
            EXPECT_EQ(energy(heard), 0.0) << "silence without the disc, second " << s;
        }
        EXPECT_EQ(program.currentSelection, track) << "the player waits for the disc";
        EXPECT_NE(program.slideIndex, slide) << "the slides go on";
        slide = program.slideIndex;
    }
    ASSERT_NE(rig->player(), nullptr);
    EXPECT_TRUE(rig->player()->music().cdEndPoll.isEnabled());

    // The disc comes back: the interrupted track counts as ended and the next entry plays.
    ASSERT_FALSE(writeToneDisc(dir.path(), QStringLiteral("disc"),
                               {ToneTrack{880.0, 190}, ToneTrack{1320.0, 150}})
                     .isEmpty());
    ASSERT_TRUE(runUntil([&] { return program.currentSelection == wave; }, 3));
    EXPECT_GT(goertzelPower(rig->run(1000), 440), 1e-3);
}

}  // namespace
}  // namespace luma::test
