// CPU time to render 60 s of MP3 and of MIDI through the engine, pulled by the manual output.
// Goals: under 0.3 s for the MP3, under 1.8 s for the MIDI file.
#include "TestMedia.h"
#include "platform/audio/ManualOutput.h"
#include "platform/audio/MidiSource.h"
#include "platform/audio/MixingEngine.h"
#include "platform/audio/SndfileSource.h"
#include "platform/audio/SynthPool.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QTemporaryDir>

#include <vector>

namespace {

constexpr double kSeconds = 60;
constexpr std::size_t kBlock = 1024;

struct Media {
    QTemporaryDir dir;
    QString mp3 = dir.filePath(QStringLiteral("minute.mp3"));
    QString midi = dir.filePath(QStringLiteral("minute.mid"));
    bool haveMp3 = false;
    bool haveMidi = false;
};

Media& media() {
    static Media m;
    return m;
}

// A minute of music at 120 beats a minute: a piano chord and a bass note on every beat, a string
// melody in eighths over them.
bool writeMinuteOfMidi(const QString& path) {
    luma::test::MidiFileBuilder midi;
    midi.tempo(500000).program(0, 0).program(1, 48).program(2, 33);
    const int chords[4][3] = {{60, 64, 67}, {57, 60, 64}, {53, 57, 60}, {55, 59, 62}};
    for (int beat = 0; beat < 120; ++beat) {
        const auto& chord = chords[(beat / 4) % 4];
        midi.chord(0, {chord[0], chord[1], chord[2], chord[0] - 24 + 12}, 240);
        midi.note(1, 72 + (beat % 7), 120, 0);
        midi.note(2, chord[0] - 24, 120, 0);
    }
    return midi.write(path);
}

void render(benchmark::State& state,
            const std::function<std::shared_ptr<luma::audio::AudioSource>()>& open) {
    const auto frames = static_cast<std::size_t>(kSeconds * luma::audio::kRate);
    std::vector<float> block(kBlock * luma::audio::kChannels);
    for (auto _ : state) {
        auto output = std::make_unique<luma::audio::ManualOutput>();
        luma::audio::ManualOutput* pulled = output.get();
        luma::audio::MixingEngine engine(std::move(output));
        if (engine.start(open()) == 0) {
            state.SkipWithError("the source did not open");
            return;
        }
        for (std::size_t done = 0; done < frames; done += kBlock) {
            pulled->pullInto(block.data(), kBlock);
        }
        benchmark::DoNotOptimize(block.data());
    }
    state.counters["audio_s"] = kSeconds;
}

void BM_Render60sMp3(benchmark::State& state) {
    if (!media().haveMp3) {
        state.SkipWithError("lame is not installed");
        return;
    }
    render(state, [] { return luma::audio::SndfileSource::open(media().mp3); });
}

void BM_Render60sMidi(benchmark::State& state) {
    if (!media().haveMidi) {
        state.SkipWithError("no MIDI file or soundfont");
        return;
    }
    // One pool for the run, as the application keeps one per engine: the soundfont loads once.
    const auto pool = luma::audio::SynthPool::create();
    render(state, [&pool] { return luma::audio::MidiSource::open(pool, media().midi); });
}

BENCHMARK(BM_Render60sMp3)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_Render60sMidi)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    Media& m = media();
    const QString wav = m.dir.filePath(QStringLiteral("minute.wav"));
    m.haveMp3 = luma::test::writeToneWav(wav, kSeconds, 440, 44100, 2, 0.4) &&
                luma::test::encodeMp3(wav, m.mp3);
    m.haveMidi = writeMinuteOfMidi(m.midi);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
