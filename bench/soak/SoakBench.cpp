// The soak: a show with "delay" = 1 over stills and animated GIFs, with a chime and music from
// wave, MP3, MIDI and a CD image, for 10,000 one-second steps driven as fast as they compute.
// Reports resident memory after the first 100 steps and at the end, and the open file
// descriptors; exits non-zero when memory grew beyond 10 % after the first 100 steps or a
// descriptor was left open. `--steps=N` runs another number of steps.
#include "SoakRun.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>

namespace {

constexpr int kWarmup = 100;

// Runs the soak once as a benchmark; `figures` receives what it measured, nullopt when the show
// could not run.
void Soak(benchmark::State& state, int steps, std::optional<luma::test::SoakFigures>& figures) {
    for (auto _ : state) {
        QTemporaryDir dir;
        QString error;
        const luma::test::SoakFigures run = luma::test::runSoak(dir.path(), steps, kWarmup, &error);
        if (!error.isEmpty()) {
            state.SkipWithError(qPrintable(error));
            return;
        }
        figures = run;
    }
    const luma::test::SoakFigures& f = *figures;
    state.counters["steps"] = f.steps;
    state.counters["steps_per_s"] = f.steps / f.seconds;
    state.counters["rss_warm_MiB"] = static_cast<double>(f.rssWarmKib) / 1024.0;
    state.counters["rss_end_MiB"] = static_cast<double>(f.rssEndKib) / 1024.0;
    state.counters["growth_pct"] = f.growthPercent();
    state.counters["fds_before"] = f.fdsBefore;
    state.counters["fds_warm"] = f.fdsWarm;
    state.counters["fds_end"] = f.fdsEnd;
    state.counters["fds_after"] = f.fdsAfter;
}

}  // namespace

int main(int argc, char** argv) {
    int steps = 10000;
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
    std::optional<luma::test::SoakFigures> figures;
    benchmark::RegisterBenchmark(
        "Soak", [steps, &figures](benchmark::State& state) { Soak(state, steps, figures); })
        ->Iterations(1)
        ->Unit(benchmark::kSecond)
        ->UseRealTime();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (!figures) {
        std::fprintf(stderr, "soak: the show could not run\n");
        return 2;
    }
    const luma::test::SoakFigures& f = *figures;
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
