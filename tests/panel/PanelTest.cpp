// The control panel: the rules behind its lists and number boxes as plain data, then the real
// panel in a program over fakes (the other windows recording what is done to them): the settings it
// opens with, what its controls store and do, the lists as the user edits them, the ways out, the
// links and the room every caption has.
#include "music/ListTexts.h"
#include "panel/ButtonSizing.h"
#include "panel/CdDriveButtons.h"
#include "panel/ColourSelector.h"
#include "panel/ControlIds.h"
#include "panel/ControlPanel.h"
#include "panel/LinkLabel.h"
#include "panel/ListAdditions.h"
#include "panel/ListEntries.h"
#include "panel/ListFiller.h"
#include "panel/NumberLimit.h"
#include "panel/PanelPlayer.h"
#include "panel/PlaylistFiles.h"
#include "panel/PreferencesTab.h"
#include "panel/SlidePreview.h"
#include "panel/SoundTab.h"
#include "platform/desktop/XdgPaths.h"
#include "settings/SettingsKeys.h"
#include "settings/StoredList.h"
#include "support/FakeServices.h"
#include "support/RecordingWindows.h"
#include "support/TempEnv.h"
#include "system/StartupShortcut.h"

#include <gtest/gtest.h>

#include <QtTest>
#include <QtWidgets>

namespace luma::test {
namespace {

using namespace panel_ids;

// Empty files of the given relative names made in `dir`; returns their paths.
QStringList touch(const QTemporaryDir& dir, const QStringList& names) {
    QStringList paths;
    for (const QString& name : names) {
        paths.append(dir.filePath(name));
        QDir().mkpath(QFileInfo(paths.last()).path());
        QFile(paths.last()).open(QIODevice::WriteOnly);
    }
    return paths;
}

// A picture file made in `folder`; returns its path.
QString writePicture(const QString& folder) {
    QImage image(4, 3, QImage::Format_RGB32);
    image.fill(Qt::red);
    return image.save(folder + "/pick.bmp") ? folder + "/pick.bmp" : QString();
}

TEST(ListRules, NumberBoxesStayBetweenOneAndTheHighest) {
    // clang-format off
    const std::tuple<const char*, double, std::optional<QString>> cases[] = {
        {"45", 30, "30"}, {"12x", 5, "5"}, {"", 30, "1"}, {"abc", 5, "1"}, {"0", 15, "1"},
        {"-3", 15, "1"}, {"2.5", 5, {}}, {"1", 5, {}}, {"30", 30, {}}, {"1 2", 30, {}}};
    // clang-format on
    for (const auto& [text, highest, limited] : cases) {
        EXPECT_EQ(limitedText(QString::fromUtf8(text), highest), limited) << text;
    }
}

// A folder adds the pictures below it in natural order, walks a link back up the tree once, lists
// a folder under its own path rather than a link's that comes first, adds nothing the list holds
// already and nothing at all when cancelled.
TEST(ListAdditions, AFolderAddsItsPicturesInNaturalOrderOnce) {
    QTemporaryDir dir;
    const QStringList files =
        touch(dir, {"10.jpg", "2.jpg", "a/1.JPG", "a/b/deep.gif", "A2/x.bmp", "img9.jpg",
                    "img10.jpg", "held.jpg", "x.jpeg", "y.Jpg", "z/last.gif"});
    ASSERT_TRUE(QFile::link(dir.path(), dir.filePath(QStringLiteral("a/loop"))));
    ASSERT_TRUE(QFile::link(dir.filePath(QStringLiteral("z")), dir.filePath("a/0 to z")));
    const ListRules slides{hasPictureExtension, false};
    const Addition a = collectAddition({dir.path()}, slides, {files[7]});
    EXPECT_EQ(a.entries, QStringList({files[1], files[0], files[2], files[3], files[4], files[5],
                                      files[6], files[10]}));
    EXPECT_EQ(a.leftOut, 2);
    EXPECT_EQ(a.alreadyListed, 1);
    const Addition cancelled = collectAddition({dir.path()}, slides, {}, [](int) { return false; });
    EXPECT_TRUE(cancelled.cancelled && cancelled.entries.isEmpty());
}

// While the files are gathered the panel goes on: after half a second it shows the progress,
// and Cancel there drops the addition.
TEST(ListAdditions, CancelDropsAnAdditionUnderWay) {
    ProgramHarness h;
    QListWidget list;
    QSemaphore entered, gate;
    const auto held = [&](const QString&) { return entered.release(), gate.acquire(), true; };
    ListFiller filler(h.program, &list, keys::kPictures, ListRules{held, false}, {});
    QTemporaryDir dir;
    touch(dir, {"1.jpg", "2.jpg", "3.jpg"});
    filler.add({dir.path()});
    QProgressDialog* progress = nullptr;
    ASSERT_TRUE(QTest::qWaitFor([&] { return (progress = list.findChild<QProgressDialog*>()); }));
    EXPECT_TRUE(entered.tryAcquire(1, 5000));
    QTest::mouseClick(progress->findChild<QPushButton*>(), Qt::LeftButton);
    gate.release(3);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !filler.adding(); }));
    EXPECT_EQ(list.count(), 0);
    EXPECT_TRUE(h.fakes.store->log().empty());
}

