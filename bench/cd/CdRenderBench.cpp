// CPU time to play a minute of CD audio from a disc image: reading ahead, decoding and rendering,
// on every thread of the process. Goal: under 0.3 s per minute.
#include "ToneDisc.h"
#include "platform/cd/CdAudioSource.h"
#include "platform/cd/CdDisc.h"

#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include <vector>

namespace {

constexpr int kSeconds = 60;

void renderMinuteFromImage(benchmark::State& state) {
    QTemporaryDir dir;
    const QString cue = luma::test::writeToneDisc(
        dir.path(), QStringLiteral("minute"),
        {luma::test::ToneTrack{440.0, kSeconds * luma::cd::kSectorsPerSecond}});
    const auto disc = luma::cd::CdDisc::open(cue);
    if (!disc || disc->toc() == nullptr) {
        state.SkipWithError("the generated image did not open");
        return;
    }
    const luma::cd::CdToc toc = *disc->toc();
    const auto piece = static_cast<std::size_t>(state.range(0));
    std::vector<float> buffer(2 * piece);
    luma::cd::CdAudioSource::Options options;
    options.stallLimit = std::chrono::milliseconds(1000);
    std::size_t frames = 0;
    for (auto _ : state) {
        luma::cd::CdAudioSource source(
            [cue]() -> std::unique_ptr<luma::cd::SectorReader> {
                return luma::cd::CdDisc::open(cue);
            },
            toc, 0, toc.leadout(), options);
        frames = 0;
        std::size_t got = piece;
        while (got == piece) {
            got = source.render(buffer.data(), piece);
            frames += got;
        }
        benchmark::DoNotOptimize(buffer.data());
    }
    state.counters["seconds_rendered"] = static_cast<double>(frames) / 44100.0;
}

}  // namespace

BENCHMARK(renderMinuteFromImage)
    ->Arg(1024)
    ->Arg(4096)
    ->MeasureProcessCPUTime()
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
