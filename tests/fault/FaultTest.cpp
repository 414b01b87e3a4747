// Faults from outside the program: a settings write that fails in a child process, files that
// vanish while a show uses them, no soundfont, the chime over wave music. The shows run over the
// real windows, devices, engine and settings file. (Memory and descriptors over a long show are
// measured by bench/soak.)
#include "TestMedia.h"
#include "ToneDisc.h"
#include "display/SlideshowWindow.h"
#include "e2e/E2eSupport.h"
#include "settings/IniSettingsStore.h"
#include "settings/SettingsKeys.h"
#include "settings/StoredList.h"
#include "support/ShowRig.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

namespace luma::test {
namespace {

// A settings write that fails in a child process, as on a full disk: the user's lists stay as they
// were on disk, the failure is reported once on stderr, the process goes on, and a write after
// the fault is lifted works.
constexpr int kItems = 10000;
constexpr int kFileSizeLimit = 64 * 1024;  // far below the size of the list

QStringList pictureList(const char* version) {
    QStringList items;
    for (int i = 1; i <= kItems; ++i) {
        items.append(QStringLiteral("/pictures/%1/%2.jpg").arg(version).arg(i));
    }
    return items;
}

// What the files on disk hold, read by a store of its own; and nothing else is in their folder.
void expectOnDisk(const QString& path, const char* version) {
    IniSettingsStore store(path);
    EXPECT_TRUE(store.backupPath().isEmpty()) << "the file was damaged";
    EXPECT_EQ(StoredList(store, keys::kPictures).readAll(), pictureList(version));
    EXPECT_EQ(StoredList(store, keys::kMusic).readAll(),
              (QStringList{"/music/a.wav", "Empty", "Empty", "d.wav"}));
    EXPECT_EQ(store.value(keys::kSettings, keys::kDelay), "9");
    EXPECT_EQ(QFileInfo(path).dir().entryList(QDir::Files | QDir::Hidden).size(), 3)
        << "a scratch file of a failed write was left behind";
}

// The slide list's file cannot grow: its writes fail, and the small files of the playlist and the
// settings are written.
TEST(WriteFault, TheListsStayAndAWriteAfterTheFaultWorks) {
    QTemporaryDir dir;
    const QString path = dir.filePath("Lumafolio 1.1.ini");
    IniSettingsStore store(path);
    ASSERT_TRUE(StoredList(store, keys::kPictures).rewrite(pictureList("old")) &&
                StoredList(store, keys::kMusic).rewrite({"/music/a.wav"}));
    ASSERT_GT(QFileInfo(IniSettingsStore::listPath(path, keys::kPictures)).size(),
              2 * kFileSizeLimit)
        << "the list must not fit";
    QProcess worker;
    worker.start(SETTINGS_WRITE_WORKER,
                 {path, QString::number(kItems), QString::number(kFileSizeLimit)});
    QByteArray said;
    const auto lines = [&](int count) {
        while (said.count('\n') < count && worker.waitForReadyRead(60000)) {
            said += worker.readAllStandardOutput();
        }
        return said;
    };
    const QByteArray old = QByteArray::number(kItems) + " /pictures/old/1.jpg ";
    EXPECT_EQ(lines(3), old + "1 -\n0 1 1\n" + old + "4 9\n");
    EXPECT_EQ(worker.state(), QProcess::Running) << "the worker goes on after the failures";
    expectOnDisk(path, "old");
    worker.write("lift\n");
    EXPECT_EQ(lines(5), old + "1 -\n0 1 1\n" + old + "4 9\n1\n" + QByteArray::number(kItems) +
                            " /pictures/new/1.jpg 4 9\n");
    ASSERT_TRUE(worker.waitForFinished(60000));
    EXPECT_EQ(worker.exitCode(), 0);
    const QString errors = QString::fromLocal8Bit(worker.readAllStandardError()).trimmed();
    EXPECT_TRUE(errors.count("cannot save the slide list") == 1 && !errors.contains(u'\n'))
        << "reported once, and nothing else: " << qPrintable(errors);
    expectOnDisk(path, "new");
}

class ShowFault : public testing::Test {
protected:
    QString path(const QString& name) const { return dir.filePath(name); }

