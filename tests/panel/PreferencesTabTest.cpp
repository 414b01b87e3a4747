// The preference controls' own reactions: stored keys, record fields, limits, tray, shortcut and
// the colour bars.
#include "PanelHarness.h"
#include "panel/ControlIds.h"

#include "panel/ColourSelector.h"
#include "panel/PreferencesTab.h"
#include "settings/SettingsKeys.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>

namespace luma::paneltest {
namespace {

TEST(PreferencesTab, EachBoxStoresItsKeyAndSomeSetTheRecord) {
    struct Case {
        QLatin1String box;
        const QString* key;  // nullptr: no reaction
        std::int16_t SettingsRecord::*field;
    };
    const std::vector<Case> cases = {
        {panel_ids::kSlideshowBox, &keys::kSlides, &SettingsRecord::slides},
        {panel_ids::kRandomOrderBox, &keys::kRandomOrder, nullptr},
        {panel_ids::kAnimateBox, &keys::kAnimate, &SettingsRecord::animate},
        {panel_ids::kStretchBox, &keys::kScreenSize, &SettingsRecord::screenSize},
        {panel_ids::kBackgroundMusicBox, &keys::kBsound, nullptr},
        {panel_ids::kChimeBox, &keys::kAsound, nullptr},
        {panel_ids::kMusicOnlyBox, &keys::kMusicOnly, &SettingsRecord::musicOnly},
        {panel_ids::kRandomPlayBox, nullptr, nullptr},
    };
    PanelHarness p;
    p.open();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.box.data());
        auto* box = p.find<QCheckBox>(c.box);
        for (int round = 0; round < 2; ++round) {
            p.store().clearLog();
            const SettingsRecord before = p.h.program.settings;
            clickWithMouse(box);
            const QString state = box->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
            if (c.key == nullptr) {
                EXPECT_TRUE(p.writtenSettings().isEmpty());
                continue;
            }
            EXPECT_EQ(p.writtenSettings(), QStringList({*c.key + u'=' + state}));
            if (c.field != nullptr) {
                EXPECT_EQ(p.h.program.settings.*c.field, box->isChecked() ? 1 : 0);
            } else {
                EXPECT_EQ(p.h.program.settings.randomOrder, before.randomOrder)
                    << "this box leaves the record alone";
            }
        }
    }
}

TEST(PreferencesTab, ClickingACaptionTogglesItsBox) {
    PanelHarness p;
    p.open();
    auto* box = p.find<QCheckBox>(panel_ids::kChimeBox);
    EXPECT_EQ(box->accessibleName(), QStringLiteral("Announce slide change with sound"));
    clickWithMouse(p.find<QLabel>(QString(panel_ids::kChimeBox) + QStringLiteral("Caption")));
    EXPECT_TRUE(box->isChecked());
    EXPECT_EQ(p.setting(keys::kAsound), QStringLiteral("1"));
}

TEST(PreferencesTab, NumberBoxesKeepTheirLimitsAsTheUserTypes) {
    struct Case {
        QLatin1String box;
        const char* typed;
        const char* shown;
        const char* storedSlideSize;  // nullptr: "Slidesize" not written
    };
    const std::vector<Case> cases = {
        {panel_ids::kSensitivityBox, "45", "30", nullptr},
        {panel_ids::kSensitivityBox, "", "1", nullptr},
        {panel_ids::kSensitivityBox, "123", "12", nullptr},
        {panel_ids::kDelayBox, "45", "15", nullptr},
        {panel_ids::kDelayBox, "0", "1", nullptr},
        {panel_ids::kDelayBox, "2.5", "2.5", nullptr},
        {panel_ids::kSizeBox, "45", "5", "5"},
        {panel_ids::kSizeBox, "2.5", "2.5", "2.5"},
        {panel_ids::kSizeBox, "x", "1", "1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.box.data()) + " <- '" + c.typed + "'");
        PanelHarness p;
        p.open();
        auto* box = p.find<QLineEdit>(c.box);
        box->selectAll();  // what is typed replaces the whole text
        if (*c.typed == '\0') {
            QTest::keyClick(box, Qt::Key_Delete);
        }
        QTest::keyClicks(box, QString::fromUtf8(c.typed));
        EXPECT_EQ(box->text(), QString::fromUtf8(c.shown));
        if (c.storedSlideSize != nullptr) {
            EXPECT_EQ(p.setting(keys::kSlideSize), QString::fromUtf8(c.storedSlideSize));
        } else {
            EXPECT_FALSE(p.writtenSettings().join(u';').contains(QStringLiteral("Slidesize")));
        }
    }
}

TEST(PreferencesTab, TrayBoxLoadsAndUnloadsTheTrayWindow) {
    PanelHarness p;
    p.open();
    auto* box = p.find<QCheckBox>(panel_ids::kPlayNowBox);
    for (bool checked : {true, false, true}) {
        box->setChecked(checked);
        EXPECT_EQ(p.setting(keys::kMusicNow), checked ? QStringLiteral("1") : QStringLiteral("0"));
    }
    EXPECT_EQ(p.events, QStringList({"tray load", "tray unload", "tray load"}));
    EXPECT_NE(p.h.program.trayIfLoaded(), nullptr) << "exactly one tray window";
}

TEST(PreferencesTab, StartUpBoxPlacesAndRemovesTheShortcut) {
    PanelHarness p;
    p.open();
    auto* box = p.find<QCheckBox>(panel_ids::kAutoStartBox);
    box->setChecked(true);
    box->setChecked(false);
    const auto& calls = p.h.fakes.shortcuts->calls;
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].operation, QStringLiteral("create"));
    EXPECT_EQ(calls[0].arguments, QString());
    EXPECT_EQ(calls[1].operation, QStringLiteral("remove"));
    EXPECT_EQ(p.setting(keys::kAutoStartup), QStringLiteral("0"));
}

TEST(PreferencesTab, ColourBarsStartAtZeroAndRecolourRecordSwatchAndDisplay) {
    PanelHarness p;
    p.setSetting(keys::kBackColors, QStringLiteral("16711680"));  // blue
    p.open();
    ColourSelector* colours = p.panel()->preferences->colours;
    auto* green = p.find<QScrollBar>(panel_ids::kGreenBar);
    EXPECT_EQ(p.find<QScrollBar>(panel_ids::kRedBar)->value(), 0);
    EXPECT_EQ(green->value(), 0);

    green->setValue(128);
    EXPECT_EQ(p.h.program.settings.backColors, 32768);
    EXPECT_EQ(colours->swatch()->palette().color(QPalette::Window), QColor(0, 128, 0));
    EXPECT_TRUE(p.events.isEmpty()) << "no display loaded: the record carries the colour";
    EXPECT_EQ(p.setting(keys::kBackColors), QStringLiteral("16711680")) << "stored only on save";

    p.h.program.display();
    p.find<QScrollBar>(panel_ids::kRedBar)->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    p.find<QScrollBar>(panel_ids::kBlueBar)->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(p.h.program.settings.backColors, 10 + 32768 + 20 * 65536);
    EXPECT_EQ(p.events.last(),
              QStringLiteral("display background %1").arg(10 + 32768 + 20 * 65536));
}

}  // namespace
}  // namespace luma::paneltest
