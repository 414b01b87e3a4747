#pragma once

#include "startup/Program.h"

#include <QColor>
#include <QSize>
#include <QStringList>

#include <memory>
#include <vector>

namespace luma {
class ManualTimerService;
class SlideshowWindow;
namespace audio {
class ManualOutput;
}  // namespace audio
}  // namespace luma

namespace luma::test {

// A show as the program runs it, with nothing faked that paints, plays or stores: the display and
// music player windows, the settings file, the device command interpreter over the mixing engine
// with its wave, sequencer and CD devices, and the MP3 player. Only the sound output is pulled by
// the caller and the timers run on a manual clock, so a second of show takes as long as it takes
// to compute. Free of any test framework: the benchmarks use it too.
class ShowRig {
public:
    // The settings file goes into `folder`, which is the current folder for the rig's life; the
    // sequencer plays with `soundfont` (empty: the default General MIDI soundfont), the CD device
    // from `drives` (disc images for instance).
    explicit ShowRig(const QString& folder, const QString& soundfont = {},
                     const QStringList& drives = {});
    ~ShowRig();
    // Stores the "Settings" values ("key=value"), the slides and the playlist, reads the settings
    // as start-up does, and starts the show.
    void start(const QStringList& settings, const QStringList& slides,
               const QStringList& playlist = {});
    // `ms` of show: that much sound is pulled from the output, then the clock moves on as far.
    // Returns the sound (interleaved stereo), valid until the next call.
    const std::vector<float>& run(int ms = 1000);
    // nullptr when the window is not loaded.
    SlideshowWindow* display() const;

    std::unique_ptr<Program> program;

private:
    QString current_;
    ManualTimerService* timers_ = nullptr;
    audio::ManualOutput* output_ = nullptr;
    std::vector<float> sound_;
};

// A solid still picture in `format` ("BMP" or "JPG"), or a GIF of full-size solid frames, frame i
// in colours[i], each shown `delay` hundredths of a second (one frame: a still GIF). Returns the
// path, empty on failure.
QString writeStill(const QString& path, QColor colour, QSize size, const char* format);
QString writeAnimation(const QString& path, const std::vector<QRgb>& colours, QSize size,
                       int delay);

}  // namespace luma::test
