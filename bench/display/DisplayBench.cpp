// The display with the real decoder and canvas on a 1920 x 1080 screen: one sequencer step for a
// 6000 x 4000 JPEG (stretched and at its size; on one and two monitors, and on a 3840 x 2160
// surface), loadAnimation and one animation tick for a
// 300-frame 1280 x 720 GIF, each beside a plain QImageReader decode of the same file. The first
// benchmark runs the show with that GIF and reports the process's peak memory, before anything else
// has grown it; the pictures are written by a child run of this program (--make-fixtures), so that
// making them does not count either.
#include "display/AnimationLoading.h"
#include "display/AnimationPlayer.h"
#include "display/PictureDecoding.h"
#include "display/SlideSequencer.h"
#include "display/SlideshowWindow.h"
#include "runtime/ManualTimerService.h"
#include "runtime/QtTimerService.h"
#include "runtime/Random.h"
#include "settings/MemorySettingsStore.h"
#include "settings/SettingsKeys.h"
#include "settings/StoredList.h"
#include "startup/LoadSettings.h"
#include "startup/Program.h"
#include "support/GifWriter.h"
#include "support/OrientedJpeg.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QProcess>
#include <QTimer>

#include <sys/resource.h>

#include <cstdio>
#include <cstring>
#include <ctime>
#include <memory>

namespace {

constexpr QSize kScreen(1920, 1080);
constexpr QSize kJpegSize(6000, 4000);
constexpr QSize kGifSize(1280, 720);
constexpr int kGifFrames = 300;

QString fixtureDir() {
    return QStringLiteral(LUMAFOLIO_BINARY_DIR "/bench-display-fixtures");
}
QString jpegPath() {
    return fixtureDir() + QStringLiteral("/photo-6000x4000.jpg");
}
// The same photo with an orientation tag that turns it a quarter (6: as a camera held upright).
QString turnedJpegPath() {
    return fixtureDir() + QStringLiteral("/photo-6000x4000-turned.jpg");
}
QString gifPath() {
    return fixtureDir() + QStringLiteral("/animation-300x1280x720.gif");
}
QString smallGifPath() {
    return fixtureDir() + QStringLiteral("/animation-8x640x480.gif");
}

// A photograph-like picture: smooth gradients with fine texture.
void makeJpeg() {
    QImage image(kJpegSize, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int texture = ((x * 7919) ^ (y * 104729)) & 15;
            line[x] =
                qRgb((x / 24 + texture) & 255, (y / 16 + texture) & 255, ((x + y) / 40) & 255);
        }
    }
    image.save(jpegPath(), "JPG", 90);
    QFile plain(jpegPath());
    QFile turned(turnedJpegPath());
    if (plain.open(QIODevice::ReadOnly) && turned.open(QIODevice::WriteOnly)) {
        turned.write(luma::test::withOrientation(plain.readAll(), 6));
    }
}

// Full frames of diagonal colour bands that move from frame to frame.
void makeGif(const QString& path, QSize size, int frames, std::uint16_t delay) {
    luma::test::GifFile gif;
    gif.screen = size;
    for (int i = 0; i < 256; ++i) {
        gif.palette.push_back(qRgb(i, (i * 3) & 255, 255 - i));
    }
    for (int f = 0; f < frames; ++f) {
        luma::test::GifImage frame;
        frame.size = size;
        frame.delay = delay;
        frame.indices.resize(static_cast<std::size_t>(size.width()) * size.height());
        for (int y = 0; y < size.height(); ++y) {
            for (int x = 0; x < size.width(); ++x) {
                frame.indices[static_cast<std::size_t>(y) * size.width() + x] =
                    static_cast<std::uint8_t>(((x + 4 * f) / 16 + y / 16) & 255);
            }
        }
        gif.images.push_back(std::move(frame));
    }
    QFile out(path);
    if (out.open(QIODevice::WriteOnly)) {
        out.write(gif.encode());
    }
}

void ensureFixtures(const char* self) {
    if (QFileInfo::exists(jpegPath()) && QFileInfo::exists(turnedJpegPath()) &&
        QFileInfo::exists(gifPath()) && QFileInfo::exists(smallGifPath())) {
        return;
    }
    QProcess::execute(QString::fromLocal8Bit(self), {QStringLiteral("--make-fixtures")});
}

