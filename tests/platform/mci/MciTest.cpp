#include "TestSources.h"
#include "platform/mci/CommandParser.h"
#include "platform/mci/MciErrors.h"
#include "platform/mci/ReplyBuffer.h"
#include "platform/mci/SequencerDevice.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

namespace luma::mci {
namespace {

// The parts of a command that are set.
QString describe(const ParsedCommand& parsed) {
    if (parsed.error != kOk) {
        return QStringLiteral("error %1").arg(parsed.error);
    }
    const Command& c = parsed.command;
    const char* const verbs[] = {"open", "close", "play", "stop", "seek", "set", "status"};
    const char* const formats[] = {"ms", "hms", "msf", "tmsf"};
    const QString format =
        c.verb == Verb::Set ? QString::fromLatin1(formats[int(c.timeFormat)]) : QString();
    const std::pair<const char*, QString> fields[] = {{"", c.device},
                                                      {"target=", c.openTarget},
                                                      {"type=", c.openType},
                                                      {"alias=", c.openAlias},
                                                      {"from=", c.from.value_or(QString())},
                                                      {"to=", c.to.value_or(QString())},
                                                      {"seek=", c.seekTo},
                                                      {"item=", c.statusItem},
                                                      {"format=", format}};
    QStringList parts{QString::fromLatin1(verbs[int(c.verb)])};
    for (const auto& [name, value] : fields) {
        parts += value.isEmpty() ? QString() : QString::fromLatin1(name) + value;
    }
    parts << (c.wait ? u"wait"_qs : QString()) << (c.notify ? u"notify"_qs : QString())
          << (c.shareable ? u"shareable"_qs : QString());
    parts.removeAll(QString());
    return parts.join(u' ');
}

// The command strings the program sends, and their neighbours. Paths are taken as sent, whatever
// words, blanks or signs they hold.
TEST(CommandParser, TakesEveryFormApart) {
    const std::pair<const char*, const char*> cases[] = {
        {"open waveaudio!C:\\My  a.wav alias s", "open target=waveaudio!C:\\My  a.wav alias=s"},
        {"open  /m/My Disc.cue type cdaudio alias cd wait shareable",
         "open target=/m/My Disc.cue type=cdaudio alias=cd wait shareable"},
        {"OPEN Sequencer!/Song.MID ALIAS Midi", "open target=Sequencer!/Song.MID alias=Midi"},
        {"open waveaudio!/a alias b.wav alias s", "open target=waveaudio!/a alias b.wav alias=s"},
        {"open sequencer!/Type O.mid alias m wait",
         "open target=sequencer!/Type O.mid alias=m wait"},
        {"open waveaudio!/notify .wav  alias s", "open target=waveaudio!/notify .wav  alias=s"},
        {"open waveaudio!/tmp/a.wav alias", "error 273"},
        {"Play Sound To 300 notify", "play Sound to=300 notify"},
        {"play sound from", "error 273"},
        {"play sound backwards", "error 259"},
        {"stop cd wait", "stop cd wait"},
        {"seek cd to Start wait", "seek cd seek=start wait"},
        {"seek cd to", "error 273"},
        {"set sound time format milliseconds", "set sound format=ms"},
        {"set cd time format frames", "error 293"},
        {"set cd time format", "error 273"},
        {"set cd door open", "error 259"},
        {"set cd", "error 273"},
        {"status cd   Media   Present", "status cd item=media present"},
        {"status sound", "error 273"},
        {" \t ", "error 267"},
        {"fly me to the moon", "error 261"},
    };
    for (const auto& [text, parts] : cases) {
        EXPECT_EQ(describe(parseCommand(QString::fromUtf8(text))), QString::fromUtf8(parts))
            << text;
    }
}

// The reply goes into the caller's buffer from its start, cut to length - 1 and followed by a NUL;
// the rest of the buffer keeps what it held.
TEST(ReplyBuffer, TheReplyIsCutToTheBufferAndEndsWithANul) {
    const QString nul(QChar(u'\0'));
    const std::tuple<QString, int, QString> cases[] = {
        {u"abcdefgh"_qs, 8, u"13"_qs + nul + u"defgh"_qs},
        {u"abcdefgh"_qs, 2, u"1"_qs + nul + u"cdefgh"_qs},
        {u"abcdefgh"_qs, 1, nul + u"bcdefgh"_qs},
        {u"abcdefgh"_qs, 0, u"abcdefgh"_qs},
        {u"ab"_qs, 6, u"13"_qs + nul + u"   "_qs},
        {QString(), 4, u"13"_qs + nul + u" "_qs}};
    for (auto [buffer, length, expected] : cases) {
        writeReply(buffer, length, u"13"_qs);
        EXPECT_EQ(buffer, expected) << length;
    }
}

struct MciTest : ::testing::Test {
    void SetUp() override {
        ASSERT_TRUE(QDir(dir.path()).mkpath(u"My Music/folder.wav"_qs));
        ASSERT_TRUE(test::writeToneWav(dir.filePath(u"tone.wav"_qs), 0.5, 440));
        ASSERT_TRUE(test::writeToneWav(dir.filePath(u"My Music/a  b!.wav"_qs), 0.1, 440));
        ASSERT_TRUE(test::writeSimpleMidi(dir.filePath(u"four notes.mid"_qs), 4));
        QFile text(dir.filePath(u"text.mid"_qs));
        ASSERT_TRUE(text.open(QIODevice::WriteOnly) && text.write("MThd, but no notes") > 0);
        ASSERT_TRUE(text.copy(dir.filePath(u"text.wav"_qs)));
    }
    QTemporaryDir dir;
    test::SoundRig rig{dir.path()};
};

// A type names the device, or the element's extension does; the alias, or else the element or
// the type, addresses it afterwards. Errors leave no device behind.
TEST_F(MciTest, OpensByTypeElementOrExtensionUnderAnAlias) {
    rig.run({{"open waveaudio!@/My Music/a  b!.wav alias sound", "1"},
             {"status sound length", "100"},
             {"open WaveAudio!@/tone.wav alias Other", "2"},
             {"status OTHER length", "500"},
             {"open @/four notes.mid alias midi", "3"},
             {"open @/tone.wav", "4"},
             {"close @/tone.wav", ""},
             {"open waveaudio!@/tone.wav alias SOUND", "error 289"},
             {"open waveaudio!@/tone.wav alias all", "error 263"},
             {"open nosuchtype!@/tone.wav alias x", "error 263"},
             {"open @/picture.bmp alias x", "error 263"},
             {"open waveaudio!@/missing.wav alias x", "error 275"},
             {"open waveaudio!@/text.wav alias x", "error 296"},
             {"open waveaudio!@/My Music/folder.wav alias x", "error 348"},
             {"open waveaudio! alias x", "error 273"},
             {"open sequencer!@/text.mid alias x", "error 296"},
             {"close sound", ""},
             {"status sound mode", "error 263"},
             {"open waveaudio!@/tone.wav alias sound", "5"},
             {"close all", ""},
             {"status other mode", "error 263"}});
    rig.sound.media->registerType(u"sequencer"_qs,
                                  std::make_unique<SequencerType>(
                                      rig.sound.engine, audio::SynthPool::create(u"/none.sf2"_qs)));
    rig.run({{"open sequencer!@/four notes.mid alias midi", "error 266"}});
}

// A play without "from" goes on from the position; at the end it starts again, once whoever
// watches the device has seen the end. A play while it sounds does not interrupt it.
TEST_F(MciTest, TheWaveDevicePlaysStopsAndSeeks) {
    rig.run({{"open waveaudio!@/tone.wav alias sound", "1"},
             {"play sound", ""},
             {"status sound mode", "playing"},
             {"pull 22049", "440"},
             {"status sound position", "499"},
             {"pull 1", "sound"},
             {"status sound position", "500"},
             {"status sound mode", "stopped"},
             {"play sound", ""},
             {"status sound position", "0"},
             {"pull 22050", "440"},
             {"play sound", ""},
             {"pull 100", "silent"},
             {"status sound position", "500"},
             {"play sound", ""},
             {"pull 4410", "440"},
             {"play sound to 50", "error 282"},
             {"play sound to 150", ""},
             {"pull 4410", "440"},
             {"status sound position", "150"},
             {"play sound", ""},
             {"pull 2205", "440"},
             {"stop sound", ""},
             {"pull 100", "silent"},
             {"play sound", ""},
             {"pull 4410", "440"},
             {"status sound position", "300"},
             {"play sound from 100 to 200", ""},
             {"pull 4410", "440"},
             {"status sound position", "200"},
             {"seek sound to end", ""},
             {"status sound position", "500"},
             {"seek sound to start", ""},
             {"seek sound to 501", "error 282"},
             {"seek sound to soon", "error 270"},
             {"play sound from -5", "error 282"},
             {"play sound from 300 to 300", ""},
             {"status sound mode", "stopped"},
             {"status sound position", "300"},
             {"set sound time format tmsf", "error 293"},
             {"status sound length track 1", "500"},
             {"status sound length track 2", "error 282"},
             {"status sound length track x", "error 270"},
             {"status sound loudness", "error 259"},
             {"play sound", ""},
             {"close sound", ""},
             {"pull 1000", "silent"},
             {"open waveaudio!@/tone.wav alias sound", "2"},
             {"play sound", ""}});
    rig.sound.media->closeAll();
    EXPECT_FALSE(rig.output->running());
    rig.output->setAvailable(false);
    rig.run({{"status sound mode", "error 263"},
             {"open waveaudio!@/tone.wav alias sound", "3"},
             {"play sound", "error 276"},
             {"status sound mode", "stopped"}});
}

TEST_F(MciTest, TheSequencerPlaysItsNotesFromAndToAnyPlace) {
    rig.run({{"open sequencer!@/four notes.mid alias midi", "1"},
             {"status midi length", "2000"},
             {"play midi", ""},
             {"pull 22050", "sound"},
             {"status midi position", "500"},
             {"play midi from 1500", ""},
             {"pull 22049", "sound"},
             {"status midi position", "1999"},
             {"pull 1", "sound"},
             {"status midi position", "2000"},
             {"status midi mode", "stopped"},
             {"play midi from 200 to 700", ""},
             {"pull 22050", "sound"},
             {"status midi position", "700"}});
}

// The tool over SDL's dummy driver: a blank line lets a second of sound play.
TEST(MciTool, SendsEachLineAndPrintsTheResult) {
    QTemporaryDir dir;
    ASSERT_TRUE(test::writeToneWav(dir.filePath(u"a tone.wav"_qs), 0.5, 1000));
    QProcess tool;
    qputenv("SDL_AUDIODRIVER", "dummy");  // the tool inherits it
    tool.start(QStringLiteral(LUMAFOLIO_BINARY_DIR "/lumafolio-mci"), QStringList());
    tool.write(QStringLiteral("open waveaudio!%1/a tone.wav alias sound\nstatus sound length\n"
                              "# a comment\nplay sound\n\n\nstatus sound position\n"
                              "status sound mode\nclose sound\nplay sound\ndance\n")
                   .arg(dir.path())
                   .toUtf8());
    tool.closeWriteChannel();
    ASSERT_TRUE(tool.waitForFinished(30000)) << "the tool did not end";
    EXPECT_EQ(tool.exitCode(), 0);
    EXPECT_EQ(QString::fromUtf8(tool.readAllStandardOutput()),
              u"0 \"1\"\n0 \"500\"\n0 \"\"\n0 \"500\"\n0 \"stopped\"\n0 \"\"\n"
              u"263 \"\" The device is not open or is not recognized.\n"
              u"261 \"\" The command is not recognized.\n"_qs);
}

}  // namespace
}  // namespace luma::mci
