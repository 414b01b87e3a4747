// Writes the seed corpus of every fuzz target, and the dictionaries of the text formats, under the
// folder given: <folder>/<target>/seed-N and <folder>/<target>.dict. Every seed is made here, by
// our own writers; the only inputs kept in the repository are those the fuzzing itself found
// (fuzz/corpus/).
#include "TestMedia.h"
#include "support/GifWriter.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>

#include <cstdio>
#include <vector>

namespace {

using luma::test::GifFile;
using luma::test::GifImage;

class Corpus {
public:
    Corpus(const QString& root, const QString& target) : dir_(root + u'/' + target) {
        QDir().mkpath(dir_.path());
    }
    void add(const QByteArray& seed) {
        QFile file(dir_.filePath(QStringLiteral("seed-%1").arg(++count_)));
        ok_ = file.open(QIODevice::WriteOnly) && file.write(seed) == seed.size() && ok_;
    }
    void addAll(const std::vector<QByteArray>& seeds) {
        for (const QByteArray& seed : seeds) {
            add(seed);
        }
    }
    bool ok() const { return ok_ && count_ > 0; }

private:
    QDir dir_;
    int count_ = 0;
    bool ok_ = true;
};

bool writeDictionary(const QString& path, const std::vector<QByteArray>& words) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    for (const QByteArray& word : words) {
        QByteArray escaped;
        for (char c : word) {
            if (c == '"' || c == '\\') {
                escaped += '\\';
                escaped += c;
            } else if (c < ' ' || c > '~') {
                escaped += "\\x" + QByteArray::number(static_cast<unsigned char>(c), 16)
                                       .rightJustified(2, '0')
                                       .toUpper();
            } else {
                escaped += c;
            }
        }
        file.write("\"" + escaped + "\"\n");
    }
    return true;
}

QByteArray encoded(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

bool gifSeeds(const QString& root) {
    using namespace luma::test;
    Corpus corpus(root, QStringLiteral("gif_split"));
    const std::vector<QRgb> colours{qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255),
                                    qRgb(0, 0, 0)};
    const QByteArray animation = solidAnimation({8, 6}, colours, {10, 20, 30}).encode();
    corpus.add(animation);
    corpus.add(solidAnimation({3, 3}, colours, {0}).encode());
    corpus.add(animation.left(animation.size() - 9));  // breaks off inside the last frame

    GifFile mixed;
    mixed.screen = {6, 4};
    mixed.palette = colours;
    mixed.comment = "made by lumafolio";
    mixed.images.push_back(solidImage({6, 4}, 1, 5));
    GifImage bare = solidImage({2, 2}, 2, 0);
    bare.withControl = false;
    bare.offset = {3, 1};
    mixed.images.push_back(bare);
    GifImage local = solidImage({4, 4}, 0, 7);
    local.localPalette = {qRgb(9, 9, 9), qRgb(200, 100, 50)};
    local.transparent = 1;
    local.disposal = 2;
    mixed.images.push_back(local);
    corpus.add(mixed.encode());
    mixed.literalCodes = true;
    mixed.loopExtension = false;
    mixed.trailer = false;
    corpus.add(mixed.encode());

    GifFile noScreen = mixed;
    noScreen.screen = {0, 0};
    noScreen.trailer = true;
    corpus.add(noScreen.encode());

    QImage still(5, 3, QImage::Format_RGB32);
    still.fill(qRgb(10, 120, 230));
    corpus.add(encoded(still, "JPEG"));
    corpus.add(encoded(still, "BMP"));
    return corpus.ok();
}

