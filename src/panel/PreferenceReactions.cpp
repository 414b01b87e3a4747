#include "panel/PreferenceReactions.h"

#include "panel/ColourSelector.h"
#include "panel/NumberLimit.h"
#include "panel/PreferencesTab.h"
#include "platform/WatcherProcess.h"
#include "runtime/Numbers.h"
#include "settings/SettingsKeys.h"
#include "settings/SettingsRecord.h"
#include "settings/SettingsStore.h"
#include "startup/Program.h"
#include "system/StartupShortcut.h"

#include <QCheckBox>
#include <QLineEdit>

#include <cstdint>
#include <functional>

namespace luma {
namespace {

const QString kIdleFirstMinutes = QStringLiteral("10");

QString stateText(bool checked) {
    return checked ? QStringLiteral("1") : QStringLiteral("0");
}

// A box that stores its key; with `field` it also sets the in-memory record.
void storeOnChange(Program& program, QCheckBox* box, const QString& key,
                   std::int16_t SettingsRecord::*field = nullptr) {
    QObject::connect(box, &QCheckBox::toggled, box, [&program, key, field](bool checked) {
        if (field != nullptr) {
            program.settings.*field = checked ? 1 : 0;
        }
        program.store().write(keys::kSettings, key, stateText(checked));
    });
}

// Keeps a number box within 1..highest. Putting the limited text in is itself a change and runs
// this again, which then finds the value within the limits.
void limitOnChange(QLineEdit* box, double highest, std::function<void(const QString&)> after = {}) {
    QObject::connect(box, &QLineEdit::textChanged, box, [box, highest, after](const QString& text) {
        if (const auto limited = limitedText(text, highest)) {
            box->setText(*limited);
        }
        if (after) {
            after(box->text());
        }
    });
}

// "IdleMinutes" as the two controls say it: 0 with the box clear.
QString idleMinutesText(const PreferencesTab& tab) {
    return tab.idleBox->isChecked() ? decimalText(numericValue(tab.idleMinutesBox->text()))
                                    : QStringLiteral("0");
}

// The idle watcher starts with the session where it runs on its own; a tray process started with
// the session is the watcher itself.
void updateIdleEntry(Program& program, const PreferencesTab& tab) {
    if (tab.idleBox->isChecked() && !tab.autoStartBox->isChecked()) {
        createIdleWatchShortcut(program);
    } else {
        removeIdleWatchShortcut(program);
    }
}

void connectIdleReactions(Program& program, PreferencesTab& tab) {
    QObject::connect(tab.idleBox, &QCheckBox::toggled, tab.idleBox, [&program, &tab](bool checked) {
        if (checked && numericValue(tab.idleMinutesBox->text()) < 1) {
            tab.idleMinutesBox->setText(kIdleFirstMinutes);
        }
        program.store().write(keys::kSettings, keys::kIdleMinutes, idleMinutesText(tab));
        updateIdleEntry(program, tab);
        if (checked) {
            program.watcher().start(saverTarget(program.programFolder()));
        } else {
            program.watcher().stop();
        }
    });
    limitOnChange(tab.idleMinutesBox, settingsField(keys::kIdleMinutes).highest,
                  [&program, &tab](const QString&) {
                      if (tab.idleBox->isChecked()) {
                          program.store().write(keys::kSettings, keys::kIdleMinutes,
                                                idleMinutesText(tab));
                      }
                  });
    QObject::connect(tab.autoStartBox, &QCheckBox::toggled, tab.idleBox, [&program, &tab] {
        if (tab.idleBox->isChecked()) {
            updateIdleEntry(program, tab);
        }
    });
    storeOnChange(program, tab.allowLockBox, keys::kAllowLock, &SettingsRecord::allowLock);
}

}  // namespace

QString storedIdleMinutes(const PreferencesTab& tab) {
    return idleMinutesText(tab);
}

void connectPreferenceReactions(Program& program, PreferencesTab& tab) {
    connectIdleReactions(program, tab);
    storeOnChange(program, tab.slideshowBox, keys::kSlides, &SettingsRecord::slides);
    storeOnChange(program, tab.randomOrderBox, keys::kRandomOrder);
    storeOnChange(program, tab.animateBox, keys::kAnimate, &SettingsRecord::animate);
    storeOnChange(program, tab.stretchBox, keys::kScreenSize, &SettingsRecord::screenSize);
    storeOnChange(program, tab.everyMonitorBox, keys::kEveryMonitor, &SettingsRecord::everyMonitor);
    storeOnChange(program, tab.fadeBox, keys::kFade, &SettingsRecord::fade);
    storeOnChange(program, tab.backgroundMusicBox, keys::kBsound);
    storeOnChange(program, tab.chimeBox, keys::kAsound);
    storeOnChange(program, tab.musicOnlyBox, keys::kMusicOnly, &SettingsRecord::musicOnly);
    // randomPlayBox ("Randomplay") has no reaction: only the save buttons store it.

    QObject::connect(tab.playNowBox, &QCheckBox::toggled, tab.playNowBox, [&program](bool checked) {
        program.store().write(keys::kSettings, keys::kMusicNow, stateText(checked));
        if (checked) {
            program.tray();
        } else if (program.trayIfLoaded() != nullptr) {
            program.unloadTray();
        }
    });
    QObject::connect(
        tab.autoStartBox, &QCheckBox::toggled, tab.autoStartBox, [&program](bool checked) {
            program.store().write(keys::kSettings, keys::kAutoStartup, stateText(checked));
            if (checked) {
                createStartupShortcut(program);
            } else {
                removeStartupShortcut(program);
            }
        });

    limitOnChange(tab.sizeBox, settingsField(keys::kSlideSize).highest,
                  [&program](const QString& text) {
                      program.store().write(keys::kSettings, keys::kSlideSize,
                                            decimalText(numericValue(text)));
                  });
    limitOnChange(tab.delayBox, settingsField(keys::kDelay).highest);
    limitOnChange(tab.sensitivityBox, settingsField(keys::kMouseSens).highest);

    QObject::connect(tab.colours, &ColourSelector::colourChosen, tab.colours,
                     [&program, selector = tab.colours](std::int32_t colour) {
                         program.settings.backColors = colour;
                         selector->showColour(colour);
                         if (DisplayWindow* display = program.displayIfLoaded()) {
                             display->setBackgroundColour(colour);
                         }
                     });
}

}  // namespace luma
