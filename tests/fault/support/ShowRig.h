#pragma once

#include "runtime/ManualTimerService.h"
#include "startup/Program.h"

#include <QString>
#include <QStringList>

#include <initializer_list>
#include <memory>
#include <utility>
#include <vector>

namespace luma {
class SlideshowWindow;
class BackgroundPlayer;
namespace audio {
class ManualOutput;
class MixingEngine;
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
    struct Options {
        QString soundfont;   // empty: the default General MIDI soundfont
        QStringList drives;  // CD drive roots, disc images for instance
    };

    // The settings file goes into `folder`.
    ShowRig(const QString& folder, const Options& options);
    ~ShowRig();
    ShowRig(const ShowRig&) = delete;
    ShowRig& operator=(const ShowRig&) = delete;

    Program& program() { return *program_; }
    ManualTimerService& timers() { return *timers_; }
    audio::ManualOutput& output() { return *output_; }
    const QString& settingsFile() const { return settingsFile_; }

    // Stores "Settings" values and reads the section into memory, as start-up does.
    void settings(std::initializer_list<std::pair<QString, QString>> values);
    void slides(const QStringList& paths);
    void playlist(const QStringList& entries);

    // What a show run does once the settings are read: startShow.
    void start();
    // `ms` of show: that much sound is pulled from the output, then the clock moves on as far.
    // Returns the sound (interleaved stereo), valid until the next call.
    const std::vector<float>& run(int ms = 1000);

    // nullptr when the window is not loaded.
    SlideshowWindow* display() const;
    BackgroundPlayer* player() const;

private:
    QString settingsFile_;
    ManualTimerService* timers_ = nullptr;
    audio::ManualOutput* output_ = nullptr;
    std::shared_ptr<audio::MixingEngine> engine_;
    std::unique_ptr<Program> program_;
    std::vector<float> sound_;
};

}  // namespace luma::test
