#include "startup/Program.h"

#include "platform/DriveList.h"
#include "platform/FileDialog.h"
#include "platform/MediaControl.h"
#include "platform/MessageBox.h"
#include "platform/Mp3Player.h"
#include "platform/NotificationArea.h"
#include "platform/Shell.h"
#include "platform/ShortcutService.h"
#include "platform/SingleInstance.h"
#include "platform/WatcherProcess.h"
#include "runtime/Random.h"
#include "runtime/Timer.h"
#include "settings/SettingsStore.h"

#include <QCoreApplication>
#include <QObject>

namespace luma {

PlatformServices::PlatformServices() = default;
PlatformServices::~PlatformServices() = default;
PlatformServices::PlatformServices(PlatformServices&&) noexcept = default;
PlatformServices& PlatformServices::operator=(PlatformServices&&) noexcept = default;

Program::Program(PlatformServices services)
    : services_(std::move(services)), context_(std::make_unique<QObject>()) {}

Program::~Program() {
    // Windows first, while the services they use still exist.
    display_.discard(retired_);
    panel_.discard(retired_);
    player_.discard(retired_);
    tray_.discard(retired_);
    retired_.clear();
    if (!ended_ && services_.store) {
        services_.store->sync();
    }
}

bool Program::anyWindowLoaded() const {
    return display_.isLoaded() || panel_.isLoaded() || player_.isLoaded() || tray_.isLoaded();
}

void Program::doneWith(Task task) {
    tasks_.erase(task);
    afterUnload(true);
}

void Program::afterUnload(bool unloaded) {
    if (!unloaded || ended_) {
        return;
    }
    QMetaObject::invokeMethod(
        context_.get(),
        [this] {
            collectRetiredWindows();
            endIfNothingLeft();
        },
        Qt::QueuedConnection);
}

void Program::endIfNothingLeft() {
    if (!ended_ && !anyWindowLoaded() && tasks_.empty()) {
        endProgram();
    }
}

void Program::endProgram() {
    if (ended_) {
        return;
    }
    ended_ = true;
    display_.discard(retired_);
    panel_.discard(retired_);
    player_.discard(retired_);
    tray_.discard(retired_);
    if (services_.store) {
        services_.store->sync();
    }
    if (services_.mp3) {
        services_.mp3->stop();
    }
    if (services_.media) {
        services_.media->closeAll();
    }
    if (QCoreApplication::instance() != nullptr) {
        QCoreApplication::exit(0);
    }
}

}  // namespace luma