TEST(ListAdditions, PlaylistsOfEachFormatNameTheirFiles) {
    const std::pair<const char*, QByteArray> files[] = {
        {"mix.m3u",
         "#EXTM3U\n#EXTINF:123,A title\nrel/one.mp3\r\n\n/abs/two.wav\n"
         "http://radio.example/stream.mp3\nfile:///abs/three.mid\nCaf\xE9"},
        {"mix.pls",
         "[playlist]\nFile2=/abs/two.wav\nSize7=/abs/x.mp3\nFile1=rel/one.mp3\n"
         "File3=file:///abs/three.mid\nFile4=http://x.example/a.mp3\n"
         "file5=Caf\xC3\xA9\nNumberOfEntries=5\n"},
    };
    QTemporaryDir dir;
    const QStringList expected = {dir.filePath(QStringLiteral("rel/one.mp3")), "/abs/two.wav",
                                  "/abs/three.mid", dir.filePath(QStringLiteral("Caf\u00E9"))};
    for (const auto& [name, bytes] : files) {
        QFile file(dir.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        file.close();
        EXPECT_EQ(readPlaylist(file.fileName()), expected) << name;
    }
}

// A display double that also notes the background colour it is given.
struct ColourDisplay : RecordingDisplay {
    ColourDisplay(Program& program, WindowLog& windows)
        : RecordingDisplay(program, windows), log(windows) {}
    void setBackgroundColour(std::int32_t colour) override {
        log.add(QStringLiteral("display background %1").arg(colour));
    }
    WindowLog& log;
};

struct PanelHarness {
    PanelHarness() {
        useRecordingWindows(h.program, windows);
        h.program.setDisplayFactory(
            [this](Program& p) { return std::make_unique<ColourDisplay>(p, windows); });
        h.program.setPanelFactory([](Program& p) { return std::make_unique<ControlPanel>(p); });
        set(keys::kMouseSens, QStringLiteral("15"));
    }

    // Stored before the panel opens; the store's log starts empty after each.
    void set(const QString& key, const QString& value) {
        store().write(keys::kSettings, key, value);
        store().clearLog();
    }
    void setList(const QString& section, const QStringList& entries) {
        StoredList(store(), section).rewrite(entries);
        store().clearLog();
    }
    // A disc whose track i lasts lengths[i - 1].
    void insertDisc(const QStringList& lengths) {
        auto& r = h.fakes.media->responses;
        r[QStringLiteral("status cd number of tracks")] = {0, QString::number(lengths.size())};
        for (int i = 0; i < lengths.size(); ++i) {
            r[QStringLiteral("status cd length track %1").arg(i + 1)] = {0, lengths[i]};
        }
    }
    QStringList list(const QString& s) const { return StoredList(store(), s).readAll(); }
    QString setting(const QString& key) const { return store().read(keys::kSettings, key, {}); }
    // The "Settings" keys written since the log was cleared, in order, as "key=value"; the writes
    // of one batch are parted by ";", the batches by "|".
    QString written() const {
        QString text;
        int batch = -1;
        for (const auto& w : store().log()) {
            if (w.section == keys::kSettings) {
                const char* gap = text.isEmpty() ? "" : batch == w.batch ? ";" : "|";
                text += gap + w.key + u'=' + w.value.value_or(QString());
                batch = w.batch;
            }
        }
        return text;
    }

    // Loads and shows the panel, so that its controls have their geometry.
    ControlPanel* open() {
        h.program.panel()->showWindow();
        [[maybe_unused]] const bool exposed = QTest::qWaitForWindowExposed(panel());
        return panel();
    }
    ControlPanel* panel() const { return dynamic_cast<ControlPanel*>(h.program.panelIfLoaded()); }
    template <class T = QWidget>
    T* find(const QString& name) const {
        return panel()->findChild<T*>(name);
    }
    // The entries of a list box, which the store holds alike.
    void expectList(const QString& box, const QString& section, const QStringList& expected) {
        EXPECT_EQ(items(box), expected);
        EXPECT_EQ(list(section), expected);
    }
    QStringList items(const QString& list) const { return listTexts(find<QListWidget>(list)); }
    // Lets events run until the additions to a list box under way are written or dropped.
    bool finishAdding(const QString& list) {
        const ListFiller* filler = find<QListWidget>(list)->findChild<ListFiller*>();
        return QTest::qWaitFor([filler] { return !filler->adding(); }, 20000);
    }
    void drop(const QString& list, const QString& path) {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(path)});
        auto* viewport = find<QListWidget>(list)->viewport();
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(viewport, &enter);
        EXPECT_TRUE(enter.isAccepted());
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(viewport, &drop);
    }
    // A press and release of the mouse over a control, or over entry `row` of a list box.
    void click(const QString& name) { QTest::mouseClick(find(name), Qt::LeftButton); }
    void clickRow(const QString& list, int row) {
        auto* box = find<QListWidget>(list);
        QTest::mouseClick(box->viewport(), Qt::LeftButton, {},
                          box->visualItemRect(box->item(row)).center());
    }
    MemorySettingsStore& store() const { return *h.fakes.store; }
    QStringList commands() const { return h.fakes.media->commands(); }

    TempEnv env;
    WindowLog windows;  // outlives the windows that write to it
    ProgramHarness h;
};

