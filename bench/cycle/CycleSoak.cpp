// The cycling soak: a saver daemon starts and stops its saver all day. On an Xvfb of its own, the
// real xscreensaver activates and deactivates the installed saver SOAK_XSCREENSAVER_CYCLES times
// (1000), kills it with SIGKILL mid-show SOAK_KILL_CYCLES times (10), and xsecurelock locks and is
// ended SOAK_XSECURELOCK_CYCLES times (200); every run must show the red slide at the middle of
// the screen. Music plays in every run (SDL's disk output). Afterwards: no process left on the
// display but the daemon and its own helpers, the daemon's descriptors unchanged, the lock free,
// the settings file and the lists' files unchanged, the saver's peak memory flat. Prints a
// summary; exits non-zero when any check failed.
#include "E2eSupport.h"
#include "ProcessTable.h"

#include "platform/desktop/LockFileInstance.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <xcb/xcb.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <numeric>

namespace luma::bench {
namespace {

const QString kSaverName = QStringLiteral("lumafolio11.scr");
// Music has played when the saver has written this much of it: the disk output writes at the
// pace of playback, and a saver without the lock never opens it.
constexpr qint64 kPlayedBytes = 64 * 1024;
// The last runs' median peak memory may exceed the first runs' by this much.
constexpr double kMemoryTolerancePercent = 10;
// A phase stops after this many failed cycles: the rest would only repeat them.
constexpr int kFailureLimit = 10;
// What xscreensaver keeps besides itself: the helper that blanks and runs the savers, and the one
// that watches for suspend (it ends early without a system bus).
const QStringList kDaemonHelpers = {QStringLiteral("xscreensaver-gfx"),
                                    QStringLiteral("xscreensaver-systemd")};

int cyclesFrom(const char* name, int fallback) {
    bool ok = false;
    const int n = qEnvironmentVariableIntValue(name, &ok);
    return ok && n >= 0 ? n : fallback;
}

// Polls `condition` every 10 ms (a cycle takes a fraction of a second) for at most `timeoutMs`.
bool pollUntil(const std::function<bool()>& condition, int timeoutMs) {
    const QDeadlineTimer deadline(timeoutMs);
    bool met = false;
    while (!(met = condition()) && !deadline.hasExpired()) {
        QThread::msleep(10);
    }
    return met;
}

// One digest of the settings file and the lists' files beside it, with the files' names: a file
// rewritten, added or removed changes it.
QByteArray settingsDigest(const QString& settingsFile) {
    const QDir folder = QFileInfo(settingsFile).dir();
    QCryptographicHash digest(QCryptographicHash::Sha256);
    for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden, QDir::Name)) {
        QFile file(folder.filePath(name));
        digest.addData(name.toUtf8());
        digest.addData(file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("?"));
    }
    return digest.result().toHex();
}

QString listed(const std::vector<ProcessEntry>& entries) {
    QStringList names;
    for (const ProcessEntry& entry : entries) {
        names << entry.describe();
    }
    return names.isEmpty() ? QStringLiteral("none") : names.join(", ");
}

// The middle pixel of the screen through one small request on a connection of our own; an
// ImageMagick screenshot per check would take longer than the cycle.
class CentrePixel {
public:
    explicit CentrePixel(const QString& display)
        : connection_(xcb_connect(qPrintable(display), nullptr), &xcb_disconnect) {
        if (xcb_connection_has_error(connection_.get()) == 0) {
            const xcb_screen_t* screen =
                xcb_setup_roots_iterator(xcb_get_setup(connection_.get())).data;
            root_ = screen->root;
            x_ = static_cast<qint16>(screen->width_in_pixels / 2);
            y_ = static_cast<qint16>(screen->height_in_pixels / 2);
        }
    }
    bool connected() const { return root_ != 0; }
    bool red() const {
        const auto cookie =
            xcb_get_image(connection_.get(), XCB_IMAGE_FORMAT_Z_PIXMAP, root_, x_, y_, 1, 1, ~0u);
        std::unique_ptr<xcb_get_image_reply_t, decltype(&std::free)> reply(
            xcb_get_image_reply(connection_.get(), cookie, nullptr), &std::free);
        if (!reply || xcb_get_image_data_length(reply.get()) < 4) {
            return false;
        }
        const std::uint32_t pixel =
            *reinterpret_cast<const std::uint32_t*>(xcb_get_image_data(reply.get()));
        return test::letterOf(QColor::fromRgb(pixel & 0xFFFFFF)) == 'R';
    }

private:
    std::unique_ptr<xcb_connection_t, decltype(&xcb_disconnect)> connection_;
    xcb_window_t root_ = 0;
    qint16 x_ = 0, y_ = 0;
};

