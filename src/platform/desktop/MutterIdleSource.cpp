#include "platform/desktop/MutterIdleSource.h"

#include "platform/desktop/IdleReplies.h"
#include "platform/desktop/QuickDBusCall.h"

#include <QDBusConnectionInterface>
#include <QDBusServiceWatcher>

namespace luma {

namespace {
const QString kService = QStringLiteral("org.gnome.Mutter.IdleMonitor");
const QString kPath = QStringLiteral("/org/gnome/Mutter/IdleMonitor/Core");
const QString kInterface = QStringLiteral("org.gnome.Mutter.IdleMonitor");
}  // namespace

MutterIdleSource::MutterIdleSource(QDBusConnection session, QObject* parent)
    : IdleSource(parent),
      bus_(std::move(session)),
      monitorWatch_(new QDBusServiceWatcher(kService, bus_,
                                            QDBusServiceWatcher::WatchForRegistration, this)) {
    // Mutter sends WatchFired only to the connection that added the watch: this one.
    bus_.connect(kService, kPath, kInterface, QStringLiteral("WatchFired"), this,
                 SLOT(watchFired(uint)));
    connect(monitorWatch_, &QDBusServiceWatcher::serviceRegistered, this,
            &MutterIdleSource::monitorRestarted);
}

MutterIdleSource::~MutterIdleSource() {
    disarm();
}

bool MutterIdleSource::availableOn(const QDBusConnection& session) {
    const QDBusConnectionInterface* daemon = session.interface();
    return daemon && daemon->isServiceRegistered(kService).value();
}

bool MutterIdleSource::arm(std::chrono::milliseconds threshold) {
    disarm();
    threshold_ = threshold;
    idleWatch_ =
        addWatch(QStringLiteral("AddIdleWatch"),
                 {QVariant::fromValue<qulonglong>(std::max<qint64>(threshold.count(), 1))});
    armed_ = idleWatch_ != 0;
    return armed_;
}

void MutterIdleSource::disarm() {
    armed_ = false;
    removeWatch(idleWatch_);
    removeWatch(activeWatch_);
}

QString MutterIdleSource::name() const {
    return QStringLiteral("GNOME's idle monitor");
}

void MutterIdleSource::watchFired(uint id) {
    if (!armed_ || id == 0) {
        return;
    }
    if (id == idleWatch_) {
        if (activeWatch_ != 0) {
            // Idle passed the threshold again, so there was input that the active watch, added
            // just after it, missed.
            emit active();
        } else {
            // Added before idle() goes out, so that input while the show starts is not lost.
            activeWatch_ = addWatch(QStringLiteral("AddUserActiveWatch"), {});
        }
        emit idle();
    } else if (id == activeWatch_) {
        activeWatch_ = 0;
        emit active();
    }
}

uint MutterIdleSource::addWatch(const QString& method, const QVariantList& arguments) {
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface, method);
    call.setArguments(arguments);
    return watchIdOf(quickDBusCall(bus_, call, std::chrono::seconds(2)));
}

void MutterIdleSource::removeWatch(uint& id) {
    if (id != 0) {
        QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface,
                                                           QStringLiteral("RemoveWatch"));
        call << id;
        bus_.send(call);
        id = 0;
    }
}

void MutterIdleSource::monitorRestarted() {
    // A restarted compositor (gnome-shell's restart on X11) knows none of our watches.
    if (!armed_) {
        return;
    }
    const bool wasIdle = activeWatch_ != 0;
    idleWatch_ = activeWatch_ = 0;
    if (wasIdle) {
        emit active();
    }
    arm(threshold_);
}

}  // namespace luma