TEST(PanelSettings, OpeningShowsTheStoredSettingsWithinTheirLimits) {
    struct Case {
        const char* stored;  // "key=value;..."
        // Which boxes end up checked: slideshow, random order, every monitor, animate, stretch,
        // background music, chime, random play, music only, play now, start-up, idle time, desktop
        // lock.
        const char* checked;
        const char* numbers;  // size, delay and sensitivity as the boxes show them / in the record
        const char* written;  // by the reactions of the boxes that changed
        QStringList windows;
    };
    // clang-format off
    const Case cases[] = {
        {"", "00101010000001", "2;5;15;10 / 2;5;15",
         "Slides=0|Random order=0|MusicNow=0", {}},
        // A box takes only 0 and 1; numbers beyond the limits are brought within them.
        {"Slidesize=7;delay=45;Mousesens=45;animate=2;screensize=1;BackColors=16711680;"
         "IdleMinutes=300;AllowLock=0;EveryMonitor=0",
         "00001110000010", "5;15;30;240 / 7;45;45",
         "Slides=0|Random order=0|screensize=1|Slidesize=5|Slidesize=5|MusicNow=0|AllowLock=0|"
         "EveryMonitor=0|IdleMinutes=240", {}},
        // Unreadable numbers keep what the box shows, not the limit's 1.
        {"delay=soon;Mousesens=;MusicNow=1;AutoStartup=1;IdleMinutes=x",
         "00101010001101", "2;9;15;10 / 2;9;0",
         "Slides=0|Random order=0|AutoStartup=1", {"tray load"}},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        PanelHarness p;
        for (const QString& s : QString::fromLatin1(c.stored).split(u';', Qt::SkipEmptyParts)) {
            p.set(s.section(u'=', 0, 0), s.section(u'=', 1));
        }
        p.h.program.settings.delay = 9;  // what an earlier read left
        ASSERT_NE(p.open(), nullptr);
        QString checked;
        for (const QCheckBox* box : p.panel()->preferences->findChildren<QCheckBox*>()) {
            checked += box->isChecked() ? u'1' : u'0';
        }
        EXPECT_EQ(checked, c.checked);
        const SettingsRecord& r = p.h.program.settings;
        const auto text = [&p](QLatin1String box) { return p.find<QLineEdit>(box)->text(); };
        EXPECT_EQ(QStringList({text(kSizeBox), text(kDelayBox), text(kSensitivityBox),
                               text(kIdleMinutesBox)})
                          .join(u';') +
                      QStringLiteral(" / %1;%2;%3").arg(r.slideSize).arg(r.delay).arg(r.mouseSens),
                  c.numbers);
        EXPECT_EQ(p.written(), c.written);
        EXPECT_EQ(p.windows.entries, c.windows);
        EXPECT_EQ(p.panel()->preferences->colours->swatch()->palette().color(QPalette::Window),
                  ColourSelector::toColor(r.backColors));
        EXPECT_EQ(p.h.program.cursor().count(), 1) << "the cursor shows once";
    }
}

TEST(PanelSettings, OpeningFillsTheListsPreviewsTheFirstSlideAndOpensTheDrive) {
    PanelHarness p;
    const QString picture = writePicture(p.env.configHome());
    p.setList(keys::kPictures, {picture, "/p/c.gif"});
    // CD entries of other lengths, one not on this disc and one not starting with "CD".
    p.setList(keys::kMusic,
              {"/m/a.mp3", "0", "CD Track [ 2 ] 00:01:00 CD", "CD Track [ 1 ] 00:01:00 CD",
               "CD Track [ 3 ] x CD", "cd Track [ 1 ] x"});
    p.h.fakes.drives->drives = {"/dev/sr0"};
    p.insertDisc({"00:04:00", "00:05:55"});
    p.open();
    EXPECT_EQ(p.items(kSlideList), QStringList({picture, "/p/c.gif"}));
    EXPECT_EQ(p.find<QLineEdit>(kFileBox)->text(), picture);
    EXPECT_TRUE(p.find<SlidePreview>(kPreview)->hasPicture());
    // A CD entry takes its track's text from the disc in the drive.
    p.expectList(kPlaylist, keys::kMusic,
                 {"/m/a.mp3", "Empty", "CD Track [ 2 ] 00:05:55 CD", "CD Track [ 1 ] 00:04:00 CD",
                  "CD Track [ 3 ] x CD", "cd Track [ 1 ] x"});
    const QString open = QStringLiteral("open  /dev/sr0 type cdaudio alias cd wait shareable");
    EXPECT_EQ(p.commands().mid(7),
              QStringList({"close cd", open, "set cd time format tmsf", "stop cd", "close cd", open,
                           "set cd time format tmsf"}))
        << "after the disc's tracks are listed";
}