// What was checked, and whether it held; the summary lists every check.
class Checks {
public:
    void add(bool passed, const QString& what) {
        std::printf("  [%s] %s\n", passed ? "ok" : "FAILED", qPrintable(what));
        std::fflush(stdout);
        (passed ? passed_ : failed_)++;
    }
    int failed() const { return failed_; }
    int passed() const { return passed_; }

private:
    int passed_ = 0, failed_ = 0;
};

// The check that the saver's settings are as they were: it reads them and never writes.
void checkSettings(Checks& checks, const QString& daemon, const QString& settingsFile,
                   const QByteArray& before) {
    const QByteArray after = settingsDigest(settingsFile);
    const int files = QFileInfo(settingsFile).dir().entryList(QDir::Files | QDir::Hidden).size();
    checks.add(after == before,
               QStringLiteral("%1: the settings file and the lists' files (%2) are unchanged "
                              "(sha256 %3… before, %4… after)")
                   .arg(daemon)
                   .arg(files)
                   .arg(QString::fromLatin1(before.left(16)), QString::fromLatin1(after.left(16))));
}

// The cycles of one daemon: how many, how long, each run's peak memory, what went wrong.
struct Phase {
    explicit Phase(QString name) : daemon(std::move(name)) {}

    QString daemon;
    int asked = 0;
    int done = 0;
    std::vector<double> seconds;  // per completed cycle
    std::vector<long> peakKib;    // per run, shortly before its end
    QStringList failures;

    bool giveUp() const { return failures.size() >= kFailureLimit; }
    void fail(int cycle, const QString& what) {
        failures << QStringLiteral("cycle %1: %2").arg(cycle).arg(what);
        std::printf("  %s cycle %d: %s\n", qPrintable(daemon), cycle, qPrintable(what));
        std::fflush(stdout);
    }
    void report(Checks& checks) const;
};

long medianOf(std::vector<long> values) {
    if (values.empty()) {
        return 0;
    }
    std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
    return values[values.size() / 2];
}

void Phase::report(Checks& checks) const {
    const double total = std::accumulate(seconds.begin(), seconds.end(), 0.0);
    const double slowest = seconds.empty() ? 0 : *std::max_element(seconds.begin(), seconds.end());
    std::printf(
        "%s: %d of %d cycles done in %.1f s (%.3f s a cycle, slowest %.3f s), %lld failed\n",
        qPrintable(daemon), done, asked, total, done > 0 ? total / done : 0.0, slowest,
        static_cast<long long>(failures.size()));
    checks.add(done == asked && failures.isEmpty(),
               QStringLiteral("every %1 cycle showed the slide and ended its saver").arg(daemon));
    if (asked < 2) {
        return;  // nothing to compare
    }
    if (peakKib.size() < 2) {
        checks.add(false, QStringLiteral("%1: too few runs to compare peak memory").arg(daemon));
        return;
    }
    // The first and the last hundred runs, or halves of a shorter soak.
    const std::size_t window = std::min<std::size_t>(100, peakKib.size() / 2);
    const long first = medianOf({peakKib.begin(), peakKib.begin() + window});
    const long last = medianOf({peakKib.end() - window, peakKib.end()});
    const double growth = 100.0 * static_cast<double>(last - first) / static_cast<double>(first);
    std::printf(
        "  saver peak memory (VmHWM, KiB) over %zu runs: first %ld, median %ld, last %ld, max %ld; "
        "median of the first %zu %ld, of the last %zu %ld (%+.1f %%)\n",
        peakKib.size(), peakKib.front(), medianOf(peakKib), peakKib.back(),
        *std::max_element(peakKib.begin(), peakKib.end()), window, first, window, last, growth);
    checks.add(first > 0 && growth <= kMemoryTolerancePercent,
               QStringLiteral("%1: the saver's peak memory is flat (last runs within %2 % of the "
                              "first)")
                   .arg(daemon)
                   .arg(kMemoryTolerancePercent));
}

