#include "ScopedVariable.h"
#include "TestSources.h"
#include "platform/audio/MixingEngine.h"
#include "platform/audio/SdlOutput.h"

#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QThread>

namespace luma::audio {
namespace {

TEST(SdlOutput, TheDummyDriverPlaysWithoutASoundCard) {
    const test::ScopedVariable driver("SDL_AUDIODRIVER", "dummy");
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
    const test::ScopedVariable driver("SDL_AUDIODRIVER", "no-such-driver");
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
