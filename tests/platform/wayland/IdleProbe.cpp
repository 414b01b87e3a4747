// Arms the compositor's idle source and prints a line for each thing that happens: "source
// <its name>", "armed", "idle <ms since armed>", "active <ms since armed>", "broken <why>"; with
// --inhibit-for, it first shows a window that holds an idle inhibitor ("inhibiting") and drops it
// after that many ms ("released"). Ends with 2 when it cannot arm, 3 when the connection breaks.
//   idle-probe <threshold ms> [--ext] [--inhibit-for <ms>]
// --ext arms ext_idle_notifier_v1 whether or not the compositor offers it.
#include "platform/desktop/wayland/ExtIdleSource.h"
#include "platform/desktop/wayland/WaylandConnection.h"
#include "platform/desktop/wayland/WaylandIdleInhibitor.h"
#include "platform/desktop/wayland/WaylandIdleProtocol.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPainter>
#include <QRasterWindow>
#include <QTimer>

#include <cstdio>

using namespace luma;

namespace {

void say(const QString& line) {
    std::printf("%s\n", qPrintable(line));
    std::fflush(stdout);
}

// Mapped, and so visible to the compositor, once it has painted.
class ShownWindow : public QRasterWindow {
public:
    std::function<void()> onFirstPaint;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter(this).fillRect(QRect(QPoint(), size()), Qt::darkGreen);
        if (auto call = std::exchange(onFirstPaint, nullptr)) {
            QTimer::singleShot(0, this, call);
        }
    }
};

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    WaylandConnection::Opened opened = WaylandConnection::open();
    if (!opened.connection) {
        say("error " + opened.error);
        return 2;
    }
    // Owned by the source from here on, which lives as long as the probe.
    const WaylandConnection* connection = opened.connection.get();
    const std::unique_ptr<IdleSource> source =
        args.contains("--ext") ? std::make_unique<ExtIdleSource>(std::move(opened.connection))
                               : makeWaylandIdleSource(std::move(opened.connection));
    say("source " + (source ? source->name() : "none"));
    QElapsedTimer sinceArmed;
    sinceArmed.start();
    if (!source || !source->arm(std::chrono::milliseconds(args.value(1).toInt()))) {
        say("cannot arm");
        return 2;
    }
    QObject::connect(source.get(), &IdleSource::idle,
                     [&] { say(QString("idle %1").arg(sinceArmed.elapsed())); });
    QObject::connect(source.get(), &IdleSource::active,
                     [&] { say(QString("active %1").arg(sinceArmed.elapsed())); });
    QObject::connect(connection, &WaylandConnection::broken, [](const QString& why) {
        say("broken " + why);
        QCoreApplication::exit(3);
    });

    ShownWindow window;
    std::unique_ptr<WaylandIdleInhibitor> inhibitor;
    const int inhibitAt = args.indexOf("--inhibit-for");
    if (inhibitAt < 0) {
        say("armed");
        return app.exec();
    }
    // Armed again once the inhibitor holds, so that the threshold counts from then.
    window.onFirstPaint = [&] {
        WaylandIdleInhibitor::Made made = WaylandIdleInhibitor::inhibit(window);
        inhibitor = std::move(made.inhibitor);
        say(inhibitor ? "inhibiting" : "error " + made.error);
        sinceArmed.start();
        say(source->arm(std::chrono::milliseconds(args.value(1).toInt())) ? "armed" : "cannot arm");
        QTimer::singleShot(args.value(inhibitAt + 1).toInt(), [&] {
            inhibitor.reset();
            say("released");
        });
    };
    window.resize(320, 240);
    window.show();
    return app.exec();
}
