#include "platform/mci/CommandParser.h"
#include "platform/mci/MciErrors.h"

#include <gtest/gtest.h>

namespace luma::mci {
namespace {

struct Case {
    const char* text;
    int error = kOk;
    Verb verb = Verb::Status;
    const char* device = "";
    const char* target = "";
    const char* type = "";
    const char* alias = "";
    const char* from = nullptr;
    const char* to = nullptr;
    const char* seekTo = "";
    TimeFormat format = TimeFormat::Milliseconds;
    const char* item = "";
    bool wait = false;
    bool shareable = false;
};

// The command strings the program sends, and their neighbours.
const Case kCases[] = {
    {.text = "open waveaudio!C:\\My Music\\a  b.wav alias sound",
     .verb = Verb::Open,
     .target = "waveaudio!C:\\My Music\\a  b.wav",
     .alias = "sound"},
    {.text = "open  E:\\ type cdaudio alias cd wait shareable",
     .verb = Verb::Open,
     .target = "E:\\",
     .type = "cdaudio",
     .alias = "cd",
     .wait = true,
     .shareable = true},
    {.text = "open  /media/My Disc.cue type cdaudio alias cd wait shareable",
     .verb = Verb::Open,
     .target = "/media/My Disc.cue",
     .type = "cdaudio",
     .alias = "cd",
     .wait = true,
     .shareable = true},
    {.text = "open cdaudio alias cd", .verb = Verb::Open, .target = "cdaudio", .alias = "cd"},
    {.text = "OPEN Sequencer!/tmp/Song.MID ALIAS Midi",
     .verb = Verb::Open,
     .target = "Sequencer!/tmp/Song.MID",
     .alias = "Midi"},
    {.text = "open waveaudio!/a alias b/c.wav alias sound",
     .verb = Verb::Open,
     .target = "waveaudio!/a alias b/c.wav",
     .alias = "sound"},
    {.text = "open sequencer!/m/Blood Type O.mid alias midi wait",
     .verb = Verb::Open,
     .target = "sequencer!/m/Blood Type O.mid",
     .alias = "midi",
     .wait = true},
    {.text = "open waveaudio!chimes.wav", .verb = Verb::Open, .target = "waveaudio!chimes.wav"},
    {.text = "open waveaudio!/tmp/a.wav alias", .error = kMissingParameter},
    {.text = "open", .error = kMissingParameter},
    {.text = "open wait", .error = kMissingParameter},
    {.text = "play cd from 7 to 8", .verb = Verb::Play, .device = "cd", .from = "7", .to = "8"},
    {.text = "play sound", .verb = Verb::Play, .device = "sound"},
    {.text = "Play Sound To 300 notify", .verb = Verb::Play, .device = "Sound", .to = "300"},
    {.text = "play sound from", .error = kMissingParameter},
    {.text = "play sound backwards", .error = kUnrecognizedKeyword},
    {.text = "stop cd wait", .verb = Verb::Stop, .device = "cd", .wait = true},
    {.text = "stop sound now", .error = kUnrecognizedKeyword},
    {.text = "stop", .error = kMissingParameter},
    {.text = "close all", .verb = Verb::Close, .device = "all"},
    {.text = "close midi", .verb = Verb::Close, .device = "midi"},
    {.text = "seek cd to 1 wait", .verb = Verb::Seek, .device = "cd", .seekTo = "1", .wait = true},
    {.text = "seek cd to Start", .verb = Verb::Seek, .device = "cd", .seekTo = "start"},
    {.text = "seek cd", .error = kMissingParameter},
    {.text = "seek cd to", .error = kMissingParameter},
    {.text = "set cd time format tmsf",
     .verb = Verb::Set,
     .device = "cd",
     .format = TimeFormat::Tmsf},
    {.text = "set cd time format hms",
     .verb = Verb::Set,
     .device = "cd",
     .format = TimeFormat::Hms},
    {.text = "set cd time format MSF",
     .verb = Verb::Set,
     .device = "cd",
     .format = TimeFormat::Msf},
    {.text = "set sound time format milliseconds", .verb = Verb::Set, .device = "sound"},
    {.text = "set sound time format ms wait", .verb = Verb::Set, .device = "sound", .wait = true},
    {.text = "set cd time format frames", .error = kBadTimeFormat},
    {.text = "set cd time format", .error = kMissingParameter},
    {.text = "set cd door open", .error = kUnrecognizedKeyword},
    {.text = "set cd", .error = kMissingParameter},
    {.text = "status cd   Media   Present",
     .verb = Verb::Status,
     .device = "cd",
     .item = "media present"},
    {.text = "status cd length track 3 wait",
     .verb = Verb::Status,
     .device = "cd",
     .item = "length track 3",
     .wait = true},
    {.text = "status midi mode", .verb = Verb::Status, .device = "midi", .item = "mode"},
    {.text = "status sound", .error = kMissingParameter},
    {.text = "", .error = kMissingCommandString},
    {.text = " \t ", .error = kMissingCommandString},
    {.text = "fly me to the moon", .error = kUnrecognizedCommand},
};

TEST(CommandParser, EveryFormTakenApart) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.text);
        const ParsedCommand parsed = parseCommand(QString::fromUtf8(c.text));
        ASSERT_EQ(parsed.error, c.error);
        if (c.error != kOk) {
            continue;
        }
        const Command& got = parsed.command;
        EXPECT_EQ(got.verb, c.verb);
        EXPECT_EQ(got.device, QString::fromUtf8(c.device));
        EXPECT_EQ(got.openTarget, QString::fromUtf8(c.target));
        EXPECT_EQ(got.openType, QString::fromUtf8(c.type));
        EXPECT_EQ(got.openAlias, QString::fromUtf8(c.alias));
        EXPECT_EQ(got.from, c.from ? std::optional(QString::fromUtf8(c.from)) : std::nullopt);
        EXPECT_EQ(got.to, c.to ? std::optional(QString::fromUtf8(c.to)) : std::nullopt);
        EXPECT_EQ(got.seekTo, QString::fromUtf8(c.seekTo));
        EXPECT_EQ(got.timeFormat, c.format);
        EXPECT_EQ(got.statusItem, QString::fromUtf8(c.item));
        EXPECT_EQ(got.wait, c.wait);
        EXPECT_EQ(got.shareable, c.shareable);
    }
}

}  // namespace
}  // namespace luma::mci