// Each box stores its key when the user changes it; some set the show's record, the last two load
// the tray and place the start-up shortcut.
TEST(PanelSettings, EachBoxStoresItsKeyAtOnceAndSomeSetTheShow) {
    struct Case {
        QLatin1String box;
        const char* key;  // nullptr: stored only by a save
        std::int16_t SettingsRecord::*field;
    };
    // clang-format off
    const Case cases[] = {
        {kSlideshowBox, "Slides", &SettingsRecord::slides}, {kRandomOrderBox, "Random order", nullptr},
        {kAnimateBox, "animate", &SettingsRecord::animate},
        {kStretchBox, "screensize", &SettingsRecord::screenSize},
        {kBackgroundMusicBox, "Bsound", nullptr}, {kChimeBox, "Asound", nullptr},
        {kMusicOnlyBox, "MusicOnly", &SettingsRecord::musicOnly}, {kRandomPlayBox, nullptr, nullptr},
        {kPlayNowBox, "MusicNow", nullptr}, {kAutoStartBox, "AutoStartup", nullptr},
        {kAllowLockBox, "AllowLock", &SettingsRecord::allowLock},
        {kEveryMonitorBox, "EveryMonitor", &SettingsRecord::everyMonitor},
        {kFadeBox, "Fade", &SettingsRecord::fade},
    };
    // clang-format on
    PanelHarness p;
    p.open();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.box.data());
        for (int round = 0; round < 2; ++round) {
            p.store().clearLog();
            p.click(QString(c.box) + QStringLiteral("Caption"));  // the caption toggles its box
            const int state = p.find<QCheckBox>(c.box)->isChecked() ? 1 : 0;
            if (c.field != nullptr) {
                EXPECT_EQ(p.h.program.settings.*c.field, state);
            }
            EXPECT_EQ(p.written(),
                      c.key == nullptr ? QString() : QStringLiteral("%1=%2").arg(c.key).arg(state));
        }
    }
    EXPECT_EQ(p.windows.entries, QStringList({"tray load", "tray unload"}));
    ASSERT_EQ(p.h.fakes.shortcuts->calls.size(), 2u);
    EXPECT_EQ(p.h.fakes.shortcuts->calls[0].operation + p.h.fakes.shortcuts->calls[1].operation,
              QStringLiteral("createremove"));
}

// "Start the slideshow after" stores its minutes (10 at first, then the field's within 1 to 240),
// keeps the watcher's start-up entry where no tray process starts with the session, and starts or
// ends the watcher.
TEST(PanelSettings, TheIdleBoxStoresItsMinutesAndStartsOrEndsTheWatcher) {
    PanelHarness p;
    p.open();
    p.store().clearLog();
    p.click(QString(kIdleBox) + QStringLiteral("Caption"));
    p.find<QLineEdit>(kIdleMinutesBox)->setText(QStringLiteral("300"));
    p.click(QString(kAutoStartBox) + QStringLiteral("Caption"));
    p.click(QString(kIdleBox) + QStringLiteral("Caption"));
    EXPECT_EQ(p.written(),
              "IdleMinutes=10|IdleMinutes=240|IdleMinutes=240|AutoStartup=1|IdleMinutes=0");
    QStringList shortcuts;
    for (const auto& call : p.h.fakes.shortcuts->calls) {
        shortcuts.append(call.operation + u' ' + call.linkName + u' ' + call.arguments);
    }
    EXPECT_EQ(shortcuts, QStringList({"create LumaIdle --idle", "remove LumaIdle ", "create LumaS ",
                                      "remove LumaIdle "}));
    EXPECT_EQ(p.h.fakes.watcher->calls,
              QStringList({"start " + saverTarget(p.h.program.programFolder()), "stop"}));
}

// The colour bars start at zero whatever colour is stored, and recolour the swatch, the show's
// record and a loaded display.
TEST(PanelSettings, ColourBarsRecolourTheSwatchAndTheDisplay) {
    PanelHarness p;
    p.set(keys::kBackColors, QStringLiteral("16711680"));
    p.open();
    p.h.program.display();
    p.find<QScrollBar>(kGreenBar)->setValue(128);
    p.find<QScrollBar>(kRedBar)->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    p.find<QScrollBar>(kBlueBar)->triggerAction(QAbstractSlider::SliderPageStepAdd);
    const int colour = 10 + 128 * 256 + 20 * 65536;
    EXPECT_EQ(p.h.program.settings.backColors, colour);
    EXPECT_EQ(p.panel()->preferences->colours->swatch()->palette().color(QPalette::Window),
              QColor(10, 128, 20));
    EXPECT_EQ(p.windows.entries.last(), QStringLiteral("display background %1").arg(colour));
}