// A program whose store, timers and random numbers live in memory, with the real display.
struct Show {
    // `realClock`: the timers run on the event loop, as in the program.
    explicit Show(bool realClock = false) : program(services(realClock)) {
        program.setDisplayFactory(
            [](luma::Program& p) { return std::make_unique<luma::SlideshowWindow>(p); });
    }
    static luma::PlatformServices services(bool realClock) {
        luma::PlatformServices s;
        s.store = std::make_unique<luma::MemorySettingsStore>();
        if (realClock) {
            s.timers = std::make_unique<luma::QtTimerService>();
        } else {
            s.timers = std::make_unique<luma::ManualTimerService>();
        }
        s.random = std::make_unique<luma::Random>(7);
        return s;
    }
    void configure(const char* screensize, const QStringList& slides) {
        luma::SettingsStore& store = program.store();
        store.write(luma::keys::kSettings, luma::keys::kSlides, QStringLiteral("1"));
        store.write(luma::keys::kSettings, luma::keys::kScreenSize,
                    QString::fromLatin1(screensize));
        store.write(luma::keys::kSettings, luma::keys::kMouseSens, QStringLiteral("15"));
        store.write(luma::keys::kSettings, luma::keys::kSlideSize, QStringLiteral("1"));
        store.write(luma::keys::kSettings, luma::keys::kDelay, QStringLiteral("65"));
        luma::StoredList(store, luma::keys::kPictures).rewrite(slides);
        luma::loadSettings(store, program.settings);
    }
    luma::SlideshowWindow* display() {
        auto* w = dynamic_cast<luma::SlideshowWindow*>(program.display());
        if (w != nullptr) {
            w->showWindow();
        }
        return w;
    }
    luma::Program program;
};

long peakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}

void GifShowPeakMemory(benchmark::State& state) {
    for (auto _ : state) {
        Show show(true);
        show.configure("1", {gifPath()});
        luma::SlideshowWindow* w = show.display();
        w->showFirstSlide();
        QEventLoop run;  // its frames decoded ahead, kept to the budget, for four seconds
        QTimer::singleShot(4000, &run, &QEventLoop::quit);
        run.exec();
        benchmark::DoNotOptimize(w->canvas().constBits());
        state.counters["kept_MB"] =
            static_cast<double>(w->state().frameCache.bytes()) / (1024.0 * 1024.0);
    }
    state.counters["frames"] = kGifFrames;
    state.counters["peak_MB"] = static_cast<double>(peakMegabytes());
}
BENCHMARK(GifShowPeakMemory)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

