#pragma once

#include "TestMedia.h"
#include "platform/audio/ManualOutput.h"
#include "platform/sound/SoundServices.h"
#include "support/FakeServices.h"

#include <gtest/gtest.h>

#include <limits>

namespace luma::test {

// Delivers a constant value on both channels for a given number of frames, then ends.
class ConstantSource : public audio::AudioSource {
public:
    explicit ConstantSource(float value,
                            std::size_t frames = std::numeric_limits<std::size_t>::max())
        : value_(value), left_(frames) {}
    std::size_t render(float* out, std::size_t frames) override {
        const std::size_t n = std::min(frames, left_);
        std::fill(out, out + n * audio::kChannels, value_);
        left_ -= n;
        return n;
    }

private:
    float value_;
    std::size_t left_;
};

// Renders `source` in pieces of `piece` frames until it delivers fewer than asked; returns every
// frame delivered. A source still going after a minute fails the test.
inline std::vector<float> renderToEnd(audio::AudioSource& source, std::size_t piece = 1024) {
    std::vector<float> all;
    std::vector<float> buffer(piece * audio::kChannels);
    for (std::size_t got = piece; got == piece;) {
        got = source.render(buffer.data(), piece);
        all.insert(all.end(), buffer.begin(), buffer.begin() + std::ptrdiff_t(2 * got));
        if (all.size() > std::size_t(120 * audio::kRate)) {
            ADD_FAILURE() << "the source never ended";
            break;
        }
    }
    return all;
}

// The real sound services over an output that the test pulls, with the CD drives the test names;
// runs scripts of commands, each with the reply it must give.
struct SoundRig {
    struct Step {
        const char* line;      // "@" stands for `folder`; "pull N" pulls N frames
        const char* expected;  // the reply, "error N"; for a pull "silent", "sound" or a tone
    };
    explicit SoundRig(QString mediaFolder = {}) : folder(std::move(mediaFolder)) {}

    QString send(const QString& command) {
        QString reply(128, u' ');
        const int result = sound.media->send(command, &reply, 128);
        return result != 0 ? QStringLiteral("error %1").arg(result)
                           : reply.left(reply.indexOf(QChar(u'\0')));
    }
    // "silent", or `tone` when the frames hold it loudly, or else "sound".
    QString pull(std::size_t frames, double tone) {
        const std::vector<float> heard = output->pull(frames);
        return peak(heard) == 0.0f                             ? u"silent"_qs
               : tone > 0 && goertzelPower(heard, tone) > 0.01 ? QString::number(tone)
                                                               : u"sound"_qs;
    }
    void run(std::initializer_list<Step> script) {
        for (const Step& step : script) {
            const QString line = QString::fromUtf8(step.line).replace(u'@', folder);
            const QString expected = QString::fromUtf8(step.expected);
            EXPECT_EQ(line.startsWith(u"pull ") ? pull(line.mid(5).toULong(), expected.toDouble())
                                                : send(line),
                      expected)
                << line.toStdString();
        }
    }

    QString folder;
    FakeDriveList drives;
    audio::ManualOutput* output = new audio::ManualOutput;  // owned by the engine
    SoundServices sound = makeSoundServices(std::unique_ptr<audio::AudioOutput>(output), drives);
};

}  // namespace luma::test