// Each way out of the panel in both states of "MusicNow": what is saved (all seventeen keys in one
// write) and written by the unload, whether the music stops, and what is left running.
TEST(PanelClosing, EachWayOutSavesUnloadsAndEndsOrLeavesTheTray) {
    struct Case {
        QLatin1String button;  // empty: the close box
        bool musicNow, autoStart, failingStore, unloads, ends;
        const char* written;  // "*": every key a save writes
    };
    const QLatin1String closeBox;
    // clang-format off
    const Case cases[] = {
        {kJustCloseButton, false, false, false, true, true, "AutoStartup=0"},
        {kJustCloseButton, true, false, false, false, false, ""},
        {kSaveAndCloseButton, false, false, false, true, true, "*|AutoStartup=0"},
        {kSaveAndCloseButton, true, false, false, false, false, "*"},
        {kSaveAndCloseButton, true, false, true, true, true, ""},  // the save failed
        {kSaveSettingsButton, true, false, false, false, false, "*"},
        {closeBox, false, false, false, true, true, "AutoStartup=0"},
        {closeBox, true, false, false, true, false, "AutoStartup=0"},
        {closeBox, false, true, false, true, true, "AutoStartup=1"},
        {kShutDownButton, true, false, false, true, true, "AutoStartup=0"},
    };
    // clang-format on
    const QString saved = QStringLiteral(
        "Slides=0;Random order=0;animate=1;screensize=0;Slidesize=2;delay=9;Bsound=1;Randomplay=0;"
        "Asound=0;MusicOnly=0;MusicNow=%1;AutoStartup=%2;Mousesens=15;BackColors=0;AllowLock=1;"
        "EveryMonitor=1;Fade=0;IdleMinutes=0");
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << &c - cases);
        PanelHarness p;
        p.set(keys::kMusicNow, QString::number(c.musicNow));
        p.set(keys::kAutoStartup, QString::number(c.autoStart));
        // A copy of the saver in the autostart folder goes with the unload when start-up is off.
        const QString copy = xdgAutostartFolder() + u'/' + QCoreApplication::applicationName();
        ASSERT_TRUE(QDir().mkpath(xdgAutostartFolder()) &&
                    QFile(copy + ".scr").open(QFile::WriteOnly));
        p.open();
        p.find<QLineEdit>(kDelayBox)->setText(QStringLiteral("9"));
        p.find<QCheckBox>(kRandomPlayBox)->setChecked(false);  // no reaction: stored by a save
        p.store().clearLog();
        p.store().setFailWrites(c.failingStore);
        c.button.isEmpty() ? void(p.panel()->close()) : p.click(c.button);
        EXPECT_EQ(p.written(), QString::fromLatin1(c.written).replace(
                                   u'*', saved.arg(int(c.musicNow)).arg(int(c.autoStart))));
        EXPECT_EQ(p.commands().contains(u"close midi"), c.unloads) << "the music stops";
        EXPECT_EQ(QFile::exists(copy + ".scr"), !c.unloads || c.autoStart);
        EXPECT_EQ(p.h.program.hasEnded(), c.ends);
        EXPECT_EQ(p.panel() != nullptr, !c.ends);
        EXPECT_EQ(p.panel() != nullptr && p.panel()->isShown(), c.button == kSaveSettingsButton);
        EXPECT_EQ(p.h.program.trayIfLoaded() != nullptr, !c.ends && c.musicNow);
    }
}

// "Test" starts what the settings ask for and gets the panel out of the way; music without a
// display leaves a way to stop it: the tray icon, or the panel where there is no notification area.
// Pressed again, it starts the show over from the current settings while the music plays on.
TEST(PanelClosing, TestStartsTheShowOrTheMusicAndHidesThePanel) {
    struct Case {
        bool musicOnly, notificationArea;
        QStringList windows, again;
    };
    // clang-format off
    const Case cases[] = {
        {false, true, {"player load", "display load", "display show"}, {"display unload", "display load", "display show"}},
        {true, true, {"player load", "tray load"}, {}},
        {true, false, {"player load", "tray load"}, {}}};
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.musicOnly << c.notificationArea);
        PanelHarness p;
        p.set(keys::kMusicOnly, QString::number(c.musicOnly));
        p.setList(keys::kMusic, {"/m/a.wav"});
        p.h.fakes.notificationArea->available = c.notificationArea;
        p.open();
        p.windows.entries.clear();
        p.click(kTestButton);
        EXPECT_EQ(p.windows.entries, c.windows);
        EXPECT_TRUE(p.commands().contains(u"open waveaudio!/m/a.wav alias sound"));
        EXPECT_EQ(p.panel()->isShown(), !c.notificationArea);
        p.windows.entries.clear();
        p.panel()->showWindow();
        p.click(kTestButton);
        EXPECT_EQ(p.windows.entries, c.again);
        EXPECT_TRUE(p.panel()->music->music().waveEndPoll.isEnabled());
    }
}

// Each link opens its target at the press of any button, red while pressed and blue once visited;
// its underline runs in its colour just below the text.
TEST(PanelLooks, EachLinkOpensItsTargetAndTurnsRedThenBlue) {
    const QString mail = QStringLiteral("mailto:" LUMAFOLIO_TEST_SUPPORT_EMAIL);
    // clang-format off
    const std::tuple<QLatin1String, int, QString> links[] = {
        {kPictureSiteLink, 3, "https://commons.wikimedia.org/"}, {kSupportLink, 3, mail},
        {kMakerLink, 4, LUMAFOLIO_TEST_MAKER_URL}, {kSupportAddressLink, 4, mail}};
    // clang-format on
    PanelHarness p;
    p.open();
    for (const auto& [name, tab, target] : links) {
        SCOPED_TRACE(name.data());
        p.find<QTabWidget>(kTabs)->setCurrentIndex(tab);
        auto* link = p.find<LinkLabel>(name);
        const QFrame* line = link->underline();
        EXPECT_EQ(link->underlineColour(), line ? link->colour() : QColor());
        EXPECT_TRUE(line == nullptr || (line->height() == 2 && line->y() > link->height() / 2));
        QTest::mousePress(link, Qt::LeftButton);
        EXPECT_EQ(link->colour(), LinkLabel::kPressed);
        QTest::mouseMove(link, QPoint(1, 1));  // holding the button opens nothing more
        QTest::mouseRelease(link, Qt::LeftButton);
        EXPECT_EQ(link->colour(), LinkLabel::kVisited);
        EXPECT_EQ(link->underlineColour(), line ? LinkLabel::kVisited : QColor());
        QTest::mouseClick(link, Qt::RightButton);  // any button opens it
        EXPECT_EQ(p.h.fakes.shell->opened, QStringList({target, target}));
        p.h.fakes.shell->opened.clear();
    }
}