double cpuSeconds(clockid_t clock) {
    timespec t{};
    clock_gettime(clock, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

struct PaintCounter : QObject {
    bool eventFilter(QObject*, QEvent* event) override {
        paints += event->type() == QEvent::Paint;
        return false;
    }
    int paints = 0;
};

// A show of one animated GIF running for 10 s on the real clock: the process's CPU in percent of a
// core, the GUI thread's CPU per frame shown, the frames shown and the peak memory.
void RunningAnimation(benchmark::State& state, const QString& path, const char* screensize) {
    for (auto _ : state) {
        Show show(true);
        show.configure(screensize, {path});
        luma::SlideshowWindow* w = show.display();
        w->showFirstSlide();
        QEventLoop settle;  // past the start: the first frames are not the steady state
        QTimer::singleShot(1000, &settle, &QEventLoop::quit);
        settle.exec();
        // Frames shown, counted by the window's paints: no timer of the benchmark's own wakes the
        // process.
        PaintCounter frames;
        w->view().installEventFilter(&frames);
        const double process = cpuSeconds(CLOCK_PROCESS_CPUTIME_ID);
        const double gui = cpuSeconds(CLOCK_THREAD_CPUTIME_ID);
        QEventLoop run;
        QTimer::singleShot(10000, &run, &QEventLoop::quit);
        run.exec();
        const double guiSeconds = cpuSeconds(CLOCK_THREAD_CPUTIME_ID) - gui;
        state.counters["cpu_percent"] = (cpuSeconds(CLOCK_PROCESS_CPUTIME_ID) - process) * 10;
        state.counters["frames_shown"] = frames.paints;
        state.counters["gui_ms_per_frame"] =
            frames.paints > 0 ? guiSeconds * 1000 / frames.paints : 0;
        state.counters["peak_MB"] = static_cast<double>(peakMegabytes());
    }
}
void RunningSmallGifStretched(benchmark::State& state) {
    RunningAnimation(state, smallGifPath(), "1");
}
void RunningSmallGifActualSize(benchmark::State& state) {
    RunningAnimation(state, smallGifPath(), "0");
}
void RunningLargeGifStretched(benchmark::State& state) {
    RunningAnimation(state, gifPath(), "1");
}
BENCHMARK(RunningSmallGifStretched)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();
BENCHMARK(RunningSmallGifActualSize)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();
BENCHMARK(RunningLargeGifStretched)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

void StepJpeg(benchmark::State& state, const char* screensize, const QString& path = jpegPath()) {
    Show show;
    show.configure(screensize, {path, path});
    luma::SlideshowWindow* w = show.display();
    if (w == nullptr || w->canvas().size() != kScreen) {
        state.SkipWithError("no 1920 x 1080 display");
        return;
    }
    for (auto _ : state) {
        w->showFirstSlide();
    }
}
void StepJpegStretched(benchmark::State& state) {
    StepJpeg(state, "1");
}
void StepJpegActualSize(benchmark::State& state) {
    StepJpeg(state, "0");
}
// The tagged photo, turned while it is decoded at screen size: goal within 1.1 x the plain one.
void StepTurnedJpegStretched(benchmark::State& state) {
    StepJpeg(state, "1", turnedJpegPath());
}
BENCHMARK(StepJpegStretched)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(StepTurnedJpegStretched)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(StepJpegActualSize)->Unit(benchmark::kMillisecond)->UseRealTime();

// The sequencer's services over a list of the JPEG twice, stretched, without windows.
struct Sequencer {
    Sequencer() {
        show.configure("1", {jpegPath(), jpegPath()});
        show.program.slideCount = 2;
    }
    Show show;
    luma::Timer slideTimer{show.program.timers()};
    luma::ShowServices services{show.program.store(),
                                show.program.settings,
                                show.program.random(),
                                show.program.slideIndex,
                                show.program.slideCount,
                                slideTimer,
                                [] {},
                                [] { return true; }};
};

// A stretched step of the sequencer over `count` screens of `size` device pixels, without
// windows: one monitor against two (their decodes side by side), 1920 x 1080 against 3840 x 2160.
void StepScreens(benchmark::State& state, int count, QSize size) {
    Sequencer sequencer;
    luma::Program& p = sequencer.show.program;
    std::vector<std::unique_ptr<luma::ShowState>> screens;
    std::vector<luma::ShowState*> shown;
    for (int k = 0; k < count; ++k) {
        screens.push_back(std::make_unique<luma::ShowState>(p.timers(), nullptr));
        screens.back()->canvas.resize(size, Qt::black);
        shown.push_back(screens.back().get());
    }
    for (auto _ : state) {
        luma::slideStep(shown, sequencer.services, luma::SlideStepKind::Tick);
    }
}
void StepOneMonitor(benchmark::State& state) {
    StepScreens(state, 1, kScreen);
}
void StepTwoMonitors(benchmark::State& state) {
    StepScreens(state, 2, kScreen);
}
void StepOneMonitor4K(benchmark::State& state) {
    StepScreens(state, 1, kScreen * 2);
}
BENCHMARK(StepOneMonitor)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(StepTwoMonitors)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(StepOneMonitor4K)->Unit(benchmark::kMillisecond)->UseRealTime();

// The GUI thread's part of a step whose slide was read ahead: the 6000 x 4000 JPEG stretched to
// 1920 x 1080, decoded beforehand as a worker would (goal: at most 5 ms).
void StepDecodedAhead(benchmark::State& state) {
    Sequencer sequencer;
    luma::ShowServices& services = sequencer.services;
    luma::ShowState screen(sequencer.show.program.timers(), nullptr);
    screen.canvas.resize(kScreen, Qt::black);
    const std::vector<luma::ShowState*> screens{&screen};
    for (auto _ : state) {
        state.PauseTiming();
        const auto plans = luma::planSlides(screens, services);
        std::vector<luma::ReadSlide> reads{
            luma::readSlide(luma::slideRead(plans.front(), screen, services))};
        state.ResumeTiming();
        luma::showSlides(screens, plans, reads, services, luma::SlideStepKind::Tick);
    }
}
BENCHMARK(StepDecodedAhead)->Unit(benchmark::kMillisecond)->UseRealTime();

// A show of the JPEG with "Fade" and a delay of `delay` seconds on the real clock, for `seconds`:
// the frames shown, the GUI thread's time per frame shown and the process's CPU in percent of a
// core.
void FadingShow(benchmark::State& state, const char* delay, int seconds) {
    for (auto _ : state) {
        Show show(true);
        show.configure("1", {jpegPath(), turnedJpegPath()});
        show.program.store().write(luma::keys::kSettings, luma::keys::kDelay, delay);
        show.program.store().write(luma::keys::kSettings, luma::keys::kFade, "1");
        luma::loadSettings(show.program.store(), show.program.settings);
        luma::SlideshowWindow* w = show.display();
        w->enableSlideTimer();
        w->showFirstSlide();
        QEventLoop settle;  // the first slide read and faded in
        QTimer::singleShot(2000, &settle, &QEventLoop::quit);
        settle.exec();
        PaintCounter frames;
        w->view().installEventFilter(&frames);
        const double process = cpuSeconds(CLOCK_PROCESS_CPUTIME_ID);
        const double gui = cpuSeconds(CLOCK_THREAD_CPUTIME_ID);
        QEventLoop run;
        QTimer::singleShot(seconds * 1000, &run, &QEventLoop::quit);
        run.exec();
        const double guiSeconds = cpuSeconds(CLOCK_THREAD_CPUTIME_ID) - gui;
        state.counters["cpu_percent"] =
            (cpuSeconds(CLOCK_PROCESS_CPUTIME_ID) - process) * 100 / seconds;
        state.counters["frames_shown"] = frames.paints;
        state.counters["gui_ms_per_frame"] =
            frames.paints > 0 ? guiSeconds * 1000 / frames.paints : 0;
    }
}
// One second with a step at its start: the fade's frames (goal: at least 30, at most 8 ms each).
void FadeFrames(benchmark::State& state) {
    FadingShow(state, "1", 1);
}
// Twenty seconds of a show changing every ten (goal: at most 3 % of a core).
void FadeShowTenSecondDelay(benchmark::State& state) {
    FadingShow(state, "10", 20);
}
BENCHMARK(FadeFrames)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();
BENCHMARK(FadeShowTenSecondDelay)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

// Peak memory of a show of 6000 x 4000 JPEGs changing every second for six seconds, the slides
// read ahead as the show does, against the same steps each read at its tick (`--peak ahead` and
// `--peak at-tick` runs of this program, so that each starts from nothing; goal: at most 1.2 x).
int peakRun(const char* how) {
    Show show(true);
    show.configure("1", {jpegPath(), turnedJpegPath()});
    show.program.store().write(luma::keys::kSettings, luma::keys::kDelay, "1");
    luma::loadSettings(show.program.store(), show.program.settings);
    luma::SlideshowWindow* w = show.display();
    luma::Program& p = show.program;
    luma::Timer ticks(p.timers());
    luma::ShowServices services{p.store(),    p.settings, p.random(), p.slideIndex,
                                p.slideCount, ticks,      [] {},      [] { return true; }};
    QTimer atTick;
    if (std::strcmp(how, "ahead") == 0) {
        w->enableSlideTimer();
        w->showFirstSlide();
    } else {
        w->disableTimers();
        QObject::connect(&atTick, &QTimer::timeout, [&] {
            luma::slideStep({&w->state()}, services, luma::SlideStepKind::Tick);
        });
        atTick.start(1000);
    }
    QEventLoop run;
    QTimer::singleShot(6000, &run, &QEventLoop::quit);
    run.exec();
    std::printf("%ld\n", peakMegabytes());
    return 0;
}

long peakOf(const char* self, const char* how) {
    QProcess child;
    child.start(QString::fromLocal8Bit(self), {QStringLiteral("--peak"), QString::fromLatin1(how)});
    child.waitForFinished(60000);
    return child.readAllStandardOutput().trimmed().toLong();
}
const char* selfPath = nullptr;

void PeakMemoryReadAhead(benchmark::State& state) {
    for (auto _ : state) {
        const long ahead = peakOf(selfPath, "ahead");
        const long atTick = peakOf(selfPath, "at-tick");
        state.counters["ahead_MB"] = static_cast<double>(ahead);
        state.counters["at_tick_MB"] = static_cast<double>(atTick);
        state.counters["ratio"] = atTick > 0 ? double(ahead) / double(atTick) : 0;
    }
}
BENCHMARK(PeakMemoryReadAhead)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

// Baselines: the same JPEG through QImageReader alone.
void DecodeJpeg(benchmark::State& state, QSize scaled, int quality) {
    for (auto _ : state) {
        QImageReader reader(jpegPath());
        if (scaled.isValid()) {
            reader.setScaledSize(scaled);
        }
        reader.setQuality(quality);
        QImage image = reader.read();
        benchmark::DoNotOptimize(image.constBits());
    }
}
void BaselineJpegFullDecode(benchmark::State& state) {
    DecodeJpeg(state, {}, -1);
}
void BaselineJpegToScreen(benchmark::State& state) {
    DecodeJpeg(state, kScreen, -1);
}
void BaselineJpegToScreenFastScaling(benchmark::State& state) {
    DecodeJpeg(state, kScreen, 0);
}
BENCHMARK(BaselineJpegFullDecode)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BaselineJpegToScreen)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BaselineJpegToScreenFastScaling)->Unit(benchmark::kMillisecond)->UseRealTime();

