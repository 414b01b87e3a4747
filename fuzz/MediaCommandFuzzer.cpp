// Command strings, one per line, into the device command interpreter with the real wave and
// sequencer devices over a mixing engine whose output is pulled after every command. A line may
// start with "#<n> " to send it with a reply buffer of n characters (n may be 0 or negative), or
// with "# " to send it without one; other lines get 128 characters. Every "@" stands for the
// folder of the media the commands can name: tone.wav, low.wav (22050 Hz stereo),
// "two words.wav", tune.mid, notes.mid and broken.wav.
#include "FuzzSupport.h"

#include "TestMedia.h"
#include "platform/DriveList.h"
#include "platform/audio/ManualOutput.h"
#include "platform/mci/MciErrors.h"
#include "platform/sound/SoundServices.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <memory>
#include <set>

namespace {

namespace mci = luma::mci;
namespace audio = luma::audio;

constexpr int kMaxCommands = 32;
constexpr int kDefaultReplyLength = 128;
constexpr std::size_t kFramesPerCommand = 512;

struct Media {
    QTemporaryDir dir;
    std::shared_ptr<audio::SynthPool> synths = audio::SynthPool::create();
};

Media& media() {
    static Media m;
    return m;
}

// The CD device is there, with no drive to open.
struct NoDrives : luma::DriveList {
    QStringList cdDrives() const override { return {}; }
};

bool writeMedia(const QDir& dir) {
    using namespace luma::test;
    QFile broken(dir.filePath(QStringLiteral("broken.wav")));
    return writeToneWav(dir.filePath(QStringLiteral("tone.wav")), 0.25, 440.0) &&
           writeToneWav(dir.filePath(QStringLiteral("low.wav")), 0.2, 330.0, 22050, 2) &&
           writeToneWav(dir.filePath(QStringLiteral("two words.wav")), 0.1, 550.0) &&
           writeSimpleMidi(dir.filePath(QStringLiteral("tune.mid")), 2) &&
           MidiFileBuilder(96)
               .tempo(250000)
               .program(0, 12)
               .chord(0, {60, 64, 67}, 48)
               .note(9, 38, 24, 24)
               .write(dir.filePath(QStringLiteral("notes.mid"))) &&
           broken.open(QIODevice::WriteOnly) &&
           broken.write(QByteArrayLiteral("RIFF\x24\x00\x00\x00WAVEfmt ")) > 0;
}

bool knownResult(int result) {
    static const std::set<int> known{
        mci::kOk,
        mci::kInvalidDeviceId,
        mci::kUnrecognizedKeyword,
        mci::kUnrecognizedCommand,
        mci::kHardware,
        mci::kInvalidDeviceName,
        mci::kDeviceOpen,
        mci::kCannotLoadDriver,
        mci::kMissingCommandString,
        mci::kBadInteger,
        mci::kMissingParameter,
        mci::kUnsupportedFunction,
        mci::kFileNotFound,
        mci::kDeviceNotReady,
        mci::kInternal,
        mci::kOutOfRange,
        mci::kDuplicateAlias,
        mci::kBadTimeFormat,
        mci::kInvalidFile,
        mci::kDeviceNotInstalled,
        mci::kFileRead,
    };
    return known.count(result) > 0;
}

struct Line {
    QString command;
    bool withReply = true;
    int replyLength = kDefaultReplyLength;
    QString buffer;  // the caller's buffer before the command
};

Line lineOf(const QByteArray& bytes) {
    Line line;
    QByteArray text = bytes;
    if (text.startsWith('#')) {
        const qsizetype blank = text.indexOf(' ');
        const QByteArray number = text.mid(1, blank < 0 ? -1 : blank - 1);
        text = blank < 0 ? QByteArray() : text.mid(blank + 1);
        bool ok = false;
        const int n = number.toInt(&ok);
        if (!ok) {
            line.withReply = false;
        } else {
            line.replyLength = std::clamp(n, -4, 1024);
        }
    }
    line.command = QString::fromUtf8(text).replace(u'@', media().dir.path());
    // Buffers shorter and longer than the length they are sent with.
    const int prefill = line.replyLength % 2 == 0 ? line.replyLength + 7 : line.replyLength / 2;
    line.buffer = QString(std::max(prefill, 0), u'x');
    return line;
}

// The reply contract: padded with blanks to the length, the answer and a NUL from the start, the
// rest as it was; nothing for a length below 1; only a NUL after a failure.
void checkReply(const Line& line, const QString& after, int result) {
    if (line.replyLength < 1) {
        FUZZ_CHECK(after == line.buffer);
        return;
    }
    QString padded = line.buffer;
    if (padded.size() < line.replyLength) {
        padded.append(QString(line.replyLength - padded.size(), u' '));
    }
    FUZZ_CHECK(after.size() == padded.size());
    const qsizetype nul = after.indexOf(QChar(u'\0'));
    FUZZ_CHECK(nul >= 0 && nul < line.replyLength);
    FUZZ_CHECK(after.mid(nul + 1) == padded.mid(nul + 1));
    if (result != mci::kOk) {
        FUZZ_CHECK(nul == 0);
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    luma::fuzz::ensureApplication();
    const QDir dir(media().dir.path());
    FUZZ_CHECK(writeMedia(dir));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const luma::fuzz::QuietStderr quiet;
    auto output = std::make_unique<audio::ManualOutput>();
    audio::ManualOutput* pulled = output.get();
    static const NoDrives noDrives;
    const luma::SoundServices sound =
        luma::makeSoundServices(std::move(output), noDrives, media().synths);
    mci::MediaCommandInterpreter& interpreter = *sound.media;

    for (const QByteArray& bytes : luma::fuzz::linesOf(data, size, kMaxCommands)) {
        const Line line = lineOf(bytes);
        QString reply = line.buffer;
        const int result = line.withReply ? interpreter.send(line.command, &reply, line.replyLength)
                                          : interpreter.send(line.command);
        FUZZ_CHECK(knownResult(result));
        if (line.withReply) {
            checkReply(line, reply, result);
        }
        pulled->pull(kFramesPerCommand);
        QCoreApplication::processEvents();
    }
    interpreter.closeAll();
    FUZZ_CHECK(!pulled->running());
    return 0;
}
