#pragma once

#include "runtime/Timer.h"

#include <QObject>

#include <chrono>
#include <functional>
#include <vector>

namespace luma {

class IdleInhibition;
class IdleSource;
class SingleInstance;

// When the user has left the mouse and keyboard alone for the minutes chosen, starts the show,
// unless something keeps the desktop from it: a show already on screen, an inhibition (a video,
// a locked screen), or another Lumafolio running. Kept from it, it asks again now and then while
// the user stays away, so that the show comes once the video has ended. While waiting it holds
// nothing; while its show runs it holds the program's single-instance lock, and lets it go as soon
// as the show has ended (unless the process held it before: a tray process is its watcher too).
class IdleWatcher : public QObject {
    Q_OBJECT
public:
    struct Show {
        std::function<void()> start;
        std::function<bool()> running;  // still on screen
        std::function<void()> ended;    // the show it started has gone; may be empty
    };

    // `minute` is how long a minute of the setting lasts: tests make it short.
    IdleWatcher(IdleSource& source, std::vector<IdleInhibition*> inhibitions,
                SingleInstance& instance, Show show, TimerService& timers,
                std::chrono::milliseconds minute = std::chrono::minutes(1));
    ~IdleWatcher() override;

    // 0 waits doing nothing; a number of minutes arms the source with it. False when the source
    // cannot watch.
    bool setMinutes(int minutes);
    int minutes() const { return minutes_; }
    bool holdsShow() const { return holdsShow_; }

signals:
    // A show was started: for the log and for tests.
    void showStarted();

private:
    void idleCame();
    void userBack();
    void checkShowEnded();

    IdleSource& source_;
    std::vector<IdleInhibition*> inhibitions_;
    SingleInstance& instance_;
    Show show_;
    std::chrono::milliseconds minute_;
    int minutes_ = 0;
    bool holdsShow_ = false;
    bool idleWhileShowGoes_ = false;  // idle came before the end of our show was seen
    bool releasesLock_ = false;       // taken for the show, not held by this process before
    Timer showEndPoll_;
    Timer retry_;  // while idle time was kept from its show
};

}  // namespace luma
