// The chime at every slide over wave music. While a music wave file holds the alias "sound", the
// chime's "play sound" reaches the music's device; the music must still end where it ends and the
// playlist go on. (The soak found a wave entry played again and again, for good.)
#include "TestMedia.h"
#include "support/ShowFixture.h"

namespace luma::test {
namespace {

class ChimeOverMusic : public ShowFixture {};

TEST_F(ChimeOverMusic, TheChimeDoesNotHoldTheMusicOnAWaveEntry) {
    // Lengths that end at different moments between the slide steps and the end polls.
    const std::pair<double, double> tones[] = {{1.0, 440}, {1.5, 660}, {0.7, 550}, {2.2, 770}};
    QStringList playlist;
    for (const auto& [seconds, frequency] : tones) {
        playlist.append(path(QStringLiteral("%1 Hz.wav").arg(frequency)));
        ASSERT_TRUE(writeToneWav(playlist.last(), seconds, frequency));
    }
    // While a MIDI file plays, the chime has the alias to itself.
    playlist.insert(2, path(QStringLiteral("tune.mid")));
    ASSERT_TRUE(writeSimpleMidi(playlist[2], 4));
    ASSERT_TRUE(writeToneWav(path(QStringLiteral("chimes.wav")), 0.2, 1000));
    const CurrentFolder current(dir.path());
    makeRig();
    showWithMusic(playlist, true);
    Program& program = rig->program();

    QStringList order{program.currentSelection};
    int chimed = 0;
    for (int s = 0; s < 30; ++s) {
        chimed += goertzelPower(rig->run(1000), 1000) > 1e-4 ? 1 : 0;
        if (program.currentSelection != order.last()) {
            order.append(program.currentSelection);
        }
    }
    EXPECT_GE(order.size(), 11) << "the playlist twice round: " << qPrintable(order.join(u'|'));
    for (qsizetype i = 0; i < order.size(); ++i) {
        EXPECT_EQ(order[i], playlist[i % playlist.size()]);
    }
    EXPECT_GT(chimed, 0) << "the chime rang over the MIDI file";
}

}  // namespace
}  // namespace luma::test
