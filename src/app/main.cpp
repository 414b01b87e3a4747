#include "startup/Main.h"
#include "music/frmPlayer.h"
#include "platform/DesktopShell.h"
#include "platform/LockFileInstance.h"
#include "platform/QtFileDialog.h"
#include "platform/QtMessageBox.h"
#include "platform/QtNotificationArea.h"
#include "platform/XdgAutostartShortcuts.h"
#include "runtime/QtTimerService.h"
#include "runtime/Random.h"
#include "settings/IniSettingsStore.h"
#include "startup/Program.h"
#include "tray/frmpopup.h"

#include <QApplication>
#include <QCursor>

namespace {

luma::PlatformServices systemServices() {
    luma::PlatformServices s;
    s.store = std::make_unique<luma::IniSettingsStore>(luma::IniSettingsStore::defaultPath());
    s.timers = std::make_unique<luma::QtTimerService>();
    s.random = std::make_unique<luma::Random>();
    s.instance = std::make_unique<luma::LockFileInstance>();
    s.messageBox = std::make_unique<luma::QtMessageBox>();
    s.shell = std::make_unique<luma::DesktopShell>();
    s.fileDialog = std::make_unique<luma::QtFileDialog>();
    s.notificationArea = std::make_unique<luma::QtNotificationArea>();
    s.shortcuts = std::make_unique<luma::XdgAutostartShortcuts>();
    s.programFolder = QCoreApplication::applicationDirPath();
    return s;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lumafolio"));
    QApplication::setQuitOnLastWindowClosed(false);

    luma::Program program(systemServices());
    program.setPlayerFactory([](luma::Program& p) { return std::make_unique<luma::frmPlayer>(p); });
    program.setTrayFactory([](luma::Program& p) { return std::make_unique<luma::frmpopup>(p); });
    program.cursor().setListener([](bool visible) {
        if (visible) {
            QApplication::restoreOverrideCursor();
        } else {
            QApplication::setOverrideCursor(QCursor(Qt::BlankCursor));
        }
    });

    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    luma::Main(program, arguments.join(u' '));
    program.endIfNoWindowLeft();
    if (program.hasEnded()) {
        return 0;
    }
    return QApplication::exec();
}