// Every caption on every tab and in the bottom row has the room its text needs.
TEST(PanelLooks, EveryCaptionHasRoom) {
    PanelHarness p;
    p.h.fakes.drives->drives = {"/dev/sr0", "/dev/sr1"};
    auto* tabs = p.open()->tabs;
    for (int i = 0; i <= tabs->count(); ++i) {
        QWidget* page = i < tabs->count() ? tabs->widget(i) : p.panel();
        tabs->setCurrentIndex(std::min(i, tabs->count() - 1));
        QCoreApplication::processEvents();
        for (QWidget* w : page->findChildren<QWidget*>()) {
            SCOPED_TRACE(testing::Message() << i << ' ' << qPrintable(w->objectName()));
            const auto* label = qobject_cast<const QLabel*>(w);
            const auto* button = qobject_cast<const QAbstractButton*>(w);
            if (!w->isVisibleTo(page)) {
                continue;
            } else if (label && !label->text().isEmpty()) {
                EXPECT_GE(label->height(), label->wordWrap() ? label->heightForWidth(label->width())
                                                             : label->sizeHint().height());
                EXPECT_GE(label->width(), label->wordWrap() ? 0 : label->sizeHint().width());
            } else if (button && !button->text().isEmpty()) {
                const QFontMetrics fm = button->fontMetrics();
                EXPECT_GE(button->width(),
                          fm.horizontalAdvance(button->text()) + 2 * kCaptionPadding);
                EXPECT_GE(button->height(), fm.height());
            }
            EXPECT_TRUE(w->parentWidget() != page || page->rect().contains(w->geometry()));
        }
    }
}

// The slide list: a remove needs a selection and keeps only pictures, a shuffle too; several
// files chosen at once and a folder dropped from a file manager are added together; each is one
// write, and the panel says what it left out.
TEST(PanelLists, SlidesAreAddedShuffledAndRemovedInOneWriteEach) {
    PanelHarness p;
    p.setList(keys::kPictures, {"a.jpg", "b.gif", "c.txt", "d.jpg"});
    p.open();
    p.click(kRemoveSlideButton);
    p.h.fakes.random->values = {0.9, 0.9};
    p.click(kRandomizeButton);
    EXPECT_EQ(p.list(keys::kPictures), QStringList({"d.jpg", "a.jpg", "b.gif"}));
    EXPECT_EQ(p.h.fakes.random->reseeds, 2) << "reseeded before each draw";
    p.clickRow(kSlideList, 1);
    EXPECT_EQ(p.setting(keys::kAniFile), QStringLiteral("a.jpg")) << "a click chooses the slide";
    p.click(kRemoveSlideButton);
    p.expectList(kSlideList, keys::kPictures, {"d.jpg", "b.gif"});

    QTemporaryDir dir;
    const QStringList files =
        touch(dir, {"b.jpg", "c.txt", "photos/2.jpg", "photos/10.jpg", "e.gif"});
    p.h.fakes.fileDialog->answers = {files.mid(0, 2)};
    p.click(kBrowsePicturesButton);
    p.click(kAddPictureButton);
    p.drop(kSlideList, dir.filePath(QStringLiteral("photos")));
    EXPECT_FALSE(p.list(keys::kPictures).contains(files[2])) << "gathered while the panel goes on";
    ASSERT_TRUE(p.finishAdding(kSlideList));
    p.expectList(kSlideList, keys::kPictures, {"d.jpg", "b.gif", files[0], files[2], files[3]});
    p.drop(kSlideList, dir.filePath(QStringLiteral("photos")));
    ASSERT_TRUE(p.finishAdding(kSlideList));
    EXPECT_EQ(p.items(kSlideList).size(), 5);
    const auto& said = p.h.fakes.messageBox->calls;
    ASSERT_EQ(said.size(), 3u);
    EXPECT_EQ(said[0].text, QStringLiteral("select a picture"));
    EXPECT_TRUE(said[1].text.startsWith(u"1 file was left out: the slide"));
    EXPECT_EQ(said[2].text, QStringLiteral("No new files: all 2 are in the list already"));

    // A choice is added once: after its add, or once the box was written again (with the same
    // file too), an add takes the box's text alone.
    auto* file = p.find<QLineEdit>(kFileBox);
    const std::function<void()> rewrites[] = {
        [&p] { p.click(kAddPictureButton); },
        [&p] { p.clickRow(kSlideList, 2); },
        [&] {
            file->clear();
            file->setText(files[0]);
        },
    };
    for (const auto& rewrite : rewrites) {
        SCOPED_TRACE(&rewrite - rewrites);
        p.h.fakes.fileDialog->answers = {{files[0], files[4]}};
        p.click(kBrowsePicturesButton);
        rewrite();
        ASSERT_TRUE(p.finishAdding(kSlideList));
        const QStringList before = p.items(kSlideList);
        p.click(kAddPictureButton);
        EXPECT_EQ(p.items(kSlideList), before + QStringList{files[0]});
    }
}