bool commandSeeds(const QString& root) {
    Corpus corpus(root, QStringLiteral("media_commands"));
    corpus.addAll({
        "open waveaudio!@/tone.wav alias sound\nplay sound\nstatus sound position\n"
        "status sound mode\nstatus sound length\nstop sound\nclose sound",
        "open @/tone.wav type waveaudio alias sound wait\nplay sound from 100 to 200\n"
        "#4 status sound length\n#1 status sound mode\n#0 status sound position\nclose all",
        "open sequencer!@/tune.mid alias midi\nplay midi\nstatus midi position\nseek midi to 500\n"
        "play midi\nstatus midi mode\nseek midi to end\nclose midi",
        "open @/notes.mid alias midi shareable\nset midi time format ms\nplay midi from 0 to 300\n"
        "status midi length track 1\n# stop midi\nclose midi",
        "open waveaudio!@/two words.wav alias sound\nplay sound\nstatus sound media present\n"
        "seek sound to start\nstatus sound number of tracks\nclose sound",
        "open waveaudio!@/low.wav alias a\nopen waveaudio!@/tone.wav alias b\nplay a\nplay b\n"
        "status a position\nclose a\nstatus b mode\nclose all",
        "open waveaudio!@/broken.wav alias sound\nopen waveaudio!@/missing.wav alias sound\n"
        "open waveaudio alias sound\nplay sound\nclose sound\nopen @/tone.wav\nclose @/tone.wav",
        "open waveaudio!@/tone.wav alias all\nopen cdaudio alias cd\nstatus nothing mode\n"
        "set sound time format tmsf\nplay\n\n   \nseek sound to 99999999999999999999",
    });
    return corpus.ok() &&
           writeDictionary(root + QStringLiteral("/media_commands.dict"), {"open",
                                                                           "close",
                                                                           "play",
                                                                           "stop",
                                                                           "seek",
                                                                           "set",
                                                                           "status",
                                                                           "alias",
                                                                           "type",
                                                                           "wait",
                                                                           "notify",
                                                                           "shareable",
                                                                           "from",
                                                                           "to",
                                                                           "start",
                                                                           "end",
                                                                           "time format",
                                                                           "ms",
                                                                           "milliseconds",
                                                                           "hms",
                                                                           "msf",
                                                                           "tmsf",
                                                                           "length",
                                                                           "position",
                                                                           "mode",
                                                                           "media present",
                                                                           "number of tracks",
                                                                           "length track",
                                                                           "ready",
                                                                           "current track",
                                                                           "waveaudio",
                                                                           "sequencer",
                                                                           "cdaudio",
                                                                           "all",
                                                                           "sound",
                                                                           "midi",
                                                                           "!",
                                                                           "@/tone.wav",
                                                                           "@/low.wav",
                                                                           "@/two words.wav",
                                                                           "@/tune.mid",
                                                                           "@/notes.mid",
                                                                           "@/broken.wav",
                                                                           "#0 ",
                                                                           "#1 ",
                                                                           "#3 ",
                                                                           "# ",
                                                                           "\n"});
}

bool numberSeeds(const QString& root) {
    Corpus corpus(root, QStringLiteral("numbers"));
    corpus.addAll({"45abc",
                   " 1 2",
                   "-3.5x",
                   "1e2",
                   "2.5",
                   "3.5",
                   "-2.5",
                   "32767.5",
                   "-32768.5",
                   "32768",
                   "2147483647.5",
                   "-2147483648.5",
                   "1d3",
                   "+7",
                   ".5",
                   "5.",
                   "- 4",
                   "1.7976931348623157e308",
                   "4.9e-324",
                   "1e400",
                   "  7  ",
                   "\t12\r\n",
                   "0x1A",
                   "",
                   "1.23456789012345678",
                   "123456789012345678901234567890",
                   "-0",
                   "1E+15",
                   "\xc2\xa0"
                   "5",
                   "\xd9\xa3"});
    return corpus.ok();
}

