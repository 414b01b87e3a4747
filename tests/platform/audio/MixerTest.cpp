#include "TestSources.h"
#include "platform/audio/Mixer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace luma::audio {
namespace {

using test::ConstantSource;

std::vector<float> mixFrames(Mixer& mixer, std::size_t frames) {
    std::vector<float> out(frames * kChannels, 123.0f);
    mixer.mix(out.data(), frames);
    return out;
}

TEST(Mixer, SilentWithoutSourcesAndSumsEverySoundingSource) {
    Mixer mixer;
    for (float s : mixFrames(mixer, 10)) {
        ASSERT_EQ(s, 0.0f);
    }
    mixer.add(std::make_shared<ConstantSource>(0.25f));
    mixer.add(std::make_shared<ConstantSource>(0.5f));
    for (float s : mixFrames(mixer, 3000)) {  // more than one internal block
        ASSERT_FLOAT_EQ(s, 0.75f);
    }
}

TEST(Mixer, LimitsTheSum) {
    struct Case {
        float in;
        float out;
    };
    const Case cases[] = {{0.5f, 0.5f},
                          {1.5f, 1.0f},
                          {-1.5f, -1.0f},
                          {std::numeric_limits<float>::infinity(), 1.0f},
                          {std::numeric_limits<float>::quiet_NaN(), 0.0f}};
    for (const Case& c : cases) {
        EXPECT_EQ(limitSample(c.in), c.out) << c.in;
    }
    Mixer mixer;
    mixer.add(std::make_shared<ConstantSource>(0.8f));
    mixer.add(std::make_shared<ConstantSource>(0.7f));
    EXPECT_EQ(mixFrames(mixer, 4)[0], 1.0f);
}

TEST(Mixer, ASourceEndsWhenItDeliversLessThanAsked) {
    Mixer mixer;
    int allEnded = 0;
    mixer.setAllEndedListener([&] { ++allEnded; });
    const Mixer::SourceId id = mixer.add(std::make_shared<ConstantSource>(0.5f, 1500));
    EXPECT_TRUE(mixer.isActive(id));

    const std::vector<float> out = mixFrames(mixer, 2048);
    EXPECT_EQ(out[1499 * 2], 0.5f);
    EXPECT_EQ(out[1500 * 2], 0.0f);
    EXPECT_EQ(out.back(), 0.0f);
    EXPECT_FALSE(mixer.isActive(id));
    EXPECT_FALSE(mixer.anyActive());
    EXPECT_EQ(allEnded, 1);

    mixFrames(mixer, 512);
    EXPECT_EQ(allEnded, 1) << "told once, not on every later mix";
}

TEST(Mixer, TellsOnlyWhenTheLastSourceEnds) {
    Mixer mixer;
    int allEnded = 0;
    mixer.setAllEndedListener([&] { ++allEnded; });
    mixer.add(std::make_shared<ConstantSource>(0.1f, 100));
    mixer.add(std::make_shared<ConstantSource>(0.1f));
    mixFrames(mixer, 1000);
    EXPECT_EQ(allEnded, 0);
    EXPECT_TRUE(mixer.anyActive());
}

TEST(Mixer, RemovedAndTakenSourcesGoBackToTheCaller) {
    Mixer mixer;
    auto kept = std::make_shared<ConstantSource>(0.25f);
    auto shortOne = std::make_shared<ConstantSource>(0.5f, 10);
    const Mixer::SourceId keptId = mixer.add(kept);
    mixer.add(shortOne);
    mixFrames(mixer, 64);

    const auto ended = mixer.takeEnded();
    ASSERT_EQ(ended.size(), 1u);
    EXPECT_EQ(ended[0], shortOne);

    EXPECT_EQ(mixer.remove(keptId), kept);
    EXPECT_EQ(mixer.remove(keptId), nullptr);
    EXPECT_EQ(mixer.remove(999), nullptr);
    EXPECT_EQ(mixFrames(mixer, 4)[0], 0.0f);
    EXPECT_EQ(mixer.add(nullptr), 0);
}

}  // namespace
}  // namespace luma::audio
