#include "TestSources.h"
#include "platform/audio/ManualOutput.h"
#include "platform/audio/MixingEngine.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDeadlineTimer>

namespace luma::audio {
namespace {

using test::ConstantSource;

struct EngineOverManualOutput : ::testing::Test {
    EngineOverManualOutput() {
        auto manual = std::make_unique<ManualOutput>();
        output = manual.get();
        engine = std::make_unique<MixingEngine>(std::move(manual));
    }
    // Runs the engine's queued idle check.
    static void turnEventLoop() { QCoreApplication::processEvents(); }

    ManualOutput* output = nullptr;
    std::unique_ptr<MixingEngine> engine;
};

TEST_F(EngineOverManualOutput, StartingResumesTheOutputAndStoppingTheLastSourceSuspendsIt) {
    EXPECT_FALSE(output->running());
    const auto id = engine->start(std::make_shared<ConstantSource>(0.5f));
    EXPECT_NE(id, 0);
    EXPECT_TRUE(engine->isSounding(id));
    EXPECT_TRUE(output->running());
    EXPECT_EQ(output->pull(8)[0], 0.5f);

    engine->stop(id);
    engine->stop(id);  // twice is harmless
    engine->stop(12345);
    turnEventLoop();
    EXPECT_FALSE(output->running());
    EXPECT_EQ(output->pull(4)[0], 0.0f);
}

TEST_F(EngineOverManualOutput, WithoutASoundDeviceNothingStartsAndNothingIsKept) {
    output->setAvailable(false);
    auto source = std::make_shared<ConstantSource>(0.5f);
    EXPECT_EQ(engine->start(source), 0);
    EXPECT_EQ(source.use_count(), 1);
    EXPECT_FALSE(engine->isSounding(0));
    EXPECT_FALSE(engine->outputRunning());
}

TEST_F(EngineOverManualOutput, TheOutputIsSuspendedOnceTheLastSourceHasEnded) {
    auto source = std::make_shared<ConstantSource>(0.5f, 100);
    const auto id = engine->start(source);
    output->pull(200);
    EXPECT_FALSE(engine->isSounding(id));
    turnEventLoop();
    EXPECT_FALSE(output->running());
    EXPECT_FALSE(engine->outputRunning());
    EXPECT_EQ(source.use_count(), 1) << "the ended source was let go";
}

TEST_F(EngineOverManualOutput, StopAndStartInOneTurnKeepTheOutputOpen) {
    const auto first = engine->start(std::make_shared<ConstantSource>(0.5f));
    engine->stop(first);
    const auto second = engine->start(std::make_shared<ConstantSource>(0.25f));
    turnEventLoop();
    EXPECT_TRUE(output->running());
    EXPECT_EQ(output->resumeCount(), 1);
    EXPECT_FALSE(engine->isSounding(first));
    EXPECT_TRUE(engine->isSounding(second));
    EXPECT_EQ(output->pull(4)[0], 0.25f);
}

TEST(EngineIdleGrace, TheOutputStaysOpenForTheGraceAndThenCloses) {
    auto manual = std::make_unique<ManualOutput>();
    ManualOutput* output = manual.get();
    MixingEngine engine(std::move(manual), std::chrono::milliseconds(30));

    engine.start(std::make_shared<ConstantSource>(0.5f, 10));
    output->pull(64);
    QCoreApplication::processEvents();
    EXPECT_TRUE(output->running()) << "still within the grace";

    engine.start(std::make_shared<ConstantSource>(0.5f, 10));  // a start in the grace keeps it
    output->pull(64);
    const QDeadlineTimer deadline(5000);
    while (output->running() && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    }
    EXPECT_FALSE(output->running()) << "closed once the grace has passed";
    EXPECT_EQ(output->resumeCount(), 1);
}

TEST_F(EngineOverManualOutput, ShutdownStopsEverySourceAndAStartReopens) {
    const auto a = engine->start(std::make_shared<ConstantSource>(0.5f));
    const auto b = engine->start(std::make_shared<ConstantSource>(0.25f));
    engine->shutdown();
    EXPECT_FALSE(engine->isSounding(a));
    EXPECT_FALSE(engine->isSounding(b));
    EXPECT_FALSE(output->running());

    const auto c = engine->start(std::make_shared<ConstantSource>(0.125f));
    EXPECT_NE(c, 0);
    EXPECT_EQ(output->pull(4)[0], 0.125f);
}

}  // namespace
}  // namespace luma::audio
