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

    QCheckBox* Check10;  // "Slides"
    QCheckBox* Check11;  // "Random order"
    QCheckBox* Check4;   // "animate"
    QCheckBox* Check6;   // "screensize"
    QLineEdit* Text6;    // "Slidesize"
    QLineEdit* Text2;    // "delay"
    QCheckBox* Check8;   // "Bsound"
    QCheckBox* Check7;   // "Asound"
    QCheckBox* Check9;   // "Randomplay"
    QCheckBox* Check5;   // "MusicOnly"
    QCheckBox* Check12;  // "MusicNow"
    QCheckBox* Check2;   // "AutoStartup"
    QLineEdit* Sensit;   // "Mousesens"
    ColourSelector* colours;
    QPushButton* Command19;  // "Save Settings"
};

}  // namespace luma