    // The first of the colours of "RGBCMY" that the display shows, read row by row; '?' for none.
    char shown() const {
        const QImage canvas = rig->display() ? rig->display()->canvas() : QImage();
        for (int i = 0; i < canvas.width() * canvas.height(); i += 7) {
            const char c = letterOf(canvas.pixelColor(i % canvas.width(), i / canvas.width()));
            if (c != '?' && c != 'W') {
                return c;
            }
        }
        return '?';
    }

    // A show of two stills a second each, stretched, with `playlist` as its music.
    void showWithMusic(const QStringList& playlist, const QString& soundfont = {},
                       const QStringList& drives = {}, const QString& chime = "Asound=0") {
        rig = std::make_unique<ShowRig>(dir.path(), soundfont, drives);
        rig->start({"Slides=1", "delay=1", "screensize=1", "Bsound=1", "Mousesens=15", chime},
                   {writeStill(path("red.bmp"), Qt::red, {64, 48}, "BMP"),
                    writeStill(path("blue.bmp"), Qt::blue, {64, 48}, "BMP")},
                   playlist);
    }

    // Runs the show a second at a time until the entry `entry` plays, for at most `seconds`.
    bool runUntilPlaying(const QString& entry, int seconds) {
        for (int s = 0; s < seconds && rig->program->currentSelection != entry; ++s) {
            rig->run(1000);
        }
        return rig->program->currentSelection == entry;
    }

