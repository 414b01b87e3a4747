// The soundfont missing: MIDI entries of the playlist are passed over, the other entries play,
// and nothing floods stderr.
#include "TestMedia.h"
#include "support/ShowFixture.h"

#include <map>
#include <vector>

namespace luma::test {
namespace {

class SoundfontMissing : public ShowFixture {};

TEST_F(SoundfontMissing, MidiEntriesArePassedOverAndTheOthersPlay) {
    if (!lameAvailable()) {
        GTEST_SKIP() << "lame is needed to make the MP3";
    }
    const QString firstMidi = path(QStringLiteral("a tune.mid"));
    const QString wave = path(QStringLiteral("b tone.wav"));
    const QString secondMidi = path(QStringLiteral("c tune.mid"));
    const QString mp3 = path(QStringLiteral("d tone.mp3"));
    ASSERT_TRUE(writeSimpleMidi(firstMidi, 2));
    ASSERT_TRUE(writeToneWav(wave, 1.0, 440));
    ASSERT_TRUE(writeSimpleMidi(secondMidi, 2));
    ASSERT_TRUE(writeToneWav(path(QStringLiteral("mp3 source.wav")), 1.0, 660));
    ASSERT_TRUE(encodeMp3(path(QStringLiteral("mp3 source.wav")), mp3));
    const QString soundfont = path(QStringLiteral("no such soundfont.sf2"));
    makeRig({soundfont, {}});

    testing::internal::CaptureStderr();
    showWithMusic({firstMidi, wave, secondMidi, mp3});
    Program& program = rig->program();
    QStringList order;  // the entry playing in each second
    std::map<QString, std::vector<float>> heard;
    for (int s = 0; s < 15; ++s) {
        order.append(program.currentSelection);
        const std::vector<float>& sound = rig->run(1000);
        heard[order.last()].insert(heard[order.last()].end(), sound.begin(), sound.end());
    }
    const std::string errors = testing::internal::GetCapturedStderr();

    for (const QString& midi : {firstMidi, secondMidi}) {
        EXPECT_GE(order.count(midi), 3) << midi.toStdString();
        EXPECT_EQ(energy(heard[midi]), 0.0);
    }
    for (qsizetype s = 1; s < order.size(); ++s) {
        EXPECT_FALSE(order[s] == order[s - 1] && order[s].endsWith(u".mid"))
            << "a MIDI entry is passed over at its first poll, second " << s;
    }
    EXPECT_GE(order.count(wave), 3);
    EXPECT_GE(order.count(mp3), 3);
    EXPECT_GT(goertzelPower(heard[wave], 440), 10 * goertzelPower(heard[wave], 660));
    EXPECT_GT(goertzelPower(heard[mp3], 660), 10 * goertzelPower(heard[mp3], 440));

    // Nothing is said about it more than once.
    const QString text = QString::fromStdString(errors);
    EXPECT_LE(text.count(QStringLiteral("soundfont")), 1) << errors;
    EXPECT_LE(text.count(u'\n'), 1) << errors;
}

}  // namespace
}  // namespace luma::test