// The stages of a cycle and how long each took, told for a cycle slower than a second.
class Laps {
public:
    Laps() { clock_.start(); }
    void lap(const char* stage) {
        const qint64 now = clock_.elapsed();
        stages_ << QStringLiteral("%1 %2 ms").arg(stage).arg(now - last_);
        last_ = now;
    }
    void reportIfSlow(const QString& daemon, int cycle) const {
        if (last_ > 1000) {
            std::printf("  %s cycle %d took %lld ms: %s\n", qPrintable(daemon), cycle,
                        static_cast<long long>(last_), qPrintable(stages_.join(", ")));
        }
    }

private:
    QElapsedTimer clock_;
    qint64 last_ = 0;
    QStringList stages_;
};

// Waits for the slide to go from the middle of the screen: the next run must draw it afresh.
bool slideGone(const CentrePixel& pixel) {
    return pollUntil([&] { return !pixel.red(); }, 10000);
}

// The run's processes that outlive it: the saver's children, say, that nobody ends.
QString survivors(const std::vector<ProcessEntry>& tree) {
    std::vector<ProcessEntry> alive;
    pollUntil(
        [&] {
            alive.clear();
            std::copy_if(tree.begin(), tree.end(), std::back_inserter(alive), stillRuns);
            return alive.empty();
        },
        5000);
    return alive.empty() ? QString() : listed(alive);
}

// What a cycle checks once its saver has ended.
struct RunEnd {
    const std::vector<ProcessEntry>& tree;  // the run's processes, taken while it ran
    const CentrePixel& pixel;
    Laps& laps;
};

// None of the run's processes left and the slide off the screen (false when it stays); then the
// cycle's stages are reported when it was slow.
bool clearedAfter(Phase& phase, int n, const RunEnd& end, const QString& outlive,
                  const QString& stays) {
    if (const QString left = survivors(end.tree); !left.isEmpty()) {
        phase.fail(n, outlive + left);
    }
    if (!slideGone(end.pixel)) {
        phase.fail(n, stays);
        return false;
    }
    end.laps.lap("to a clear screen");
    end.laps.reportIfSlow(phase.daemon, n);
    return true;
}

// What runs on `display` besides what `kept` accepts, once the last saver has had time to end.
std::vector<ProcessEntry> leftOnDisplay(const QString& display,
                                        const std::function<bool(const ProcessEntry&)>& kept) {
    std::vector<ProcessEntry> left;
    pollUntil(
        [&] {
            left.clear();
            for (const ProcessEntry& entry : processesOnDisplay(display)) {
                if (!entry.zombie() && !(kept && kept(entry))) {
                    left.push_back(entry);
                }
            }
            return left.empty();
        },
        10000);
    return left;
}

// The daemon's descriptors, as kinds, so a socket kept open compares equal to itself.
QString descriptorLine(const QStringList& kinds) {
    return QStringLiteral("%1 (%2)").arg(kinds.size()).arg(kinds.join(", "));
}

class XscreensaverSoak {
public:
    XscreensaverSoak(const test::XServer& x, const CentrePixel& pixel) : x_(x), pixel_(pixel) {}
    void run(int cycles, int kills, Checks& checks);

private:
    bool cycle(int n);
    bool killedSaverIsFollowed(int n, Checks& checks);
    std::optional<ProcessEntry> saver() const { return runningDescendant(daemon_, kSaverName); }
    QString command(const char* option) const {
        return QString::fromLocal8Bit(x_.run("xscreensaver-command", {option}));
    }
    // After a failed cycle: the screen saver off and its saver gone, for the next cycle.
    void recover();
    QString sound() const { return home_.filePath("sound.raw"); }
    // Under `env -i` the saver has no runtime folder: its lock is in its cache folder.
    QString lock() const { return home_.filePath(".cache/lumafolio/lumafolio-1.1.lock"); }

