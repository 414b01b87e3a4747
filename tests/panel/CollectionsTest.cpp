// Real collections: folders walked, several files and playlists added at once, folders dropped
// from a file manager.
#include "PanelHarness.h"
#include "panel/ControlIds.h"
#include "panel/ListAdditions.h"
#include "panel/ListEntries.h"
#include "panel/PlaylistFiles.h"
#include "settings/SettingsKeys.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QTemporaryDir>
#include <QUrl>

#include <unistd.h>

namespace luma::paneltest {
namespace {

// Empty files (and folders, for names ending in "/") below a temporary folder.
struct Tree {
    explicit Tree(const QStringList& paths) {
        for (const QString& path : paths) {
            if (path.endsWith(u'/')) {
                QDir(dir.path()).mkpath(path);
                continue;
            }
            QDir(dir.path()).mkpath(QFileInfo(path).path());
            QFile(at(path)).open(QIODevice::WriteOnly);
        }
    }
    QString at(const QString& relative) const { return dir.filePath(relative); }
    QStringList at(const QStringList& relatives) const {
        QStringList paths;
        for (const QString& r : relatives) {
            paths.append(at(r));
        }
        return paths;
    }
    QTemporaryDir dir;
};

const ListRules kSlideRules{hasPictureExtension, false};

// A folder addition walks the tree below it, takes the files the list takes in natural order,
// passes over loops and folders it cannot read, and adds nothing the list holds already.
TEST(Collections, AFolderAddsItsPicturesInNaturalOrderOnce) {
    struct Case {
        const char* name;
        QStringList files;
        QStringList existing;  // relative to the tree
        QStringList expected;
        int leftOut;
    };
    const Case cases[] = {
        {"natural order across nested folders",
         {"10.jpg", "2.jpg", "a/1.JPG", "a/b/c/deep.gif", "A2/x.bmp", "img9.jpg", "img10.jpg"},
         {},
         {"2.jpg", "10.jpg", "a/1.JPG", "a/b/c/deep.gif", "A2/x.bmp", "img9.jpg", "img10.jpg"},
         0},
        {"wrong and mixed-case extensions left out",
         {"a.jpeg", "b.Jpg", "c.png", "notes.txt", "d.jpg", "e"},
         {},
         {"d.jpg"},
         5},
        {"entries already in the list are not added again",
         {"1.jpg", "2.jpg", "3.jpg"},
         {"2.jpg"},
         {"1.jpg", "3.jpg"},
         0},
        {"an empty folder adds nothing", {"empty/"}, {}, {}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Tree tree(c.files);
        const Addition added = collectAddition({tree.dir.path()}, kSlideRules, tree.at(c.existing));
        EXPECT_EQ(added.entries, tree.at(c.expected));
        EXPECT_EQ(added.leftOut, c.leftOut);
        EXPECT_FALSE(added.cancelled);
    }

    // A link back up the tree is walked once; a folder that cannot be read is passed over.
    const Tree tree({"top.jpg", "sub/inner.jpg", "locked/hidden.jpg"});
    ASSERT_TRUE(QFile::link(tree.dir.path(), tree.at(QStringLiteral("sub/loop"))));
    QFile::setPermissions(tree.at(QStringLiteral("locked")), QFileDevice::Permissions());
    const Addition added = collectAddition({tree.dir.path()}, kSlideRules, {});
    QFile::setPermissions(tree.at(QStringLiteral("locked")),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QStringList expected = tree.at(QStringList{"sub/inner.jpg", "top.jpg"});
    if (::geteuid() == 0) {  // permissions do not hold root back
        expected.prepend(tree.at(QStringLiteral("locked/hidden.jpg")));
    }
    EXPECT_EQ(added.entries, expected);

    const Addition cancelled =
        collectAddition({tree.dir.path()}, kSlideRules, {}, [](int) { return false; });
    EXPECT_TRUE(cancelled.cancelled);
    EXPECT_TRUE(cancelled.entries.isEmpty());
}

TEST(Collections, PlaylistsOfEachFormatAddWhatTheyName) {
    struct Case {
        const char* file;
        QByteArray bytes;
    };
    const QByteArray latin1Name = QByteArray("Caf") + char(0xE9);
    const Case cases[] = {
        {"mix.m3u",
         "#EXTM3U\n#EXTINF:123,A title\nrel/one.mp3\r\n\n/abs/two.wav\n"
         "http://radio.example/stream.mp3\nfile:///abs/three.mid\n" +
             latin1Name},
        {"mix.m3u8",
         "\xEF\xBB\xBF#EXTM3U\nrel/one.mp3\n/abs/two.wav\n"
         "https://x.example/a.mp3\nfile:///abs/three.mid\nCaf\xC3\xA9\n"},
        {"mix.pls",
         "[playlist]\nFile2=/abs/two.wav\nTitle1=One\nFile1=rel/one.mp3\n"
         "File3=file:///abs/three.mid\nFile4=http://x.example/a.mp3\n"
         "file5=Caf\xC3\xA9\nNumberOfEntries=5\nVersion=2\n"},
    };
    QTemporaryDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const QString path = dir.filePath(QString::fromLatin1(c.file));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(c.bytes);
        file.close();
        const QStringList expected = {
            dir.filePath(QStringLiteral("rel/one.mp3")), QStringLiteral("/abs/two.wav"),
            QStringLiteral("/abs/three.mid"), dir.filePath(QStringLiteral("Caf\u00E9"))};
        EXPECT_EQ(readPlaylist(path), expected);
    }
}

// The panel: several files chosen at once are added together, a folder dropped from a file
// manager is added and stored, and the panel says what it left out.
TEST(Collections, ThePanelAddsChosenFilesAndADroppedFolderInOneWriteEach) {
    PanelHarness p;
    p.setList(keys::kPictures, {"/old/a.jpg"});
    p.open();
    const Tree tree({"b.jpg", "c.txt", "photos/2.jpg", "photos/10.jpg", "photos/readme.txt"});

    p.h.fakes.fileDialog->answers = {tree.at(QStringList{"b.jpg", "c.txt"})};
    clickWithMouse(p.find<QPushButton>(panel_ids::kBrowsePicturesButton));
    EXPECT_EQ(p.find<QLineEdit>(panel_ids::kFileBox)->text(), tree.at(QStringLiteral("b.jpg")));
    p.store().clearLog();
    clickWithMouse(p.find<QPushButton>(panel_ids::kAddPictureButton));
    EXPECT_EQ(p.storedList(keys::kPictures),
              QStringList({"/old/a.jpg", tree.at(QStringLiteral("b.jpg"))}));
    ASSERT_EQ(p.h.fakes.messageBox->calls.size(), 1u);
    EXPECT_TRUE(p.h.fakes.messageBox->calls.back().text.startsWith(u"1 file was left out"));

    auto* list = p.find<QListWidget>(panel_ids::kSlideList);
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(tree.at(QStringLiteral("photos")))});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(list->viewport(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    p.store().clearLog();
    QCoreApplication::sendEvent(list->viewport(), &drop);
    const QStringList expected = {"/old/a.jpg", tree.at(QStringLiteral("b.jpg")),
                                  tree.at(QStringLiteral("photos/2.jpg")),
                                  tree.at(QStringLiteral("photos/10.jpg"))};
    EXPECT_EQ(p.storedList(keys::kPictures), expected);
    EXPECT_EQ(p.items(panel_ids::kSlideList), expected);
    EXPECT_EQ(p.store().log().front().batch, p.store().log().back().batch) << "one write";
    EXPECT_TRUE(p.h.fakes.messageBox->calls.back().text.startsWith(u"1 file was left out"));

    // Dropped again, the folder adds nothing new.
    QCoreApplication::sendEvent(list->viewport(), &drop);
    EXPECT_EQ(p.storedList(keys::kPictures), expected);
}

}  // namespace
}  // namespace luma::paneltest
