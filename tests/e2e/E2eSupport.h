#pragma once

#include "support/TempEnv.h"

#include <QImage>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>

namespace luma::test {

// Polls `condition` every 50 ms for at most `timeoutMs`; true when it became true.
bool waitUntil(const std::function<bool()>& condition, int timeoutMs);

// An X server of our own on a free display number, for the life of the object: Xvfb with one
// screen of `size`, or Xorg's dummy driver with two monitors of 800 x 600 side by side (DUMMY0
// at 0,0, the primary one, and DUMMY1 at 800,0; DUMMY2 can be added at 1600,0), which Xvfb cannot
// give. `display` is empty when it did not start.
class XServer {
public:
    explicit XServer(bool twoMonitors = false, const QString& size = "1024x768");
    ~XServer();
    // The whole screen, through ImageMagick's import; null on failure.
    QImage screenshot() const;
    // Runs a client (xdotool, ...) on this display to its end, for at most 20 s; its standard
    // output.
    QByteArray run(const QString& program, const QStringList& arguments) const;
    QString display;

private:
    QTemporaryDir work_;
    QProcess process_;
};

// A letter of "RGBCMYW" for a colour near pure red, green, blue, cyan, magenta, yellow or white
// (JPEG and scaling shift them a little), '?' for any other.
char letterOf(QColor colour);

// The built program started with `arguments` in the settings and runtime folders of the TempEnv
// alive, offscreen or on `display`, with the `environment` entries "NAME=value" set and those
// that are a bare "NAME" removed; killed with the object, which prints its output when the test
// has failed.
class ProgramRun : public QProcess {
public:
    explicit ProgramRun(const QStringList& arguments, const QString& display = {},
                        const QStringList& environment = {});
    ~ProgramRun() override;
    // True when it ended within `timeoutMs`.
    bool ended(int timeoutMs);
};

// Writes the settings file, and the lists' files beside it, from "section/key=value" lines.
void writeSettings(const QString& path, const QStringList& entries);

// Writes a red slide and a tone into `dir`, which everyone may read, and returns the settings of
// a stretched show of the slide, with the tone as music when `sound` is "Settings/Bsound=1".
QStringList saverShow(const QTemporaryDir& dir, const QString& sound);

// The program installed where every user may read it: a daemon running as another user starts it
// from there, wherever the build is. Empty when the install failed.
QString installed(const char* relative);

// xscreensaver in `home` on `display`, with the installed saver as its only one, started at once
// on activation, and the `environment` entries "NAME=value" besides its own few. It launches no
// saver as root: as root, it runs as a user made for it, who is given `home`. Empty when its
// settings could not be written.
QStringList xscreensaverCommand(const QString& home, const QString& display,
                                const QStringList& environment = {});

}  // namespace luma::test