    QTemporaryDir dir;
    std::unique_ptr<ShowRig> rig;
};

TEST_F(ShowFault, ASlideDeletedWhileItIsShown) {
    const QStringList slides = {
        writeStill(path("red.bmp"), Qt::red, {64, 48}, "BMP"),
        writeStill(path("green.jpg"), Qt::green, {64, 48}, "JPG"),
        writeAnimation(path("turning.gif"), {0xff00ffff, 0xffff00ff, 0xffffff00}, {64, 48}, 10),
        writeAnimation(path("blue.gif"), {0xff0000ff}, {64, 48}, 0)};
    rig = std::make_unique<ShowRig>(dir.path());
    rig->start({"Slides=1", "delay=1", "animate=1", "screensize=1", "Bsound=0", "Mousesens=15"},
               slides);
    ASSERT_EQ(shown(), 'G') << "the first step shows the second slide";
    ASSERT_TRUE(QFile::remove(slides[1]));
    rig->run(1000);
    ASSERT_EQ(shown(), 'C') << "the next slide, the animation's first frame";
    ASSERT_TRUE(QFile::remove(slides[2]));
    // The animation goes on from memory; then blue, red, the two deleted slides fail to load and
    // red stays, then blue and red again, and the deleted animation does not animate.
    QString seen, indices;
    for (int tick = 0; tick < 15; ++tick) {
        rig->run(tick < 10 ? 100 : 1000);
        seen += QChar(shown());
        indices += QString::number(rig->program->slideIndex);
    }
    EXPECT_TRUE(seen.left(9).contains(u'M') && seen.left(9).contains(u'Y')) << qPrintable(seen);
    EXPECT_EQ(seen.mid(9), u"BRRRBR");
    EXPECT_EQ(indices.mid(9), u"412341");
    EXPECT_FALSE(rig->display()->state().animationTimer.isEnabled());
}

// Music whose sources fail in every way while a show runs, with stderr flooded by none of it:
// without the soundfont, the MIDI entry is passed over at its first poll; files deleted while
// they play end, and the next entry starts; without the disc image, a track a second in goes
// silent and the player waits while the slides go on, and when the image comes back, the
// interrupted track counts as ended.
TEST_F(ShowFault, MusicSourcesVanishWhileTheyPlay) {
    const auto writeDisc = [&] {
        return writeToneDisc(dir.path(), "disc", {{880.0, 190}, {1320.0, 150}});
    };
    const QString cue = writeDisc();
    const QStringList entries = {path("a.mid"), path("b.wav"), path("c.mp3"),
                                 "CD Track [ 1 ] 00:00:02 CD", path("e.wav")};
    ASSERT_TRUE(!cue.isEmpty() && writeSimpleMidi(entries[0], 2) &&
                writeToneWav(entries[1], 2.0, 440) && writeToneWav(path("m.wav"), 2.0, 660) &&
                encodeMp3(path("m.wav"), entries[2]) && writeToneWav(entries[4], 1.0, 550));
    testing::internal::CaptureStderr();
    showWithMusic(entries, path("no such soundfont.sf2"), {cue});
    const Program& program = *rig->program;
    ASSERT_EQ(program.currentSelection, entries[0]);
    EXPECT_EQ(energy(rig->run(1000)), 0.0);
    const double tones[] = {0, 440, 660, 880};
    for (int i = 1; i < 4; ++i) {
        SCOPED_TRACE(entries[i].toStdString());
        ASSERT_EQ(program.currentSelection, entries[i]);
        const std::vector<float> heard = rig->run(1000);
        EXPECT_GT(goertzelPower(heard, tones[i]), 10 * goertzelPower(heard, tones[i - 1]) + 1e-3);
        if (i < 3) {
            ASSERT_TRUE(QFile::remove(entries[i]));
        } else {  // the disc image goes for some seconds
            ASSERT_TRUE(QFile::remove(cue) && QFile::remove(binPathOf(cue)));
            for (int s = 0; s < 5; ++s) {
                const std::int32_t slide = program.slideIndex;
                EXPECT_TRUE(energy(rig->run(1000)) == 0.0 || s == 0) << "second " << s;
                EXPECT_EQ(program.currentSelection, entries[3]);
                EXPECT_NE(program.slideIndex, slide);
            }
            ASSERT_FALSE(writeDisc().isEmpty());
        }
        ASSERT_TRUE(runUntilPlaying(entries[i + 1], 6));
    }
    // Round the list again: the MIDI entry and the deleted files are passed over.
    ASSERT_TRUE(runUntilPlaying(entries[3], 8));
    EXPECT_GT(goertzelPower(rig->run(1000), 880), 1e-3);
    const QString errors = QString::fromStdString(testing::internal::GetCapturedStderr());
    EXPECT_LE(errors.count(u'\n'), 1) << qPrintable(errors);
}

// While a music wave file holds the alias "sound", the chime's "play sound" at each slide reaches
// the music's device: the music must still end where it ends and the playlist go on. (The soak
// found a wave entry played again and again, for good.)
TEST_F(ShowFault, TheChimeDoesNotHoldTheMusicOnAWaveEntry) {
    // Lengths that end at different moments between the slide steps and the end polls; while the
    // MIDI file plays, the chime has the alias to itself.
    const std::pair<double, double> tones[] = {{1.0, 440}, {1.5, 660}, {0.7, 550}, {2.2, 770}};
    QStringList playlist;
    for (const auto& [seconds, frequency] : tones) {
        playlist.append(path(QStringLiteral("%1 Hz.wav").arg(frequency)));
        ASSERT_TRUE(writeToneWav(playlist.last(), seconds, frequency));
    }
    playlist.insert(2, path("tune.mid"));
    ASSERT_TRUE(writeSimpleMidi(playlist[2], 4) && writeToneWav(path("chimes.wav"), 0.2, 1000));
    showWithMusic(playlist, {}, {}, "Asound=1");
    QStringList order{rig->program->currentSelection};
    int chimed = 0;
    for (int s = 0; s < 30; ++s) {
        chimed += goertzelPower(rig->run(1000), 1000) > 1e-4 ? 1 : 0;
        if (rig->program->currentSelection != order.last()) {
            order.append(rig->program->currentSelection);
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