    const test::XServer& x_;
    const CentrePixel& pixel_;
    QTemporaryDir media_, home_;
    pid_t daemon_ = 0;
    Phase phase_{QStringLiteral("xscreensaver")};
};

bool XscreensaverSoak::cycle(int n) {
    Laps laps;
    command("-activate");
    std::optional<ProcessEntry> run;
    if (!pollUntil([&] { return (run = saver()).has_value(); }, 20000)) {
        phase_.fail(n, "no saver started on activation");
        return false;
    }
    laps.lap("activation to saver");
    if (!pollUntil([&] { return pixel_.red(); }, 20000)) {
        phase_.fail(n, "no slide on the screen");
        return false;
    }
    laps.lap("to slide");
    phase_.peakKib.push_back(peakResidentKib(run->pid));
    const std::vector<ProcessEntry> tree = descendantsOf(run->pid, processTable());
    command("-deactivate");
    laps.lap("deactivation");
    if (!pollUntil([&] { return !stillRuns(*run); }, 20000)) {
        phase_.fail(n, "the saver runs on 20 s after the deactivation");
        return false;
    }
    laps.lap("to the saver's end");
    return clearedAfter(phase_, n, {tree, pixel_, laps}, "the saver's processes outlive it: ",
                        "the slide stays on the screen after the deactivation");
}

void XscreensaverSoak::recover() {
    command("-deactivate");
    pollUntil([&] { return !saver(); }, 10000);
    slideGone(pixel_);
}

// SIGKILL mid-show, as the OOM killer would: the lock's flock goes with the process, the file
// stays behind naming it, and the run the daemon starts next takes the lock over and plays.
bool XscreensaverSoak::killedSaverIsFollowed(int n, Checks& checks) {
    command("-activate");
    std::optional<ProcessEntry> killed;
    const auto plays = [this](const ProcessEntry& run) {
        return pollUntil([&] { return offsetIn(run.pid, sound()).value_or(0) > kPlayedBytes; },
                         20000);
    };
    const bool started = pollUntil([&] { return (killed = saver()).has_value(); }, 20000);
    if (!started || !pollUntil([&] { return pixel_.red(); }, 20000) || !plays(*killed)) {
        checks.add(false, QStringLiteral("kill %1: the saver to kill %2 (written: %3 bytes)")
                              .arg(n)
                              .arg(started ? "showed no slide or played nothing" : "did not start")
                              .arg(started ? offsetIn(killed->pid, sound()).value_or(-1) : -1));
        recover();
        return false;
    }
    const std::vector<pid_t> holders = lockHolders(lock());
    const bool held = std::find(holders.begin(), holders.end(), killed->pid) != holders.end();
    ::kill(killed->pid, SIGKILL);
    const bool ended = pollUntil([&] { return !stillRuns(*killed); }, 10000);
    const bool released = pollUntil(
        [&] {
            const std::vector<pid_t> now = lockHolders(lock());
            return std::find(now.begin(), now.end(), killed->pid) == now.end();
        },
        5000);
    // The file stays behind, naming the dead process, for the next run to take over.
    QFile left(lock());
    const bool leftBehind =
        left.open(QIODevice::ReadOnly) && left.readLine().trimmed().toLongLong() == killed->pid;
    // xscreensaver starts a killed saver again only a minute later: the next run is the one the
    // next activation starts.
    command("-deactivate");
    slideGone(pixel_);
    command("-activate");
    std::optional<ProcessEntry> next;
    const bool restarted =
        pollUntil([&] { return (next = saver()).has_value() && next->pid != killed->pid; }, 20000);
    const bool shown = restarted && pollUntil([&] { return pixel_.red(); }, 20000);
    const bool played = shown && plays(*next);
    const bool passed = held && ended && released && played;
    checks.add(passed, QStringLiteral("kill %1: saver %2 held the lock's flock (%3), ended on "
                                      "SIGKILL (%4), its flock went with it (%5), its lock file "
                                      "stayed (%6); the next run %7 shows the slide (%8) and "
                                      "plays (%9)")
                           .arg(n)
                           .arg(killed->pid)
                           .arg(held ? "yes" : "no", ended ? "yes" : "no", released ? "yes" : "no",
                                leftBehind ? "yes" : "no",
                                next ? QString::number(next->pid) : QStringLiteral("(none)"),
                                shown ? "yes" : "no", played ? "yes" : "no"));
    command("-deactivate");
    const bool nextEnded = !next || pollUntil([&] { return !stillRuns(*next); }, 20000);
    slideGone(pixel_);
    return passed && nextEnded;
}

