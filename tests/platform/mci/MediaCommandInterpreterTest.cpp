#include "platform/mci/MciErrors.h"
#include "platform/mci/MediaCommandInterpreter.h"

#include <gtest/gtest.h>

#include <QStringList>

#include <random>

namespace luma::mci {
namespace {

// Records every call it gets in a log shared with its type.
class FakeDevice : public Device {
public:
    FakeDevice(QStringList& log, QString name) : log_(log), name_(std::move(name)) {}
    ~FakeDevice() override { log_.append(name_ + QStringLiteral(" closed")); }
    int play(const std::optional<QString>& from, const std::optional<QString>& to) override {
        log_.append(
            name_ +
            QStringLiteral(" play %1 %2").arg(from.value_or(u"-"_qs), to.value_or(u"-"_qs)));
        return kOk;
    }
    int stop() override {
        log_.append(name_ + QStringLiteral(" stop"));
        return kOk;
    }
    int seek(const QString& to) override {
        log_.append(name_ + QStringLiteral(" seek ") + to);
        return kOk;
    }
    int setTimeFormat(TimeFormat format) override {
        log_.append(name_ + QStringLiteral(" format %1").arg(int(format)));
        return format == TimeFormat::Tmsf ? kOk : kBadTimeFormat;
    }
    int status(const QString& item, QString& reply) override {
        log_.append(name_ + QStringLiteral(" status ") + item);
        if (item == u"mode") {
            reply = QStringLiteral("stopped");
            return kOk;
        }
        reply = QStringLiteral("partial answer");  // must not reach the caller
        return kUnrecognizedKeyword;
    }

private:
    QStringList& log_;
    QString name_;
};

class FakeType : public DeviceType {
public:
    FakeType(QStringList& log, QString name) : log_(log), name_(std::move(name)) {}
    std::unique_ptr<Device> open(const QString& element, int& error) override {
        log_.append(name_ + QStringLiteral(" open [") + element + u']');
        if (element == u"missing") {
            error = kFileNotFound;
            return nullptr;
        }
        error = kOk;
        return std::make_unique<FakeDevice>(log_, name_);
    }

private:
    QStringList& log_;
    QString name_;
};

class CountingEngine : public audio::AudioEngine {
public:
    SourceId start(std::shared_ptr<audio::AudioSource>) override { return 0; }
    void stop(SourceId) override {}
    bool isSounding(SourceId) const override { return false; }
    void shutdown() override { ++shutdowns; }
    int shutdowns = 0;
};

struct InterpreterTest : ::testing::Test {
    InterpreterTest() {
        mci.registerType(QStringLiteral("fake"), std::make_unique<FakeType>(log, u"fake"_qs));
        mci.registerType(QStringLiteral("WaveAudio"), std::make_unique<FakeType>(log, u"wave"_qs));
        mci.registerType(QStringLiteral("sequencer"), std::make_unique<FakeType>(log, u"seq"_qs));
    }
    // Sends with a reply buffer; returns the result and the reply up to its NUL.
    std::pair<int, QString> send(const QString& command) {
        QString reply(128, u' ');
        const int result = mci.send(command, &reply, 128);
        return {result, reply.left(reply.indexOf(QChar(u'\0')))};
    }

