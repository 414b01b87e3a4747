#pragma once

namespace luma::audio {

class Mixer;

// Where the mix goes. The engine resumes the output when something starts sounding and suspends
// it when nothing sounds, so that silence costs nothing.
class AudioOutput {
public:
    virtual ~AudioOutput() = default;
    // Opens the device if needed and starts pulling frames from `mixer` (which must outlive the
    // output). False when there is no device to play on.
    virtual bool resume(Mixer& mixer) = 0;
    // Stops pulling; once it returns the mixer is not called any more.
    virtual void suspend() = 0;
    // Suspends and lets the device go.
    virtual void close() = 0;
};

}  // namespace luma::audio
