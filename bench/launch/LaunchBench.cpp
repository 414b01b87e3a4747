// Launch to the first slide on an X server of 1920 x 1080: the time from starting the program
// until the middle of the screen shows the photo (a 6000 x 4000 JPEG, made by bench_display's
// fixtures), for the show ("/S", stretched) and for feh (`feh --fullscreen --zoom fill`) on the
// same server, five runs each; Google Benchmark reports the medians. Needs feh.
#include "E2eSupport.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>

namespace {

QString photo() {
    return QStringLiteral(LUMAFOLIO_BINARY_DIR "/bench-display-fixtures/photo-6000x4000.jpg");
}

struct Bench {
    luma::test::XServer x{false, "1920x1080"};
    luma::test::TempEnv env;
};
Bench* bench = nullptr;

// The middle pixel of the root window, through one small request.
std::uint32_t middlePixel(xcb_connection_t* c, xcb_window_t root) {
    const auto cookie = xcb_get_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, root, 960, 540, 1, 1, ~0u);
    std::unique_ptr<xcb_get_image_reply_t, decltype(&std::free)> reply(
        xcb_get_image_reply(c, cookie, nullptr), &std::free);
    if (!reply || xcb_get_image_data_length(reply.get()) < 4) {
        return 0;
    }
    return *reinterpret_cast<const std::uint32_t*>(xcb_get_image_data(reply.get())) & 0xFFFFFF;
}

// Starts `program` and times it until the middle of the screen shows the photo.
void launch(benchmark::State& state, const QString& program, const QStringList& arguments) {
    xcb_connection_t* c = xcb_connect(qPrintable(bench->x.display), nullptr);
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
    e.insert("DISPLAY", bench->x.display);
    e.insert("QT_QPA_PLATFORM", "xcb");
    e.insert("SDL_AUDIODRIVER", "dummy");
    for (auto _ : state) {
        QProcess run;
        run.setProcessEnvironment(e);
        QElapsedTimer clock;
        clock.start();
        run.start(program, arguments);
        std::uint32_t seen = 0;
        // Neither the root's black nor a window's plain white: the photo (grey in its middle).
        while (((seen = middlePixel(c, root)) == 0 || seen == 0xFFFFFF) &&
               clock.elapsed() < 20000) {
        }
        state.SetIterationTime(static_cast<double>(clock.nsecsElapsed()) * 1e-9);
        run.kill();
        run.waitForFinished(5000);
        while (middlePixel(c, root) != 0) {  // the root's black again before the next run
        }
    }
    xcb_disconnect(c);
}

void Lumafolio(benchmark::State& state) {
    luma::test::writeSettings(
        bench->env.settingsFile(),
        {"Settings/Slides=1", "Settings/screensize=1", "Settings/delay=15", "Settings/Bsound=0",
         "Settings/BackColors=0", "pictures/HowMany=1", "pictures/1=" + photo()});
    launch(state, QStringLiteral(LUMAFOLIO_BINARY_DIR "/lumafolio11.scr"), {"/S"});
}
void Feh(benchmark::State& state) {
    const QString feh = QStandardPaths::findExecutable("feh");
    if (feh.isEmpty()) {
        state.SkipWithError("feh is not installed (apt-get install feh)");
        return;
    }
    launch(state, feh, {"--fullscreen", "--zoom", "fill", "--image-bg", "black", photo()});
}
BENCHMARK(Lumafolio)->Iterations(1)->Repetitions(5)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(Feh)->Iterations(1)->Repetitions(5)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (!QFileInfo::exists(photo())) {
        QProcess::execute(QStringLiteral(LUMAFOLIO_BINARY_DIR "/bench/display/bench_display"),
                          {QStringLiteral("--make-fixtures")});
    }
    Bench b;
    bench = &b;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