    QStringList log;
    std::shared_ptr<CountingEngine> engine = std::make_shared<CountingEngine>();
    MediaCommandInterpreter mci{engine};
};

TEST_F(InterpreterTest, EachOpenFormReachesItsTypeWithItsElement) {
    struct Case {
        QString command;
        QString opened;
    };
    const Case cases[] = {
        {u"open waveaudio!C:\\My Music\\a  b.wav alias sound"_qs,
         u"wave open [C:\\My Music\\a  b.wav]"_qs},
        {u"open  /dev/sr0 type fake alias cd wait shareable"_qs, u"fake open [/dev/sr0]"_qs},
        {u"open fake alias cdaudio"_qs, u"fake open []"_qs},
        {u"open FAKE!Keep Case.wav alias x"_qs, u"fake open [Keep Case.wav]"_qs},
        {u"open /music/Song.MID alias midi"_qs, u"seq open [/music/Song.MID]"_qs},
        {u"open /music/tone.wav alias sound2"_qs, u"wave open [/music/tone.wav]"_qs},
    };
    for (const Case& c : cases) {
        log.clear();
        EXPECT_EQ(send(c.command).first, kOk) << c.command.toStdString();
        EXPECT_EQ(log, QStringList{c.opened}) << c.command.toStdString();
    }
}

TEST_F(InterpreterTest, WithoutAnAliasTheElementOrTypeNamesTheDevice) {
    ASSERT_EQ(send(u"open /music/tone.wav"_qs).first, kOk);
    ASSERT_EQ(send(u"open fake"_qs).first, kOk);
    log.clear();
    EXPECT_EQ(send(u"play /music/tone.wav"_qs).first, kOk);
    EXPECT_EQ(send(u"stop fake"_qs).first, kOk);
    EXPECT_EQ(log, (QStringList{u"wave play - -"_qs, u"fake stop"_qs}));
}

TEST_F(InterpreterTest, ErrorNumbers) {
    ASSERT_EQ(send(u"open fake!a alias sound"_qs).first, kOk);
    struct Case {
        QString command;
        int result;
    };
    const Case cases[] = {
        {u"open fake!b alias sound"_qs, kDuplicateAlias},
        {u"open fake!b alias SOUND"_qs, kDuplicateAlias},
        {u"open fake!missing alias other"_qs, kFileNotFound},
        {u"open nosuchtype!x alias other"_qs, kInvalidDeviceName},
        {u"open /music/picture.bmp alias other"_qs, kInvalidDeviceName},
        {u"open fake!x alias all"_qs, kInvalidDeviceName},
        {u"play nobody"_qs, kInvalidDeviceName},
        {u"status nobody mode"_qs, kInvalidDeviceName},
        {u"close nobody"_qs, kInvalidDeviceName},
        {u"rewind sound"_qs, kUnrecognizedCommand},
        {u"play sound sideways"_qs, kUnrecognizedKeyword},
        {u"status sound volume"_qs, kUnrecognizedKeyword},
        {u"set sound time format hms"_qs, kBadTimeFormat},
        {QString(), kMissingCommandString},
    };
    for (const Case& c : cases) {
        const auto [result, reply] = send(c.command);
        EXPECT_EQ(result, c.result) << c.command.toStdString();
        EXPECT_EQ(reply, QString()) << "no reply on failure: " << c.command.toStdString();
    }
    EXPECT_FALSE(mci.isOpen(u"other"_qs));
}

TEST_F(InterpreterTest, VerbsReachTheDeviceByItsAlias) {
    ASSERT_EQ(send(u"open  D:\\ type fake alias cd wait shareable"_qs).first, kOk);
    log.clear();
    EXPECT_EQ(send(u"set CD time format tmsf"_qs).first, kOk);
    EXPECT_EQ(send(u"play cd from 7 to 8"_qs).first, kOk);
    EXPECT_EQ(send(u"stop cd wait"_qs).first, kOk);
    EXPECT_EQ(send(u"seek cd to 1 wait"_qs).first, kOk);
    EXPECT_EQ(send(u"status cd mode"_qs), std::pair(0, u"stopped"_qs));
    EXPECT_EQ(log, (QStringList{u"fake format 3"_qs, u"fake play 7 8"_qs, u"fake stop"_qs,
                                u"fake seek 1"_qs, u"fake status mode"_qs}));
}

TEST_F(InterpreterTest, CloseLetsTheDeviceAndItsAliasGo) {
    ASSERT_EQ(send(u"open fake!a alias sound"_qs).first, kOk);
    ASSERT_EQ(send(u"open fake!b alias midi"_qs).first, kOk);
    log.clear();
    EXPECT_EQ(send(u"close sound"_qs).first, kOk);
    EXPECT_EQ(log, QStringList{u"fake closed"_qs});
    EXPECT_EQ(send(u"stop sound"_qs).first, kInvalidDeviceName);
    EXPECT_EQ(send(u"open fake!c alias sound"_qs).first, kOk) << "the alias is free again";

    EXPECT_EQ(send(u"close all"_qs).first, kOk);
    EXPECT_FALSE(mci.isOpen(u"sound"_qs));
    EXPECT_FALSE(mci.isOpen(u"midi"_qs));
    EXPECT_EQ(engine->shutdowns, 0) << "close all leaves the output to closeAll()";

    ASSERT_EQ(send(u"open fake!d alias cd"_qs).first, kOk);
    mci.closeAll();
    EXPECT_FALSE(mci.isOpen(u"cd"_qs));
    EXPECT_EQ(engine->shutdowns, 1);
}

// The reply goes into the caller's buffer from its start, cut to length - 1 and followed by a NUL;
// the rest of the buffer keeps what it held.
TEST_F(InterpreterTest, RepliesAreCutToTheBufferAndEndWithANul) {
    for (int i = 0; i < 12; ++i) {  // device numbers up to 12
        ASSERT_EQ(send(QStringLiteral("open fake!%1 alias d%1").arg(i)).first, kOk);
    }
    struct Case {
        QString buffer;
        int length;
        QString expected;
    };
    const QString nul(QChar(u'\0'));
    const Case cases[] = {
        {u"abcdefgh"_qs, 8, u"13"_qs + nul + u"defgh"_qs},
        {u"abcdefgh"_qs, 2, u"1"_qs + nul + u"cdefgh"_qs},
        {u"abcdefgh"_qs, 1, nul + u"bcdefgh"_qs},
        {u"abcdefgh"_qs, 0, u"abcdefgh"_qs},
        {u"ab"_qs, 6, u"13"_qs + nul + u"   "_qs},
        {QString(), 4, u"13"_qs + nul + u" "_qs},
    };
    int n = 13;
    for (const Case& c : cases) {
        QString buffer = c.buffer;
        ASSERT_EQ(mci.send(QStringLiteral("open fake!x alias e%1").arg(n), &buffer, c.length), kOk);
        QString expected = c.expected;
        expected.replace(u"13"_qs, QString::number(n));
        EXPECT_EQ(buffer, expected) << c.length;
        ++n;
    }
    EXPECT_EQ(mci.send(u"close all"_qs, nullptr, 100), kOk) << "no buffer is fine";
}

TEST_F(InterpreterTest, AFailedCommandLeavesNoStaleReplyInAReusedBuffer) {
    QString buffer = u"true"_qs + QString(251, u' ');
    EXPECT_EQ(mci.send(u"status cd media present"_qs, &buffer, 255), kInvalidDeviceName);
    EXPECT_EQ(buffer[0], QChar(u'\0'));
}

// Whatever text arrives, the interpreter answers with a number and goes on working.
TEST_F(InterpreterTest, GarbageNeverHurts) {
    QStringList words =
        u"open close play stop seek set status alias type from to time format tmsf "
        u"all wait fake fake! ! fake!x sound mode track -1 99999999999 \u00e9 "
        u"\"q\" missing shareable"_qs.split(u' ');
    words += {QString(), u"  "_qs, u"\t"_qs, QString(QChar(u'\0'))};
    std::mt19937 random(11);
    for (int round = 0; round < 20000; ++round) {
        QString command;
        const int n = int(random() % 8);
        for (int i = 0; i < n; ++i) {
            command += words[qsizetype(random() % std::uint32_t(words.size()))];
            if (random() % 4 != 0) {
                command += u' ';
            }
        }
        QString reply(16, u' ');
        const int length = int(random() % 20) - 2;
        const int result = mci.send(command, &reply, length);
        ASSERT_GE(result, 0) << command.toStdString();
        ASSERT_GE(reply.size(), 16);
    }
    const QString huge(200000, u'!');
    EXPECT_NE(mci.send(u"open "_qs + huge), kOk);
    EXPECT_NE(mci.send(huge), kOk);
    mci.send(u"close all"_qs);
    EXPECT_EQ(send(u"open fake!y alias sound"_qs).first, kOk) << "still working";
}

}  // namespace
}  // namespace luma::mci
