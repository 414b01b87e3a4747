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

// What a soak run measured. Memory is resident memory; descriptors are the most that were open at
// the end of any step of a stretch, since a playing entry holds its file open.
struct SoakFigures {
    int steps = 0, warmupSteps = 0;
    long rssWarmKib = 0, rssEndKib = 0;  // after the warm-up steps, after the last step
    // Open before the show started, most open during the warm-up, most open during the last
    // warm-up-many steps, open once the show has ended and its windows and devices are gone.
    int fdsBefore = 0, fdsWarm = 0, fdsEnd = 0, fdsAfter = 0;
    double seconds = 0;  // wall-clock time of the steps
    // Signs that the show ran: the slide changed, animations ran, entries started and were heard.
    int slideChanges = 0, animatedSteps = 0, entriesStarted = 0, audibleSteps = 0;
    bool mp3Included = false;  // lame was there to make one

    double growthPercent() const;
    // No growth beyond 10 % after the warm-up.
    bool memoryGoalMet() const;
    // As many descriptors open after the show as before it, and no more open at the end than
    // during the warm-up but the one a CD stream may be opening on its reader thread just then.
    bool descriptorGoalMet() const;
};

// Writes the show's media into `folder` (stills in BMP, JPEG and GIF, animated GIFs, wave, MP3
// and MIDI music, a CD image, a chime) and runs a show of `steps` one-second steps over them: a
// slide each second, animation frames, a chime at each slide, the playlist without end. Returns
// the figures; `error` tells why the run could not start (the figures are then zero).
SoakFigures runSoak(const QString& folder, int steps, int warmupSteps, QString* error);

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