bool cdTextSeeds(const QString& root) {
    Corpus corpus(root, QStringLiteral("cd_track_text"));
    corpus.addAll({"CD Track [ 7 ] 00:03:25 CD", "CD Track [12 ] 01:02:03 CD", "[9", "12",
                   "01:02:03:04", "00:03:25", "99:59:74", "12345", "3",
                   "7:", "::", QByteArray("12\0 34", 6), QByteArray("\0", 1), "1:60:00", "00:00:75",
                   "999999999:59:74", "10:00:00:00:00", " 04:05:06 ", "\xd9\xa3"});
    return corpus.ok();
}

bool settingsSeeds(const QString& root) {
    Corpus corpus(root, QStringLiteral("settings_file"));
    corpus.addAll({
        "[Settings]\nSlides=1\nRandom%20order=0\nanimate=1\nscreensize=0\nSlidesize=100\n"
        "delay=5\nBsound=1\nMousesens=15\nBackColors=0\nAniFile=/tmp/a.gif\n\n"
        "[pictures]\nHowMany=3\n1=/pictures/a.jpg\n2=0\n3=/pictures/b c.gif\n\n"
        "[music]\nHowMany=2\n1=/music/a.wav\n2=CD Track [ 7 ] 00:03:25 CD\n",
        "[pictures]\nHowMany=5\n1=a\n5=e\n",
        "[pictures]\nHowMany=2000000000\n1=a\n",
        "[music]\nHowMany=-3\n1=x\n[pictures]\nHowMany=abc\n",
        "[Settings]\ndelay=\"a, b, c\"\nMousesens=1, 2\nAniFile=@ByteArray(abc)\n",
        "\xef\xbb\xbf[Settings]\nSlides=0\n",
        "[Settings\nSlides=1\n=\n[]\nkey with no value\n; comment\n",
        "[pictures]\nHowMany=2\n1=\\\"quoted\\\"\n2=a\\\\b\n",
        QByteArray("[Settings]\nSlides=1\0\n", 21),
        "[Settings]\nSlides=\xff\xfe\n",
    });
    return corpus.ok();
}

bool midiSeeds(const QString& root) {
    using luma::test::MidiFileBuilder;
    Corpus corpus(root, QStringLiteral("midi_timing"));
    corpus.add(MidiFileBuilder().note(0, 60, 480).note(0, 62, 480).bytes());
    corpus.add(MidiFileBuilder(96)
                   .tempo(250000)
                   .program(0, 12)
                   .chord(0, {60, 64, 67}, 48)
                   .tempo(1000000, 10)
                   .note(9, 38, 24, 24)
                   .bytes());
    // Time-code division: 25 frames a second, 40 ticks a frame.
    QByteArray smpte = MidiFileBuilder().note(0, 60, 100).bytes();
    smpte[12] = static_cast<char>(-25);
    smpte[13] = 40;
    corpus.add(smpte);
    const QByteArray plain = MidiFileBuilder().note(0, 60, 480).bytes();
    corpus.add(plain.left(plain.size() - 3));
    return corpus.ok();
}

bool pictureSeeds(const QString& root) {
    Corpus corpus(root, QStringLiteral("picture_integrity"));
    QImage still(7, 5, QImage::Format_RGB32);
    still.fill(qRgb(200, 40, 90));
    const QByteArray jpeg = encoded(still, "JPEG");
    const QByteArray bmp = encoded(still, "BMP");
    const QByteArray bmp8 = encoded(still.convertToFormat(QImage::Format_Indexed8), "BMP");
    corpus.addAll({jpeg, jpeg.left(jpeg.size() - 2), bmp, bmp.left(bmp.size() - 1), bmp8,
                   encoded(still, "GIF")});
    // Sizes whose product passes 64 bits: 2,147,483,647 x -2,147,483,648 at 32 bits a pixel.
    QByteArray huge = bmp;
    const char size[] = "\xFF\xFF\xFF\x7F\x00\x00\x00\x80";
    huge.replace(18, 8, QByteArray(size, 8));
    huge[28] = 32;
    corpus.add(huge);
    return corpus.ok();
}