void LoadAniGif300(benchmark::State& state) {
    Show show;
    show.configure("0", {gifPath()});
    luma::SlideshowWindow* w = show.display();
    for (auto _ : state) {
        luma::loadAnimation(w->state(), gifPath());
    }
    state.counters["frames"] = static_cast<double>(w->state().frameHolders.size());
}
BENCHMARK(LoadAniGif300)->Unit(benchmark::kMillisecond)->UseRealTime();

// One tick of the 8-frame GIF once its frames are decoded and kept: what the GUI thread does at a
// tick (the window's paint follows on the event loop).
void AnimationTick(benchmark::State& state, const char* screensize) {
    Show show;
    show.configure(screensize, {smallGifPath()});
    luma::SlideshowWindow* w = show.display();
    w->showFirstSlide();
    luma::ShowState& s = w->state();
    QElapsedTimer waited;
    waited.start();
    while (s.frameCache.count() < static_cast<std::size_t>(s.lastFrame) &&
           waited.elapsed() < 10000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    for (auto _ : state) {
        luma::animationTick(s, show.program.settings, true);
    }
    state.counters["frames"] = static_cast<double>(s.frameHolders.size());
    state.counters["kept"] = static_cast<double>(s.frameCache.count());
}
void AnimationTickActualSize(benchmark::State& state) {
    AnimationTick(state, "0");
}
void AnimationTickStretched(benchmark::State& state) {
    AnimationTick(state, "1");
}
BENCHMARK(AnimationTickActualSize)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(AnimationTickStretched)->Unit(benchmark::kMillisecond)->UseRealTime();

// Baseline: every frame of the GIF decoded by QImageReader, one after the other.
void BaselineGifEveryFrame(benchmark::State& state) {
    int frames = 0;
    for (auto _ : state) {
        QImageReader reader(gifPath());
        frames = 0;
        QImage image;
        while (reader.read(&image)) {
            ++frames;
        }
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["frames"] = frames;
}
BENCHMARK(BaselineGifEveryFrame)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    selfPath = argv[0];
    if (argc > 1 && std::strcmp(argv[1], "--make-fixtures") == 0) {
        QDir().mkpath(fixtureDir());
        makeJpeg();
        makeGif(gifPath(), kGifSize, kGifFrames, 4);
        makeGif(smallGifPath(), QSize(640, 480), 8, 5);  // 20 frames a second
        return 0;
    }
    // An offscreen screen of 1920 x 1080 unless a platform is asked for.
    QDir().mkpath(fixtureDir());
    const QString screenConfig = fixtureDir() + QStringLiteral("/screen.json");
    QFile config(screenConfig);
    if (config.open(QIODevice::WriteOnly)) {
        config.write(QStringLiteral(R"({"screens": [{"name": "bench", "x": 0, "y": 0,
            "width": %1, "height": %2, "logicalDpiX": 96, "logicalDpiY": 96, "dpr": 1}]})")
                         .arg(kScreen.width())
                         .arg(kScreen.height())
                         .toUtf8());
        config.close();
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + screenConfig.toLocal8Bit());
    }
    ensureFixtures(argv[0]);
    QApplication app(argc, argv);
    luma::setPictureDecodeLimits();
    if (argc > 2 && std::strcmp(argv[1], "--peak") == 0) {
        return peakRun(argv[2]);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
