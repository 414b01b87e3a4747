// The preference controls' own reactions: stored keys, record fields, limits, tray, shortcut and
// the colour bars.
#include "PanelHarness.h"

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
        const char* box;
        const QString* key;  // nullptr: no reaction
        std::int16_t SettingsRecord::*field;
    };
    const std::vector<Case> cases = {
        {"Check10", &keys::kSlides, &SettingsRecord::slides},
        {"Check11", &keys::kRandomOrder, nullptr},
        {"Check4", &keys::kAnimate, &SettingsRecord::animate},
        {"Check6", &keys::kScreenSize, &SettingsRecord::screenSize},
        {"Check8", &keys::kBsound, nullptr},
        {"Check7", &keys::kAsound, nullptr},
        {"Check5", &keys::kMusicOnly, &SettingsRecord::musicOnly},
        {"Check9", nullptr, nullptr},
    };
    PanelHarness p;
    p.open();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.box);
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
    auto* box = p.find<QCheckBox>("Check7");
    EXPECT_EQ(box->accessibleName(), QStringLiteral("Announce slide change with sound"));
    clickWithMouse(p.find<QLabel>("Check7Caption"));
    EXPECT_TRUE(box->isChecked());
    EXPECT_EQ(p.setting(keys::kAsound), QStringLiteral("1"));
}

TEST(PreferencesTab, NumberBoxesKeepTheirLimitsAsTheUserTypes) {
    struct Case {
        const char* box;
        const char* typed;
        const char* shown;
        const char* storedSlideSize;  // nullptr: "Slidesize" not written
    };
    const std::vector<Case> cases = {
        {"Sensit", "45", "30", nullptr},  {"Sensit", "", "1", nullptr},
        {"Sensit", "123", "12", nullptr}, {"Text2", "45", "15", nullptr},
        {"Text2", "0", "1", nullptr},     {"Text2", "2.5", "2.5", nullptr},
        {"Text6", "45", "5", "5"},        {"Text6", "2.5", "2.5", "2.5"},
        {"Text6", "x", "1", "1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.box) + " <- '" + c.typed + "'");
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
    auto* box = p.find<QCheckBox>("Check12");
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
    auto* box = p.find<QCheckBox>("Check2");
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
    auto* green = p.find<QScrollBar>("HScroll2");
    EXPECT_EQ(p.find<QScrollBar>("HScroll1")->value(), 0);
    EXPECT_EQ(green->value(), 0);

    green->setValue(128);
    EXPECT_EQ(p.h.program.settings.backColors, 32768);
    EXPECT_EQ(colours->swatch()->palette().color(QPalette::Window), QColor(0, 128, 0));
    EXPECT_TRUE(p.events.isEmpty()) << "no display loaded: the record carries the colour";
    EXPECT_EQ(p.setting(keys::kBackColors), QStringLiteral("16711680")) << "stored only on save";

    p.h.program.display();
    p.find<QScrollBar>("HScroll1")->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    p.find<QScrollBar>("HScroll3")->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(p.h.program.settings.backColors, 10 + 32768 + 20 * 65536);
    EXPECT_EQ(p.events.last(),
              QStringLiteral("display background %1").arg(10 + 32768 + 20 * 65536));
}

}  // namespace
}  // namespace luma::paneltest
