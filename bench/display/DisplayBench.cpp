// The display with the real decoder and canvas on a 1920 x 1080 screen: one sequencer step for a
// 6000 x 4000 JPEG (stretched and at its size), loadAnimation and one animation tick for a
// 300-frame 1280 x 720 GIF, each beside a plain QImageReader decode of the same file. The first
// benchmark runs the show with that GIF and reports the process's peak memory, before anything else
// has grown it; the pictures are written by a child run of this program (--make-fixtures), so that
// making them does not count either.
#include "display/AnimationLoading.h"
#include "display/AnimationPlayer.h"
#include "display/PictureDecoding.h"
#include "display/SlideshowWindow.h"
#include "runtime/ManualTimerService.h"
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
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QProcess>

#include <sys/resource.h>

#include <cstdio>
#include <cstring>
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

// 300 full frames: diagonal colour bands that move from frame to frame.
void makeGif() {
    luma::test::GifFile gif;
    gif.screen = kGifSize;
    for (int i = 0; i < 256; ++i) {
        gif.palette.push_back(qRgb(i, (i * 3) & 255, 255 - i));
    }
    for (int f = 0; f < kGifFrames; ++f) {
        luma::test::GifImage frame;
        frame.size = kGifSize;
        frame.delay = 4;
        frame.indices.resize(static_cast<std::size_t>(kGifSize.width()) * kGifSize.height());
        for (int y = 0; y < kGifSize.height(); ++y) {
            for (int x = 0; x < kGifSize.width(); ++x) {
                frame.indices[static_cast<std::size_t>(y) * kGifSize.width() + x] =
                    static_cast<std::uint8_t>(((x + 4 * f) / 16 + y / 16) & 255);
            }
        }
        gif.images.push_back(std::move(frame));
    }
    QFile out(gifPath());
    if (out.open(QIODevice::WriteOnly)) {
        out.write(gif.encode());
    }
}

void ensureFixtures(const char* self) {
    if (QFileInfo::exists(jpegPath()) && QFileInfo::exists(turnedJpegPath()) &&
        QFileInfo::exists(gifPath())) {
        return;
    }
    QProcess::execute(QString::fromLocal8Bit(self), {QStringLiteral("--make-fixtures")});
}

// A program whose store, timers and random numbers live in memory, with the real display.
struct Show {
    Show() : program(services()) {
        program.setDisplayFactory(
            [](luma::Program& p) { return std::make_unique<luma::SlideshowWindow>(p); });
    }
    static luma::PlatformServices services() {
        luma::PlatformServices s;
        s.store = std::make_unique<luma::MemorySettingsStore>();
        s.timers = std::make_unique<luma::ManualTimerService>();
        s.random = std::make_unique<luma::Random>(7);
        return s;
    }
    void configure(const char* screensize, const QStringList& slides) {
        luma::SettingsStore& store = program.store();
        store.write(luma::keys::kSettings, luma::keys::kSlides, QStringLiteral("1"));
        store.write(luma::keys::kSettings, luma::keys::kScreenSize,
                    QString::fromLatin1(screensize));
        store.write(luma::keys::kSettings, luma::keys::kMouseSens, QStringLiteral("15"));
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
        Show show;
        show.configure("0", {gifPath()});
        luma::SlideshowWindow* w = show.display();
        w->showFirstSlide();
        for (int tick = 0; tick < 2 * kGifFrames; ++tick) {
            luma::animationTick(w->state(), show.program.settings, true);
        }
        benchmark::DoNotOptimize(w->canvas().constBits());
    }
    state.counters["frames"] = kGifFrames;
    state.counters["peak_MB"] = static_cast<double>(peakMegabytes());
}
BENCHMARK(GifShowPeakMemory)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

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

void AnimationTick(benchmark::State& state, const char* screensize) {
    Show show;
    show.configure(screensize, {gifPath()});
    luma::SlideshowWindow* w = show.display();
    luma::loadAnimation(w->state(), gifPath());
    for (auto _ : state) {
        luma::animationTick(w->state(), show.program.settings, true);
    }
    state.counters["frames"] = static_cast<double>(w->state().frameHolders.size());
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
    if (argc > 1 && std::strcmp(argv[1], "--make-fixtures") == 0) {
        QDir().mkpath(fixtureDir());
        makeJpeg();
        makeGif();
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
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
