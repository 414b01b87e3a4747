#pragma once

#include <QWidget>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace luma {

class ColourSelector;

// The "Preferences" page: frames "Pictures", "Music" and "General Settings" with the preference
// controls in their design-time states, and the button "Save Settings". The controls' reactions
// are wired by connectPreferenceReactions().
class PreferencesTab : public QWidget {
    Q_OBJECT
public:
    explicit PreferencesTab(QWidget* parent);

    QCheckBox* slideshowBox;        // "Slides"
    QCheckBox* randomOrderBox;      // "Random order"
    QCheckBox* animateBox;          // "animate"
    QCheckBox* stretchBox;          // "screensize"
    QLineEdit* sizeBox;             // "Slidesize"
    QLineEdit* delayBox;            // "delay"
    QCheckBox* backgroundMusicBox;  // "Bsound"
    QCheckBox* chimeBox;            // "Asound"
    QCheckBox* randomPlayBox;       // "Randomplay"
    QCheckBox* musicOnlyBox;        // "MusicOnly"
    QCheckBox* playNowBox;          // "MusicNow"
    QCheckBox* autoStartBox;        // "AutoStartup"
    QLineEdit* sensitivityBox;      // "Mousesens"
    QCheckBox* idleBox;             // "IdleMinutes" above 0
    QLineEdit* idleMinutesBox;      // "IdleMinutes"
    QCheckBox* allowLockBox;        // "AllowLock"
    QCheckBox* everyMonitorBox;     // "EveryMonitor"
    QCheckBox* fadeBox;             // "Fade"
    ColourSelector* colours;
    QPushButton* saveSettingsButton;  // "Save Settings"
};

}  // namespace luma
