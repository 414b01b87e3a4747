#pragma once

#include <QString>

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

}  // namespace luma::test
