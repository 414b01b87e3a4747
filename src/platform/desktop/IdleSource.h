#pragma once

#include <QObject>
#include <QString>

#include <chrono>

namespace luma {

// Tells when the user has left the mouse and keyboard alone for a while, and when they come back:
// one desktop's own idle interface. Signals arrive on the GUI thread.
class IdleSource : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // Arms the source: idle() once the user has been idle for `threshold`, then active() at the
    // next input, then idle() again after the next `threshold` without input, and so on. Arming
    // again replaces the threshold; disarm() stops both signals. False when the desktop's
    // interface cannot be used (gone, refused).
    virtual bool arm(std::chrono::milliseconds threshold) = 0;
    virtual void disarm() = 0;
    // The show that the last idle() started has ended. A source whose desktop may have swallowed
    // the input that ended it (input while the show held the desktop awake) starts counting the
    // threshold afresh; the others keep counting from the last input.
    virtual void showEnded() {}
    // The interface watched, as a line on stderr names it ("GNOME's idle monitor", ...).
    virtual QString name() const = 0;

signals:
    void idle();
    void active();
};

// What keeps an idle desktop from getting a show: a video playing, a locked screen, an
// application's inhibition. Each desktop's checks are one of these.
class IdleInhibition {
public:
    virtual ~IdleInhibition() = default;
    // Who or what inhibits now, in a few words; empty when nothing does.
    virtual QString inhibitedBy() = 0;
};

}  // namespace luma