bool commandLineSeeds(const QString& root) {
    Corpus corpus(root, QStringLiteral("command_line"));
    // Lines: XSCREENSAVER_WINDOW, XSCREENSAVER_SAVER_INDEX, QT_QPA_PLATFORM, DISPLAY, arguments.
    corpus.addAll({"\n\n\n\n/S", "\n\nxcb\n:0\n/c:1234", "0x600008\n1\n\n:1\n--root",
                   "6291464\n\n\n\n-root", "\n\noffscreen\n\n-window-id\n0X2b",
                   "\n\nwayland;xcb\n:0\n--window-id\n4294967296", "\n\n\n\n--help",
                   "\n\n\n\n--version", "x\n\n\n\n/p\n12", "\n\n\n\n/A"});
    return corpus.ok() && writeDictionary(root + QStringLiteral("/command_line.dict"),
                                          {"-root", "--root", "-window-id", "--window-id", "0x",
                                           "/S", "/C", "/P", "/A", "/c:", "--help", "--version",
                                           "xcb", "wayland", "offscreen", "\n"});
}

bool playlistSeeds(const QString& root) {
    Corpus corpus(root, QStringLiteral("playlists"));
    corpus.addAll(
        {"#EXTM3U\n#EXTINF:123,Title\nrel/one.mp3\r\n/abs/two.wav\n"
         "http://radio.example/stream\nfile:///abs/three.mid\n",
         "\xEF\xBB\xBF#EXTM3U\nChanson d\xC3\xA9t\xC3\xA9.mp3\n../up.wav\n",
         "Chanson d\xE9t\xE9.mp3\n",
         "[playlist]\nFile2=/abs/two.wav\nTitle1=One\nFile1=rel/one.mp3\n"
         "file3=file:///abs/x.mid\nNumberOfEntries=3\nVersion=2\n",
         "photos/2.jpg\nphotos/10.jpg\nA.JPG\nb.Jpg\nc.jpeg\nlist.M3U8\nx cd\n"});
    return corpus.ok() && writeDictionary(root + QStringLiteral("/playlists.dict"),
                                          {"#EXTM3U", "#EXTINF:", "[playlist]",
                                           "File1=", "Title1=", "NumberOfEntries=", "file://",
                                           "http://", "../", ".mp3", ".wav", ".mid", ".jpg", ".GIF",
                                           ".m3u8", ".pls", " CD", "\xEF\xBB\xBF"});
}

}  // namespace

// Idle times around their thresholds, each followed by the kind of answer and texts for it.
bool idleReplySeeds(const QString& root) {
    Corpus corpus(root, QStringLiteral("idle_replies"));
    const auto reading = [](std::uint32_t since, std::int32_t threshold, char kind) {
        QByteArray bytes(reinterpret_cast<const char*>(&since), sizeof since);
        bytes.append(reinterpret_cast<const char*>(&threshold), sizeof threshold);
        return bytes + kind;
    };
    corpus.addAll({reading(0, 600000, 1) + reading(599990, 600000, 2),
                   reading(600000, 600000, 6) + "shutdown:sleep:idle",
                   reading(4294967295u, -1, 7) + reading(12, 0, 5) + "idle",
                   reading(300, 1000, 8) + "handle-lid-switch:idle"});
    return corpus.ok();
}

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <corpus folder>\n", argv[0]);
        return 2;
    }
    const QString root = QString::fromLocal8Bit(argv[1]);
    const bool ok = gifSeeds(root) && commandSeeds(root) && numberSeeds(root) &&
                    cdTextSeeds(root) && settingsSeeds(root) && midiSeeds(root) &&
                    pictureSeeds(root) && commandLineSeeds(root) && playlistSeeds(root) &&
                    idleReplySeeds(root);
    if (!ok) {
        std::fprintf(stderr, "fuzz seeds: cannot write the corpus under %s\n", argv[1]);
        return 1;
    }
    return 0;
}