// A folder is walked while the panel goes on; a panel that goes meanwhile (the tray's shutdown)
// takes the walk with it, and nothing is written.
TEST(PanelLists, AShutdownDuringAFolderWalkDropsTheWalk) {
    PanelHarness p;
    QTemporaryDir dir;
    QStringList names;
    for (int i = 0; i < 6000; ++i)
        names.append(QStringLiteral("f%1/%2.jpg").arg(i / 100).arg(i));
    touch(dir, names);
    p.open();
    const QPointer<QListWidget> list = p.find<QListWidget>(kSlideList);
    QTimer::singleShot(0, [&p] {
        p.h.program.unloadPanel();
        p.h.program.endProgram();
    });
    p.drop(kSlideList, dir.path());
    EXPECT_TRUE(QTest::qWaitFor([&list] { return list.isNull(); }, 20000));
    QTest::qWait(0);
    for (const auto& write : p.store().log()) {
        EXPECT_NE(write.section, keys::kPictures) << write.key.toStdString();
    }
}

// The dialogs open at the path in the tab's box, else at the file chosen last on either tab, else
// in the user's pictures or music folder (home when that is missing). The file box takes what is
// browsed and previews it; "Add" appends it as it stands; a click in it stores its text trimmed.
TEST(PanelLists, TheFileBoxTakesWhatIsBrowsedAndAddedAndPreviewsIt) {
    PanelHarness p;
    const QString picture = writePicture(p.env.configHome());
    p.setList(keys::kPictures, {"/nowhere/missing.jpg"});
    p.open();
    auto* file = p.find<QLineEdit>(kFileBox);
    auto* preview = p.find<SlidePreview>(kPreview);
    const QString pictures = p.env.configHome() + "/Pictures", song = pictures + "/song.mp3";
    QFile userDirs(p.env.configHome() + "/user-dirs.dirs");
    ASSERT_TRUE(QDir().mkpath(pictures) && userDirs.open(QIODevice::WriteOnly));
    userDirs.write(
        ("XDG_PICTURES_DIR=\"" + pictures + "\"\nXDG_MUSIC_DIR=\"/nowhere\"\n").toUtf8());
    userDirs.close();
    const std::tuple<QLatin1String, QString, QLatin1String, QString> starts[] = {
        {kFileBox, "/nowhere/missing.jpg", kAddPictureFolderButton, pictures},
        {kMusicFileBox, "CD Track [ 1 ] 00:04:00 CD", kBrowseMusicButton, QDir::homePath()},
        {kFileBox, "", kBrowsePicturesButton, pictures},  // chooses the picture
        {kMusicFileBox, "", kAddMusicFolderButton, picture},
        {kMusicFileBox, song, kBrowseMusicButton, song},
    };
    p.h.fakes.fileDialog->answers = {{}, {picture}};
    for (const auto& [box, text, button, start] : starts) {
        SCOPED_TRACE(button.data());
        p.find<QLineEdit>(box)->setText(text);
        p.click(button);
        EXPECT_EQ(p.h.fakes.fileDialog->requests.back().start, start);
    }
    EXPECT_EQ(file->text(), picture);
    EXPECT_TRUE(preview->hasPicture());
    file->setText(QStringLiteral(" /p/new.gif "));
    p.click(kAddPictureButton);
    EXPECT_EQ(p.list(keys::kPictures), QStringList({"/nowhere/missing.jpg", " /p/new.gif "}));
    for (const QString& text : {QStringLiteral(" ") + picture, picture}) {
        file->setText(text);
        p.click(kFileBox);
        EXPECT_EQ(p.setting(keys::kAniFile), picture);
        EXPECT_EQ(preview->hasPicture(), text == picture) << "previewed as it stands";
    }
    p.clickRow(kSlideList, 0);
    EXPECT_FALSE(preview->hasPicture());
    EXPECT_FALSE(preview->text().isEmpty()) << "the preview says it cannot show the file";
}

TEST(PanelLists, ThePlaylistTakesSelectionsPlaylistsAndTracksAndARemoveKeepsOnlyMusic) {
    PanelHarness p;
    p.insertDisc({"00:04:00", "00:02:30"});
    p.setList(keys::kMusic, {"/m/a.mp3", "0", "typed name", "/m/b.Wav"});
    QTemporaryDir dir;
    QFile m3u(dir.filePath(QStringLiteral("mix.m3u")));
    ASSERT_TRUE(m3u.open(QIODevice::WriteOnly) && m3u.write("one.mp3\ntwo.txt\ngone.mp3\n") > 0);
    m3u.close();
    touch(dir, {"one.mp3", "two.txt"});
    p.open();
    auto* selection = p.find<QLineEdit>(kMusicFileBox);
    p.h.fakes.fileDialog->answers = {{m3u.fileName()}, {}};
    p.click(kBrowseMusicButton);
    p.click(kBrowseMusicButton);  // cancelled: the choice stands
    p.click(kAddSelectionButton);
    ASSERT_TRUE(p.finishAdding(kPlaylist));
    EXPECT_EQ(p.h.fakes.messageBox->calls.at(0).text.section(u'\n', 1),
              QStringLiteral("1 playlist entry was left out: no such file."));
    selection->setText(QStringLiteral("/m/c.mid"));
    p.click(kAddSelectionButton);
    p.click(kAddAllTracksButton);
    p.clickRow(kTrackList, 1);
    EXPECT_EQ(selection->text(), QStringLiteral("CD Track [ 2 ] 00:02:30 CD"));
    EXPECT_EQ(p.find<QListWidget>(kTrackList)->item(1)->data(Qt::UserRole), 2);
    const QStringList added = {dir.filePath("one.mp3"), "/m/c.mid", "CD Track [ 1 ] 00:04:00 CD",
                               "CD Track [ 2 ] 00:02:30 CD"};
    p.expectList(kPlaylist, keys::kMusic,
                 QStringList({"/m/a.mp3", "Empty", "typed name", "/m/b.Wav"}) + added);
    p.click(kRemoveEntryButton);  // nothing selected: nothing changes
    EXPECT_EQ(p.items(kPlaylist).size(), 8);
    p.clickRow(kPlaylist, 0);
    EXPECT_EQ(selection->text(), QStringLiteral("/m/a.mp3"));
    p.click(kRemoveEntryButton);
    p.expectList(kPlaylist, keys::kMusic, added);
    // A click on the entry of the first file chosen: the choice is used no more.
    p.h.fakes.fileDialog->answers = {{added[0], "/m/x.mp3"}};
    p.click(kBrowseMusicButton);
    p.clickRow(kPlaylist, 0);
    p.click(kAddSelectionButton);
    p.expectList(kPlaylist, keys::kMusic, added + added.mid(0, 1));
}

