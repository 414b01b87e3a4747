// Opening the panel: the stored settings and lists come into the controls, and the controls that
// change run their reactions.
#include "PanelHarness.h"
#include "panel/ControlIds.h"

#include "panel/ColourSelector.h"
#include "panel/PreferencesTab.h"
#include "panel/SlidePreview.h"
#include "settings/SettingsKeys.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>

namespace luma::paneltest {
namespace {

const QStringList kAllChecks = {panel_ids::kSlideshowBox,       panel_ids::kRandomOrderBox,
                                panel_ids::kAnimateBox,         panel_ids::kStretchBox,
                                panel_ids::kBackgroundMusicBox, panel_ids::kRandomPlayBox,
                                panel_ids::kChimeBox,           panel_ids::kMusicOnlyBox,
                                panel_ids::kPlayNowBox,         panel_ids::kAutoStartBox};

// The boxes of the "Preferences" tab that are checked, in the tab's order.
QStringList checkedBoxes(PanelHarness& p) {
    QStringList checked;
    for (const QString& name : kAllChecks) {
        if (p.find<QCheckBox>(name)->isChecked()) {
            checked.append(name);
        }
    }
    return checked;
}

TEST(PanelOpening, EmptyStoreChangesThreeReactingBoxesAndStoresTheirKeys) {
    PanelHarness p;  // only "Mousesens" is stored
    ASSERT_NE(p.open(), nullptr);
    EXPECT_EQ(checkedBoxes(p),
              QStringList({panel_ids::kAnimateBox, panel_ids::kBackgroundMusicBox}));
    EXPECT_EQ(p.find<QLineEdit>(panel_ids::kDelayBox)->text(), QStringLiteral("5"));
    EXPECT_EQ(p.find<QLineEdit>(panel_ids::kSizeBox)->text(), QStringLiteral("2"));
    EXPECT_EQ(p.find<QLineEdit>(panel_ids::kSensitivityBox)->text(), QStringLiteral("15"));
    // randomPlayBox changes too but has no reaction.
    EXPECT_EQ(p.writtenSettings(), QStringList({"Slides=0", "Random order=0", "MusicNow=0"}));
    const SettingsRecord& r = p.h.program.settings;
    EXPECT_EQ(r.slides, 0);
    EXPECT_EQ(r.animate, 1);
    EXPECT_EQ(r.delay, 5);
    EXPECT_EQ(r.slideSize, 2);
    EXPECT_EQ(r.bsound, 1);
    EXPECT_EQ(r.mouseSens, 15);
    EXPECT_TRUE(p.events.isEmpty()) << p.events.join(u';').toStdString();
}

TEST(PanelOpening, WithoutAStoredSensitivityTheBoxKeepsFifteenAndASaveStoresIt) {
    PanelHarness p;
    p.store().apply(keys::kSettings, {SettingsWrite{keys::kMouseSens, std::nullopt}});
    ASSERT_NE(p.open(), nullptr);
    EXPECT_EQ(p.find<QLineEdit>(panel_ids::kSensitivityBox)->text(), QStringLiteral("15"));
    clickWithMouse(p.find<QPushButton>(panel_ids::kSaveSettingsButton));
    EXPECT_EQ(p.setting(keys::kMouseSens), u"15") << "not the most sensitive 1";
}

TEST(PanelOpening, WindowIsTheFixedCentredPanelOfTheDesignSizeOnItsPreferencesTab) {
    PanelHarness p;
    ControlPanel* w = p.open();
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Make a Lumafolio"));
    // The client area is the design size times the scale factor, fixed, without minimise or
    // maximise buttons.
    const double scale = w->screen()->logicalDotsPerInch() / 96.0;
    EXPECT_NEAR(w->width(), 545 * scale, 1);
    EXPECT_NEAR(w->height(), 385 * scale, 1);
    EXPECT_EQ(w->minimumSize(), w->maximumSize());
    EXPECT_FALSE(w->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(w->windowFlags() & Qt::WindowMaximizeButtonHint);
    auto* tabs = p.find<QTabWidget>(panel_ids::kTabs);
    ASSERT_EQ(tabs->count(), 5);
    QStringList captions;
    for (int i = 0; i < tabs->count(); ++i) {
        captions.append(tabs->tabText(i));
    }
    EXPECT_EQ(captions, QStringList({"Slides", "Sound", "Preferences", "Help", "About/Admin"}));
    EXPECT_EQ(tabs->currentIndex(), 2);
    const QRect screen = w->screen()->geometry();
    EXPECT_NEAR(w->x() + w->width() / 2, screen.center().x(), 2);
    EXPECT_NEAR(w->y() + w->height() / 2, screen.center().y(), 2);
    EXPECT_EQ(p.h.program.cursor().count(), 1) << "the load shows the cursor once";
}

TEST(PanelOpening, StoredValuesAreConvertedAndLimited) {
    PanelHarness p;
    p.setSetting(keys::kSlideSize, QStringLiteral("7"));
    p.setSetting(keys::kDelay, QStringLiteral("2.5"));
    p.setSetting(keys::kMouseSens, QStringLiteral("45"));
    p.setSetting(keys::kAnimate, QStringLiteral("2"));  // a box takes only 0 and 1
    p.setSetting(keys::kScreenSize, QStringLiteral("1"));
    p.setSetting(keys::kBackColors, QStringLiteral("16711680"));
    p.open();
    EXPECT_EQ(p.find<QLineEdit>(panel_ids::kSizeBox)->text(), QStringLiteral("5"));
    EXPECT_EQ(p.setting(keys::kSlideSize), QStringLiteral("5"));
    EXPECT_EQ(p.find<QLineEdit>(panel_ids::kDelayBox)->text(), QStringLiteral("2"))
        << "2.5 rounds to even";
    EXPECT_EQ(p.find<QLineEdit>(panel_ids::kSensitivityBox)->text(), QStringLiteral("30"));
    EXPECT_TRUE(p.find<QCheckBox>(panel_ids::kAnimateBox)->isChecked());
    EXPECT_TRUE(p.find<QCheckBox>(panel_ids::kStretchBox)->isChecked());
    EXPECT_EQ(p.h.program.settings.screenSize, 1);
    EXPECT_EQ(p.h.program.settings.backColors, 16711680);
    EXPECT_EQ(p.panel()->preferences->colours->swatch()->palette().color(QPalette::Window),
              QColor(0, 0, 255));
}

TEST(PanelOpening, AbsentSizeTakesTheNumberTheBoxShowsAndUnreadableValuesKeepTheField) {
    PanelHarness p;
    p.setSetting(keys::kDelay, QStringLiteral("soon"));
    p.h.program.settings.delay = 9;  // what an earlier read left
    p.open();
    EXPECT_EQ(p.find<QLineEdit>(panel_ids::kDelayBox)->text(), QStringLiteral("9"));
    EXPECT_EQ(p.h.program.settings.slideSize, 2);
    EXPECT_FALSE(p.writtenSettings().contains(QStringLiteral("Slidesize=2")))
        << "the box did not change, so its reaction did not run";
}

TEST(PanelOpening, StoredTrayAndStartUpSettingsActAtLoad) {
    PanelHarness p;
    p.setSetting(keys::kMusicNow, QStringLiteral("1"));
    p.setSetting(keys::kAutoStartup, QStringLiteral("1"));
    p.open();
    EXPECT_TRUE(p.find<QCheckBox>(panel_ids::kPlayNowBox)->isChecked());
    EXPECT_EQ(p.events, QStringList({"tray load"}));
    ASSERT_EQ(p.h.fakes.shortcuts->calls.size(), 1u);
    EXPECT_EQ(p.h.fakes.shortcuts->calls[0].operation, QStringLiteral("create"));
    EXPECT_EQ(p.h.fakes.shortcuts->calls[0].linkName, QStringLiteral("LumaS"));
}

TEST(PanelOpening, ListsComeInWithEmptyForMissingItemsAndTheFirstSlideIsPreviewed) {
    PanelHarness p;
    const QString picture = writePicture(p.env.configHome(), QStringLiteral("first.bmp"));
    p.setList(keys::kPictures, {picture, "0", "/p/c.gif"});
    p.setList(keys::kMusic, {"/m/a.mp3", "0", "/m/c.wav"});
    p.store().apply(keys::kPictures, {SettingsWrite{QStringLiteral("2"), std::nullopt}});
    p.open();
    EXPECT_EQ(p.items(panel_ids::kSlideList), QStringList({picture, "Empty", "/p/c.gif"}));
    EXPECT_EQ(p.items(panel_ids::kPlaylist), QStringList({"/m/a.mp3", "Empty", "/m/c.wav"}));
    EXPECT_EQ(p.find<QLineEdit>(panel_ids::kFileBox)->text(), picture);
    EXPECT_TRUE(p.find<SlidePreview>(panel_ids::kPreview)->hasPicture());
}

TEST(PanelOpening, LoadListsTheDiscFindsTheDrivesAndReopensTheDrive) {
    PanelHarness p;
    p.h.fakes.drives->drives = {"/dev/sr0"};
    p.h.fakes.media->responses[QStringLiteral("status cd number of tracks")] = {0, "2"};
    p.open();
    EXPECT_EQ(
        p.commands(),
        QStringList(
            {"stop cd", "close cd", "open cdaudio alias cd", "status cd number of tracks",
             "set cd time format hms", "status cd length track 1", "status cd length track 2",
             "close cd", "open  /dev/sr0 type cdaudio alias cd wait shareable",
             "set cd time format tmsf", "stop cd", "close cd",
             "open  /dev/sr0 type cdaudio alias cd wait shareable", "set cd time format tmsf"}));
    EXPECT_EQ(p.h.program.currentCdDrive, QStringLiteral("/dev/sr0"));
}

}  // namespace
}  // namespace luma::paneltest