void XscreensaverSoak::run(int cycles, int kills, Checks& checks) {
    phase_.asked = cycles;
    const QString settings = home_.filePath(".config/lumafolio/Lumafolio 1.1.ini");
    test::writeSettings(settings, test::saverShow(media_, "Settings/Bsound=1"));
    const QByteArray settingsBefore = settingsDigest(settings);
    QStringList daemonCommand = test::xscreensaverCommand(
        home_.path(), x_.display, {"SDL_AUDIODRIVER=disk", "SDL_DISKAUDIOFILE=" + sound()});
    if (daemonCommand.isEmpty()) {
        checks.add(false, "xscreensaver: its settings could not be written or the build installed");
        return;
    }
    QTemporaryDir logs;
    QProcess daemon;
    daemon.setProcessChannelMode(QProcess::MergedChannels);
    daemon.setStandardOutputFile(logs.filePath("xscreensaver.log"));
    daemon.start(daemonCommand.takeFirst(), daemonCommand << "--verbose");
    // runuser stays the daemon's parent; without it the daemon is the process itself.
    const pid_t started = static_cast<pid_t>(daemon.processId());
    std::optional<ProcessEntry> found;
    const bool up = pollUntil(
        [&] {
            found = processEntry(started);
            if (!found || found->name != u"xscreensaver") {
                found = runningDescendant(started, "xscreensaver");
            }
            return found && !command("-time").isEmpty();
        },
        60000);
    if (!up) {
        checks.add(false, "xscreensaver did not come up");
        return;
    }
    daemon_ = found->pid;
    const QStringList fdsAtStart = openFileKinds(daemon_);
    QStringList fdsAfterFirst;
    std::vector<ProcessEntry> helpersAfterFirst;
    QElapsedTimer clock;
    for (int n = 1; n <= cycles && !phase_.giveUp(); ++n) {
        clock.start();
        if (cycle(n)) {
            phase_.seconds.push_back(static_cast<double>(clock.nsecsElapsed()) * 1e-9);
            ++phase_.done;
        } else {
            recover();
        }
        if (n == 1) {
            // The daemon opens what it keeps at its first activation.
            fdsAfterFirst = openFileKinds(daemon_);
            helpersAfterFirst = descendantsOf(daemon_, processTable());
        }
        if (n % 100 == 0) {
            std::printf("  xscreensaver: %d cycles\n", n);
            std::fflush(stdout);
        }
    }
    phase_.report(checks);

    int killsPassed = 0;
    for (int n = 1; n <= kills; ++n) {
        killsPassed += killedSaverIsFollowed(n, checks) ? 1 : 0;
    }
    std::printf(
        "xscreensaver: %d of %d savers killed with SIGKILL were followed by a run that "
        "showed the slide and played\n",
        killsPassed, kills);

    // Everything on this display besides the daemon and the helpers it keeps.
    const auto own = [this](const ProcessEntry& entry) {
        if (entry.pid == daemon_) {
            return true;
        }
        const std::vector<ProcessEntry> helpers = descendantsOf(daemon_, processTable());
        return std::any_of(kDaemonHelpers.begin(), kDaemonHelpers.end(),
                           [&](const QString& name) { return name.left(15) == entry.name; }) &&
               std::any_of(helpers.begin(), helpers.end(),
                           [&](const ProcessEntry& h) { return h.pid == entry.pid; });
    };
    const std::vector<ProcessEntry> left = leftOnDisplay(x_.display, own);
    const std::vector<ProcessEntry> helpers = descendantsOf(daemon_, processTable());
    std::printf("  the daemon %d and its helpers after the first cycle: %s; now: %s\n", daemon_,
                qPrintable(listed(helpersAfterFirst)), qPrintable(listed(helpers)));
    checks.add(left.empty(),
               "xscreensaver: nothing left on the display but the daemon and its "
               "helpers; left: " +
                   listed(left));
    const QStringList fdsAfter = openFileKinds(daemon_);
    std::printf("  daemon descriptors at its start: %s\n", qPrintable(descriptorLine(fdsAtStart)));
    std::printf("  after the first cycle: %s\n", qPrintable(descriptorLine(fdsAfterFirst)));
    std::printf("  after the last: %s\n", qPrintable(descriptorLine(fdsAfter)));
    checks.add(!fdsAfter.isEmpty() && fdsAfter == fdsAfterFirst,
               QStringLiteral("xscreensaver: the daemon's descriptors are those after the first "
                              "cycle (%1 then, %2 now)")
                   .arg(fdsAfterFirst.size())
                   .arg(fdsAfter.size()));

    const std::optional<qint64> holder = LockFileInstance::holder(lock());
    checks.add(!holder, QStringLiteral("xscreensaver: the saver's lock is free (%1; file %2)")
                            .arg(holder ? "held by " + QString::number(*holder) : "free",
                                 QFile::exists(lock()) ? "present" : "absent"));
    checkSettings(checks, "xscreensaver", settings, settingsBefore);

    command("-exit");
    const bool exited = daemon.waitForFinished(20000);
    const std::vector<ProcessEntry> afterExit = leftOnDisplay(x_.display, {});
    checks.add(
        exited && afterExit.empty(),
        "xscreensaver: once it has exited nothing is left on the display: " + listed(afterExit));
    if (checks.failed() > 0) {
        // The daemon's own lines; the savers' (SDL's notes on its disk output) would bury them.
        QFile log(logs.filePath("xscreensaver.log"));
        log.open(QIODevice::ReadOnly);
        QByteArrayList daemonLines;
        for (const QByteArray& line : log.readAll().split('\n')) {
            if (line.startsWith("xscreensaver")) {
                daemonLines << line;
            }
        }
        std::printf("--- xscreensaver said (the end):\n%s\n",
                    daemonLines.mid(std::max<qsizetype>(0, daemonLines.size() - 40))
                        .join('\n')
                        .constData());
    }
}

