// The panel over the real settings file: what it reads and writes reaches the INI file.
#include "PanelHarness.h"
#include "panel/ControlIds.h"

#include "settings/IniSettingsStore.h"
#include "settings/SettingsKeys.h"
#include "settings/StoredList.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>

namespace luma::paneltest {
namespace {

TEST(PanelIniStore, ListsAndSettingsGoThroughTheSettingsFile) {
    test::TempEnv env;
    {
        IniSettingsStore seed(IniSettingsStore::defaultPath());
        StoredList(seed, keys::kPictures).rewrite({"a.jpg", "b.gif", "c.txt", "d.bmp"});
        seed.write(keys::kSettings, keys::kMouseSens, QStringLiteral("20"));
    }
    test::FakePlatform fakes;
    PlatformServices services = fakes.make();
    services.store = std::make_unique<IniSettingsStore>(IniSettingsStore::defaultPath());
    Program program(std::move(services));
    program.setPanelFactory([](Program& p) { return std::make_unique<ControlPanel>(p); });
    auto* panel = dynamic_cast<ControlPanel*>(program.panel());
    ASSERT_NE(panel, nullptr);
    panel->showWindow();

    clickRow(panel->findChild<QListWidget*>(panel_ids::kSlideList), 0);
    clickWithMouse(panel->findChild<QPushButton*>(panel_ids::kRemoveSlideButton));
    clickWithMouse(panel->findChild<QCheckBox*>(panel_ids::kChimeBox));
    clickWithMouse(panel->findChild<QPushButton*>(panel_ids::kSaveSettingsButton));

    QSettings file(env.settingsFile(), QSettings::IniFormat);
    EXPECT_EQ(file.value("pictures/HowMany").toString(), QStringLiteral("2"));
    EXPECT_EQ(file.value("pictures/1").toString(), QStringLiteral("b.gif"));
    EXPECT_EQ(file.value("pictures/2").toString(), QStringLiteral("d.bmp"));
    EXPECT_FALSE(file.contains("pictures/3")) << "keys of the longer list are gone";
    EXPECT_EQ(file.value("Settings/Asound").toString(), QStringLiteral("1"));
    EXPECT_EQ(file.value("Settings/Mousesens").toString(), QStringLiteral("20"));
    EXPECT_EQ(file.value("Settings/AniFile").toString(), QStringLiteral("a.jpg"));
}

}  // namespace
}  // namespace luma::paneltest