TEST(PanelLists, PlayStartsTheSelectedEntryByMouseTheNextByKeyboardAndStopStopsIt) {
    PanelHarness p;
    p.setList(keys::kMusic, {"/m/a.wav", "/m/b.mid", "/m/c.wav"});
    p.open();
    auto* play = p.find<QPushButton>(kPlayButton);
    p.click(kPlayButton);  // nothing selected: nothing starts
    p.clickRow(kPlaylist, 2);
    p.click(kPlayButton);
    play->setFocus();
    QTest::keyClick(play, Qt::Key_Space);
    play->click();
    EXPECT_EQ(p.find<QLineEdit>(kMusicFileBox)->text(), QStringLiteral("/m/b.mid"));
    // b.mid ends while the mouse holds "Play" down: the entry selected plays.
    p.clickRow(kPlaylist, 0);
    QTest::mousePress(play, Qt::LeftButton);
    p.h.fakes.media->responses[QStringLiteral("status midi mode")] = {0, "stopped"};
    p.h.fakes.timers->advance(1000);
    EXPECT_EQ(
        p.commands().filter(QRegularExpression(QStringLiteral("^open (wave|seq)"))),
        QStringList({"open waveaudio!/m/c.wav alias sound", "open waveaudio!/m/a.wav alias sound",
                     "open sequencer!/m/b.mid alias midi", "open waveaudio!/m/a.wav alias sound"}));
    PlaylistPlayer& music = p.panel()->music->music();
    EXPECT_TRUE(music.waveEndPoll.isEnabled());
    p.click(kStopButton);
    EXPECT_FALSE(music.waveEndPoll.isEnabled());
    EXPECT_EQ(p.h.fakes.log.last(), QStringLiteral("mp3 stop"));
    // Play putting the first file chosen into the box: the choice is used no more.
    p.h.fakes.fileDialog->answers = {{"/m/c.wav", "/m/x.wav"}};
    p.click(kBrowseMusicButton);
    play->click();  // the next entry, /m/c.wav
    p.click(kAddSelectionButton);
    EXPECT_EQ(p.items(kPlaylist).mid(3), QStringList{"/m/c.wav"});
}

TEST(PanelLists, DriveButtonsChooseTheDriveAndTracksAreListedAgainOnRequest) {
    PanelHarness p;
    p.h.fakes.drives->drives = {"d:\\", "/dev/sr1"};
    p.insertDisc({"00:04:00", "00:02:30", "00:01:00"});
    p.open();
    CdDriveButtons* buttons = p.panel()->sound->driveButtons;
    auto* drive = p.find<QLabel>(kDriveLabel);
    EXPECT_EQ(drive->text(), QStringLiteral("CD Drive:D:\\"));
    p.h.fakes.media->calls.clear();
    QTest::mouseClick(buttons->button(1), Qt::LeftButton);
    EXPECT_EQ(p.commands().join(u';'),
              QStringLiteral("stop cd;close cd;open  /dev/sr1 type cdaudio alias cd wait "
                             "shareable;set cd time format tmsf"));
    EXPECT_EQ(drive->text(), QStringLiteral("CD Drive:/dev/sr1"));
    p.h.fakes.drives->drives = {"/dev/sr1"};
    p.panel()->findCdDrives();
    EXPECT_EQ(p.h.program.currentCdDrive, QStringLiteral("/dev/sr1")) << "kept by a rescan";
    EXPECT_EQ(buttons->button(1), nullptr);
    // A failed open empties the track list and keeps the count last shown.
    p.h.fakes.media->responses[QStringLiteral("open cdaudio alias cd")] = {276, {}};
    p.click(kLoadTracksButton);
    EXPECT_EQ(p.find<QLabel>(kTrackCount)->text(), QStringLiteral("3"));
    EXPECT_EQ(p.find<QListWidget>(kTrackList)->count(), 0);
}

}  // namespace
}  // namespace luma::test