class XsecurelockSoak {
public:
    XsecurelockSoak(const test::XServer& x, const CentrePixel& pixel) : x_(x), pixel_(pixel) {}
    void run(int cycles, Checks& checks);

private:
    bool cycle(int n);

    const test::XServer& x_;
    const CentrePixel& pixel_;
    test::TempEnv env_;
    QTemporaryDir media_;
    Phase phase_{QStringLiteral("xsecurelock")};
};

bool XsecurelockSoak::cycle(int n) {
    QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
    e.remove("QT_QPA_PLATFORM");
    e.insert("DISPLAY", x_.display);
    e.insert("XSECURELOCK_SAVER", test::installed("libexec/xsecurelock/saver_lumafolio"));
    e.insert("XSECURELOCK_NO_COMPOSITE", "1");
    e.insert("XSECURELOCK_BLANK_TIMEOUT", "-1");
    e.insert("SDL_AUDIODRIVER", "disk");
    e.insert("SDL_DISKAUDIOFILE", media_.filePath("sound.raw"));
    Laps laps;
    QProcess locker;
    locker.setProcessEnvironment(e);
    locker.setProcessChannelMode(QProcess::MergedChannels);
    locker.start("xsecurelock", {"--", "true"});
    const pid_t pid = static_cast<pid_t>(locker.processId());
    std::optional<ProcessEntry> run;
    const auto failed = [&](const QString& what) {
        phase_.fail(n, what);
        locker.kill();
        locker.waitForFinished(5000);
        std::printf("--- xsecurelock said:\n%s\n", locker.readAll().constData());
        slideGone(pixel_);
        return false;
    };
    if (!pollUntil([&] { return (run = runningDescendant(pid, kSaverName)).has_value(); }, 20000)) {
        return failed("no saver started");
    }
    laps.lap("start to saver");
    if (!pollUntil([&] { return pixel_.red(); }, 20000)) {
        return failed("no slide on the screen");
    }
    laps.lap("to slide");
    phase_.peakKib.push_back(peakResidentKib(run->pid));
    // xsecurelock's helpers and the saver: all must go with it.
    const std::vector<ProcessEntry> tree = descendantsOf(pid, processTable());
    locker.terminate();
    if (!locker.waitForFinished(20000)) {
        return failed("xsecurelock runs on 20 s after SIGTERM");
    }
    laps.lap("SIGTERM to its end");
    if (!pollUntil([&] { return !stillRuns(*run); }, 20000)) {
        return failed("the saver runs on 20 s after xsecurelock ended");
    }
    laps.lap("to the saver's end");
    return clearedAfter(phase_, n, {tree, pixel_, laps}, "processes outlive xsecurelock: ",
                        "the slide stays on the screen after the end");
}

