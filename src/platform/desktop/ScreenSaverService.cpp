#include "platform/desktop/ScreenSaverService.h"

#include <QDBusConnectionInterface>
#include <QDBusServiceWatcher>

#include <algorithm>

namespace luma {

namespace {
const QString kService = QStringLiteral("org.freedesktop.ScreenSaver");
// Programs use either path.
const QString kPaths[] = {QStringLiteral("/org/freedesktop/ScreenSaver"),
                          QStringLiteral("/ScreenSaver")};
}  // namespace

ScreenSaverService::ScreenSaverService(QDBusConnection session, QObject* parent)
    : QObject(parent),
      bus_(std::move(session)),
      callers_(new QDBusServiceWatcher(QString(), bus_, QDBusServiceWatcher::WatchForUnregistration,
                                       this)) {
    connect(callers_, &QDBusServiceWatcher::serviceUnregistered, this,
            &ScreenSaverService::callerLeft);
}

ScreenSaverService::~ScreenSaverService() {
    if (serving_) {
        for (const QString& path : kPaths) {
            bus_.unregisterObject(path);
        }
        bus_.unregisterService(kService);
    }
}

bool ScreenSaverService::start() {
    if (serving_ || !bus_.isConnected()) {
        return serving_;
    }
    // Objects first, so that the first call after the name is taken finds them.
    for (const QString& path : kPaths) {
        if (!bus_.registerObject(path, this, QDBusConnection::ExportScriptableSlots)) {
            for (const QString& registered : kPaths) {
                bus_.unregisterObject(registered);
            }
            return false;
        }
    }
    // Neither queued nor replacing: an owner keeps its name, and we serve nothing.
    serving_ = bus_.registerService(kService);
    if (!serving_) {
        for (const QString& path : kPaths) {
            bus_.unregisterObject(path);
        }
    }
    return serving_;
}

QString ScreenSaverService::inhibitedBy() {
    if (inhibitions_.empty()) {
        return {};
    }
    const Inhibition& oldest = inhibitions_.begin()->second;
    return oldest.application + QStringLiteral(": ") + oldest.reason;
}

uint ScreenSaverService::Inhibit(const QString& application, const QString& reason) {
    const QString who = caller();
    do {
        ++lastCookie_;
    } while (lastCookie_ == 0 || inhibitions_.contains(lastCookie_));
    inhibitions_[lastCookie_] = {who, application, reason};
    if (!who.isEmpty()) {
        callers_->addWatchedService(who);
    }
    emit inhibitionsChanged();
    return lastCookie_;
}

void ScreenSaverService::UnInhibit(uint cookie) {
    // Only its own caller may release an inhibition.
    const auto it = inhibitions_.find(cookie);
    if (it != inhibitions_.end() && it->second.caller == caller()) {
        inhibitions_.erase(it);
        emit inhibitionsChanged();
    }
}

QString ScreenSaverService::caller() const {
    return calledFromDBus() ? message().service() : QString();
}

void ScreenSaverService::callerLeft(const QString& who) {
    callers_->removeWatchedService(who);
    if (std::erase_if(inhibitions_,
                      [&who](const auto& entry) { return entry.second.caller == who; }) > 0) {
        emit inhibitionsChanged();
    }
}

}  // namespace luma
