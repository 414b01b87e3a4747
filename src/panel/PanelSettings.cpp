#include "panel/PanelSettings.h"

#include "panel/ColourSelector.h"
#include "panel/PreferenceReactions.h"
#include "panel/PreferencesTab.h"
#include "runtime/Numbers.h"
#include "settings/SettingsKeys.h"
#include "settings/SettingsRecord.h"
#include "settings/SettingsStore.h"
#include "startup/Program.h"

#include <QCheckBox>
#include <QLineEdit>

#include <optional>
#include <vector>

namespace luma {
namespace {

// One row of the binding between a key and its control.
struct Binding {
    const QString* key;
    bool fromBox;  // the number the box shows at the moment stands in for an absent key
    QCheckBox* check;
    QLineEdit* text;
};

std::vector<Binding> bindings(const PreferencesTab& tab) {
    return {
        {&keys::kSlides, false, tab.slideshowBox, nullptr},
        {&keys::kRandomOrder, false, tab.randomOrderBox, nullptr},
        {&keys::kAnimate, false, tab.animateBox, nullptr},
        {&keys::kScreenSize, false, tab.stretchBox, nullptr},
        {&keys::kSlideSize, true, nullptr, tab.sizeBox},
        {&keys::kDelay, false, nullptr, tab.delayBox},
        {&keys::kBsound, false, tab.backgroundMusicBox, nullptr},
        {&keys::kRandomPlay, false, tab.randomPlayBox, nullptr},
        {&keys::kAsound, false, tab.chimeBox, nullptr},
        {&keys::kMusicOnly, false, tab.musicOnlyBox, nullptr},
        {&keys::kMusicNow, false, tab.playNowBox, nullptr},
        {&keys::kAutoStartup, false, tab.autoStartBox, nullptr},
        {&keys::kMouseSens, false, nullptr, tab.sensitivityBox},
        {&keys::kBackColors, false, nullptr, nullptr},  // the colour swatch
        {&keys::kAllowLock, false, tab.allowLockBox, nullptr},
        {&keys::kEveryMonitor, false, tab.everyMonitorBox, nullptr},
        {&keys::kFade, false, tab.fadeBox, nullptr},
    };
}

std::optional<QString> storedText(const SettingsStore& store, const Binding& row) {
    if (row.fromBox) {
        return store.read(keys::kSettings, *row.key, decimalText(numericValue(row.text->text())));
    }
    if (settingsField(*row.key).loadDefault != nullptr) {
        return storedSetting(store, *row.key);
    }
    return store.value(keys::kSettings, *row.key);
}

void showInCheckBox(QCheckBox* box, std::int16_t value) {
    // A check box takes only 0 and 1; any other number leaves it as it is.
    if (value == 0 || value == 1) {
        box->setChecked(value == 1);
    }
}

// "IdleMinutes" shows in two controls: the minutes, and the box checked when they are above 0.
void showIdleMinutes(Program& program, PreferencesTab& tab) {
    const auto minutes = toInt16(storedSetting(program.store(), keys::kIdleMinutes));
    if (!minutes) {
        return;
    }
    program.settings.idleMinutes = *minutes;
    if (*minutes > 0) {
        tab.idleMinutesBox->setText(QString::number(*minutes));  // limited by its reaction
    }
    tab.idleBox->setChecked(*minutes > 0);
}

}  // namespace

void applyStoredSettings(Program& program, PreferencesTab& tab) {
    SettingsRecord& record = program.settings;
    for (const Binding& row : bindings(tab)) {
        const SettingsField& field = settingsField(*row.key);
        const QString text = storedText(program.store(), row).value_or(QString());
        if (field.field32 != nullptr) {
            if (const auto v = toInt32(text)) {
                record.*field.field32 = *v;
            }
            tab.colours->showColour(record.*field.field32);
            continue;
        }
        const auto converted = toInt16(text);
        if (converted) {
            record.*field.field16 = *converted;
        }
        const std::int16_t value = record.*field.field16;
        if (row.check != nullptr) {
            showInCheckBox(row.check, value);
        } else if (converted || value >= 1) {
            // With neither a stored number nor one read before, the box keeps its own: an absent
            // "Mousesens" shows 15, not the limit's 1, which a save would store as the most
            // sensitive setting.
            row.text->setText(QString::number(value));
        }
    }
    showIdleMinutes(program, tab);
}

bool saveAllSettings(Program& program, const PreferencesTab& tab) {
    std::vector<SettingsWrite> batch;
    for (const Binding& row : bindings(tab)) {
        QString text;
        if (row.check != nullptr) {
            text = row.check->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
        } else if (row.text != nullptr) {
            text = decimalText(numericValue(row.text->text()));
        } else {
            text = QString::number(program.settings.backColors);
        }
        batch.push_back(SettingsWrite{*row.key, text});
    }
    batch.push_back(SettingsWrite{keys::kIdleMinutes, storedIdleMinutes(tab)});
    return program.store().apply(keys::kSettings, batch);
}

}  // namespace luma