void XsecurelockSoak::run(int cycles, Checks& checks) {
    phase_.asked = cycles;
    test::writeSettings(env_.settingsFile(), test::saverShow(media_, "Settings/Bsound=1"));
    const QByteArray settingsBefore = settingsDigest(env_.settingsFile());
    QElapsedTimer clock;
    for (int n = 1; n <= cycles && !phase_.giveUp(); ++n) {
        clock.start();
        if (cycle(n)) {
            phase_.seconds.push_back(static_cast<double>(clock.nsecsElapsed()) * 1e-9);
            ++phase_.done;
        }
        if (n % 50 == 0) {
            std::printf("  xsecurelock: %d cycles\n", n);
            std::fflush(stdout);
        }
    }
    phase_.report(checks);
    const std::vector<ProcessEntry> left = leftOnDisplay(x_.display, {});
    checks.add(left.empty(), "xsecurelock: nothing left on the display: " + listed(left));
    // The saver has a runtime folder here (the soak's own environment).
    const QString lock = LockFileInstance::defaultPath();
    const std::optional<qint64> holder = LockFileInstance::holder(lock);
    checks.add(!holder, QStringLiteral("xsecurelock: the saver's lock %1 is free (%2; file %3)")
                            .arg(lock, holder ? "held by " + QString::number(*holder) : "free",
                                 QFile::exists(lock) ? "present" : "absent"));
    checkSettings(checks, "xsecurelock", env_.settingsFile(), settingsBefore);
}

}  // namespace
}  // namespace luma::bench

int main(int argc, char** argv) {
    using namespace luma::bench;
    QCoreApplication app(argc, argv);
    const int screensaverCycles = cyclesFrom("SOAK_XSCREENSAVER_CYCLES", 1000);
    const int kills = cyclesFrom("SOAK_KILL_CYCLES", 10);
    const int lockCycles = cyclesFrom("SOAK_XSECURELOCK_CYCLES", 200);
    Checks checks;
    const luma::test::XServer x;
    const CentrePixel pixel(x.display);
    if (x.display.isEmpty() || !pixel.connected()) {
        std::fprintf(stderr, "cycle soak: Xvfb did not start\n");
        return 2;
    }
    if (luma::test::installed("lib/lumafolio/lumafolio11.scr").isEmpty()) {
        std::fprintf(stderr, "cycle soak: the build could not be installed\n");
        return 2;
    }
    std::printf(
        "cycle soak on %s: %d xscreensaver cycles, %d savers killed, %d xsecurelock "
        "cycles\n",
        qPrintable(x.display), screensaverCycles, kills, lockCycles);
    std::fflush(stdout);
    QElapsedTimer clock;
    clock.start();
    XscreensaverSoak(x, pixel).run(screensaverCycles, kills, checks);
    XsecurelockSoak(x, pixel).run(lockCycles, checks);
    std::printf("cycle soak: %d checks passed, %d failed, in %.0f s\n", checks.passed(),
                checks.failed(), static_cast<double>(clock.elapsed()) / 1000.0);
    return checks.failed() > 0 ? 1 : 0;
}
