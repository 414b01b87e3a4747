// The desktop, through the real services: the start-up shortcut is a desktop entry in the
// autostart folder that starts the saver of the program folder, quoted for the desktop; the
// single-instance lock; the file dialog.
#include "platform/desktop/LockFileInstance.h"
#include "platform/desktop/QtFileDialog.h"
#include "platform/desktop/XdgAutostartShortcuts.h"
#include "platform/desktop/XdgPaths.h"
#include "system/StartupShortcut.h"

#include "support/FakeServices.h"
#include "support/TempEnv.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <QApplication>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QTemporaryDir>
#include <QTimer>

namespace luma::test {
namespace {

TEST(StartupShortcut, AnEntryStartsTheSaverOfTheProgramFolderUntilRemoved) {
    struct Case {
        const char* folder;
        const char* exec;  // the quoted argument, its backslashes escaped again for the value
    };
    const Case cases[] = {
        {"/opt/show", R"(Exec="/opt/show/lumafolio11.scr")"},
        {"/", R"(Exec="//lumafolio11.scr")"},  // the folder is not checked for a trailing "/"
        {"/opt/My Apps/100% \"fun\" $HOME",
         R"(Exec="/opt/My Apps/100%% \\"fun\\" \\$HOME/lumafolio11.scr")"},
    };
    TempEnv env;
    const QString entry = xdgAutostartFolder() + QStringLiteral("/LumaS.desktop");
    FakePlatform fakes;
    const auto programIn = [&fakes](const QString& folder) {
        PlatformServices services = fakes.make();
        services.shortcuts = std::make_unique<XdgAutostartShortcuts>();
        services.programFolder = folder;
        return std::make_unique<Program>(std::move(services));
    };
    for (const Case& c : cases) {
        createStartupShortcut(*programIn(QString::fromUtf8(c.folder)));
        QFile file(entry);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
        EXPECT_TRUE(lines.contains(QString::fromUtf8(c.exec))) << qPrintable(lines.join(u'|'));
        EXPECT_TRUE(lines.contains(QStringLiteral("Name=LumaS")));
        EXPECT_EQ(QDir(xdgAutostartFolder()).entryList(QDir::Files).size(), 1) << "made again";
    }
    const auto program = programIn(QStringLiteral("/opt/show"));
    removeStartupShortcut(*program);
    EXPECT_FALSE(QFile::exists(entry));
    EXPECT_TRUE(program->shortcuts().remove(kStartupFolder, kStartupLinkName)) << "nothing there";
    // Only the start-up folder is served.
    XdgAutostartShortcuts service;
    EXPECT_FALSE(service.create(QStringLiteral("Desktop"), kStartupLinkName, entry, {}, -1, {}));
    EXPECT_FALSE(service.remove(QStringLiteral("Desktop"), kStartupLinkName));
    EXPECT_TRUE(QDir(xdgAutostartFolder()).entryList(QDir::Files).isEmpty());
}

// A show runs for days: its lock is never taken over for its age, only once its process is gone.
TEST(LockFileInstance, AnOldLockOfALiveProcessHoldsAndOneOfAGoneProcessIsTakenOver) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("lumafolio.lock"));
    {
        LockFileInstance first(path);
        ASSERT_TRUE(first.acquire());
        QFile lock(path);
        ASSERT_TRUE(lock.open(QIODevice::ReadWrite));
        ASSERT_TRUE(lock.setFileTime(QDateTime::currentDateTime().addDays(-3),
                                     QFileDevice::FileModificationTime));
        lock.close();
        EXPECT_FALSE(LockFileInstance(path).acquire());
    }
    QFile left(path);  // what a process that died left behind
    ASSERT_TRUE(left.open(QIODevice::WriteOnly));
    left.write("2147483646\nlumafolio11.scr\n\n");
    left.close();
    EXPECT_TRUE(LockFileInstance(path).acquire());
}

// Without a runtime folder the lock lies in a folder only the user may enter: what another user
// put first at the shared temporary folder's old name, which we may not replace, holds nothing.
TEST(LockFileInstance, WithoutARuntimeFolderTheLockIsTheUsersOwn) {
    TempEnv env;
    qunsetenv("XDG_RUNTIME_DIR");
    QDir foreign(QDir::tempPath() + QStringLiteral("/lumafolio-1.1-%1.lock").arg(getuid()));
    ASSERT_TRUE(foreign.mkpath("held"));  // a folder with content: no lock file replaces it
    EXPECT_TRUE(LockFileInstance().acquire());
    const QFileInfo folder(QFileInfo(LockFileInstance::defaultPath()).path());
    EXPECT_EQ(folder.filePath(), env.configHome() + "/cache/lumafolio");
    EXPECT_EQ(folder.permissions() & ~(QFile::ReadUser | QFile::WriteUser | QFile::ExeUser),
              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    foreign.removeRecursively();
}

// "..." opens in the folder of the file in the box, with that file chosen; each filter shows its
// caption once and filters by its patterns.
TEST(QtFileDialog, OpensAtTheFileInTheBoxAndShowsEachFilterCaptionOnce) {
    QTemporaryDir dir;
    const QString song = dir.filePath(QStringLiteral("a b.mp3"));
    QFile(song).open(QIODevice::WriteOnly);
    QString openedIn;
    QStringList chosen, captions, patterns;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        openedIn = dialog->directory().absolutePath();
        chosen = dialog->selectedFiles();
        const auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        for (int i = 0; types != nullptr && i < types->count(); ++i) {
            captions.append(types->itemText(i));
        }
        const auto* files = dialog->findChild<QFileSystemModel*>();
        ASSERT_NE(files, nullptr);
        patterns = files->nameFilters();
        dialog->reject();
    });
    EXPECT_TRUE(
        QtFileDialog()
            .openFiles(nullptr,
                       QStringLiteral("Supported files(*.wav;*.mp3;*.mid)|*.wav;*.mp3;*.mid|"
                                      "Playlists(*.m3u;*.m3u8;*.pls)|*.m3u;*.m3u8;*.pls"),
                       QStringLiteral("mp3"), song)
            .isEmpty())
        << "cancelled";
    EXPECT_EQ(openedIn, QDir(dir.path()).absolutePath());
    EXPECT_EQ(chosen, QStringList{song});
    EXPECT_EQ(captions,
              QStringList({"Supported files(*.wav;*.mp3;*.mid)", "Playlists(*.m3u;*.m3u8;*.pls)"}));
    EXPECT_EQ(patterns, QStringList({"*.wav", "*.mp3", "*.mid"}));
}

// A window that goes while its dialog is open (the tray's shutdown) takes the dialog with it; the
// caller learns that nothing was chosen.
TEST(QtFileDialog, AWindowThatGoesWhileItsDialogIsOpenEndsTheDialog) {
    for (const bool folder : {false, true}) {
        auto* window = new QWidget;
        QTimer::singleShot(0, window, [window] { delete window; });
        QtFileDialog dialog;
        EXPECT_TRUE(folder ? !dialog.openFolder(window, {})
                           : dialog.openFiles(window, QStringLiteral("All|*"), {}, {}).isEmpty());
    }
}

}  // namespace
}  // namespace luma::test
