// The soak: a show with "delay" = 1 over stills and animated GIFs, with a chime and music from
// wave, MP3, MIDI and a CD image, for 10,000 one-second steps driven as fast as they compute.
// Reports resident memory after the first 100 steps and at the end, and the open file
// descriptors; exits non-zero when memory grew beyond 10 % after the first 100 steps or a
// descriptor was left open. `--steps=N` runs another number of steps.
#include "support/Soak.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

int steps = 10000;
constexpr int kWarmup = 100;
luma::test::SoakFigures figures;
bool ran = false;

void Soak(benchmark::State& state) {
    for (auto _ : state) {
        QTemporaryDir dir;
        QString error;
        figures = luma::test::runSoak(dir.path(), steps, kWarmup, &error);
        if (!error.isEmpty()) {
            state.SkipWithError(qPrintable(error));
            return;
        }
        ran = true;
    }
    state.counters["steps"] = figures.steps;
    state.counters["steps_per_s"] = figures.steps / figures.seconds;
    state.counters["rss_warm_MiB"] = static_cast<double>(figures.rssWarmKib) / 1024.0;
    state.counters["rss_end_MiB"] = static_cast<double>(figures.rssEndKib) / 1024.0;
    state.counters["growth_pct"] = figures.growthPercent();
    state.counters["fds_before"] = figures.fdsBefore;
    state.counters["fds_warm"] = figures.fdsWarm;
    state.counters["fds_end"] = figures.fdsEnd;
    state.counters["fds_after"] = figures.fdsAfter;
}
BENCHMARK(Soak)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--steps=", 8) == 0) {
            steps = std::max(2 * kWarmup, std::atoi(argv[i] + 8));
        }
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (!ran) {
        std::fprintf(stderr, "soak: the show could not run\n");
        return 2;
    }
    const luma::test::SoakFigures& f = figures;
    std::printf("soak: %d steps in %.1f s (%.0f steps/s)%s\n", f.steps, f.seconds,
                f.steps / f.seconds, f.mp3Included ? "" : ", without MP3 (no lame)");
    std::printf("soak: resident memory %ld KiB after %d steps, %ld KiB at the end (%+.1f %%): %s\n",
                f.rssWarmKib, f.warmupSteps, f.rssEndKib, f.growthPercent(),
                f.memoryGoalMet() ? "goal met" : "GOAL MISSED (more than 10 %)");
    std::printf(
        "soak: file descriptors %d before the show, at most %d in the first %d steps, at "
        "most %d in the last %d, %d after the show: %s\n",
        f.fdsBefore, f.fdsWarm, f.warmupSteps, f.fdsEnd, f.warmupSteps, f.fdsAfter,
        f.descriptorGoalMet() ? "goal met" : "GOAL MISSED (a descriptor leaks)");
    std::printf("soak: %d slide changes, %d animated steps, %d entries started, %d audible steps\n",
                f.slideChanges, f.animatedSteps, f.entriesStarted, f.audibleSteps);
    return f.memoryGoalMet() && f.descriptorGoalMet() ? 0 : 1;
}
