#include "TestSources.h"
#include "platform/audio/MixingEngine.h"
#include "platform/audio/SdlOutput.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QDeadlineTimer>
#include <QThread>

namespace luma::audio {
namespace {

// Sets SDL_AUDIODRIVER for one test and puts the old value back.
class AudioDriver {
public:
    explicit AudioDriver(const char* name) : saved_(qgetenv("SDL_AUDIODRIVER")) {
        qputenv("SDL_AUDIODRIVER", name);
    }
    ~AudioDriver() {
        if (saved_.isNull()) {
            qunsetenv("SDL_AUDIODRIVER");
        } else {
            qputenv("SDL_AUDIODRIVER", saved_);
        }
    }

private:
    QByteArray saved_;
};

TEST(SdlOutput, TheDummyDriverPlaysWithoutASoundCard) {
    const AudioDriver driver("dummy");
    MixingEngine engine(std::make_unique<SdlOutput>());
    auto source = std::make_shared<test::ConstantSource>(0.1f);
    const auto id = engine.start(source);
    ASSERT_NE(id, 0);
    const QDeadlineTimer deadline(5000);
    while (source->rendered < 4096 && !deadline.hasExpired()) {
        QThread::msleep(5);
    }
    EXPECT_GE(source->rendered, 4096u) << "the device pulled the mix";
    engine.stop(id);
    engine.shutdown();
}

TEST(SdlOutput, AnUnknownDriverFailsCleanly) {
    const AudioDriver driver("no-such-driver");
    auto sdl = std::make_unique<SdlOutput>();
    SdlOutput* output = sdl.get();
    MixingEngine engine(std::move(sdl));
    auto source = std::make_shared<test::ConstantSource>(0.1f);
    EXPECT_EQ(engine.start(source), 0);
    EXPECT_EQ(engine.start(source), 0) << "and again, without harm";
    EXPECT_FALSE(output->lastError().isEmpty());
    EXPECT_EQ(source.use_count(), 1);
}

}  // namespace
}  // namespace luma::audio
