#include "panel/PreferencesTab.h"
#include "panel/ControlIds.h"

#include "panel/CaptionedCheckBox.h"
#include "panel/ColourSelector.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace luma {
namespace {

QCheckBox* addCheck(QBoxLayout* layout, QLatin1String name, const char* caption, bool checked,
                    int stretch = 0) {
    auto* row =
        new CaptionedCheckBox(QString(name), QString::fromUtf8(caption), layout->parentWidget());
    row->box()->setChecked(checked);
    layout->addWidget(row, stretch);
    return row->box();
}

QLineEdit* smallBox(QLatin1String name, const char* text, QWidget* parent) {
    auto* box = new QLineEdit(QString::fromLatin1(text), parent);
    box->setObjectName(QString(name));
    box->setFixedWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 10);
    box->setAlignment(Qt::AlignRight);
    return box;
}

QLabel* wrappedLabel(const char* text, QWidget* parent) {
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    label->setWordWrap(true);
    QSizePolicy policy = label->sizePolicy();  // keeps the height-for-width of wrapped text
    policy.setHorizontalPolicy(QSizePolicy::Expanding);
    label->setSizePolicy(policy);
    return label;
}

QVBoxLayout* frame(const char* title, QWidget* parent, QVBoxLayout* page) {
    auto* box = new QGroupBox(QString::fromLatin1(title), parent);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(6, 0, 6, 2);
    layout->setSpacing(1);
    page->addWidget(box);
    return layout;
}

}  // namespace

PreferencesTab::PreferencesTab(QWidget* parent) : QWidget(parent) {
    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(4, 2, 4, 2);
    page->setSpacing(0);

    QVBoxLayout* pictures = frame("Pictures", this, page);
    slideshowBox =
        addCheck(pictures, panel_ids::kSlideshowBox,
                 "Checked = Slide show (multiple images) Unchecked = single picture (still "
                 "or animated)",
                 true);
    // The short captions share a line, which leaves the page's height as it was.
    auto* orderRow = new QHBoxLayout;
    orderRow->setSpacing(8);
    pictures->addLayout(orderRow);
    randomOrderBox =
        addCheck(orderRow, panel_ids::kRandomOrderBox, "Show slides in random order", true, 1);
    everyMonitorBox =
        addCheck(orderRow, panel_ids::kEveryMonitorBox, "Show slides on every monitor", true, 1);
    fadeBox = addCheck(orderRow, panel_ids::kFadeBox, "Fade between slides", false, 1);
    animateBox = addCheck(pictures, panel_ids::kAnimateBox,
                          "Checked = Run Animations | Unchecked = show all images as stills", true);
    stretchBox = addCheck(pictures, panel_ids::kStretchBox,
                          "Stretch each slide to fill the entire screen |  Unchecked = Show Images "
                          "full size",
                          false);
    auto* numbers = new QHBoxLayout;
    numbers->setSpacing(6);
    sizeBox = smallBox(panel_ids::kSizeBox, "2", this);
    delayBox = smallBox(panel_ids::kDelayBox, "2", this);
    numbers->addWidget(sizeBox, 0, Qt::AlignTop);
    numbers->addWidget(wrappedLabel("Size of animations: Actual size X value", this), 2);
    numbers->addWidget(delayBox, 0, Qt::AlignTop);
    numbers->addWidget(
        wrappedLabel("Time delay between successive slides (seconds) Max = 15; Min = 1", this), 3);
    pictures->addLayout(numbers);

    QVBoxLayout* music = frame("Music", this, page);
    auto* soundRow = new QHBoxLayout;
    soundRow->setSpacing(8);
    music->addLayout(soundRow);
    backgroundMusicBox = addCheck(soundRow, panel_ids::kBackgroundMusicBox,
                                  "Play Background Music when screensaver is running", true);
    chimeBox = addCheck(soundRow, panel_ids::kChimeBox, "Announce slide change with sound", false);
    // Shares of the line in proportion to the captions, so that both stay on one line.
    for (int i = 0; i < 2; ++i) {
        const auto* row = static_cast<CaptionedCheckBox*>(soundRow->itemAt(i)->widget());
        soundRow->setStretch(i, row->fontMetrics().horizontalAdvance(row->caption()->text()) +
                                    row->fontMetrics().height() * 2);
    }
    randomPlayBox =
        addCheck(music, panel_ids::kRandomPlayBox, "Play selections in random order", true);
    musicOnlyBox =
        addCheck(music, panel_ids::kMusicOnlyBox,
                 "Play Music ONLY - No pictures (When this is checked, an icon is placed in "
                 "the Desktop Tray that lets you control the music)",
                 false);

    QVBoxLayout* general = frame("General Settings", this, page);
    auto* generalRow = new QHBoxLayout;
    generalRow->setSpacing(8);
    general->addLayout(generalRow);
    auto* left = new QVBoxLayout;
    left->setSpacing(1);
    generalRow->addLayout(left, 1);
    playNowBox = addCheck(left, panel_ids::kPlayNowBox,
                          "Put an icon in the Desktop tray to let you control the music ", true);
    autoStartBox =
        addCheck(left, panel_ids::kAutoStartBox,
                 "Always set the Desktop icon when Windows loads. (when this is checked, the "
                 "slideshow does not start automatically)",
                 false);
    auto* sensitivity = new QHBoxLayout;
    sensitivity->setSpacing(6);
    sensitivityBox = smallBox(panel_ids::kSensitivityBox, "15", this);
    // At most two characters typed; values the program puts in are limited by the box's reaction.
    sensitivityBox->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral(".{0,2}")), sensitivityBox));
    sensitivity->addWidget(sensitivityBox, 0, Qt::AlignTop);
    sensitivity->addWidget(
        wrappedLabel("Mouse Sensitivity   1 = Most Sensitive    30 = Least Sensitive", this), 1);
    left->addLayout(sensitivity);
    auto* idle = new QHBoxLayout;
    idle->setSpacing(6);
    left->addLayout(idle);
    auto* idleRow = new CaptionedCheckBox(QString(panel_ids::kIdleBox),
                                          QStringLiteral("Start the slideshow after"), this);
    idleRow->caption()->setWordWrap(false);
    idleBox = idleRow->box();
    idle->addWidget(idleRow, 0, Qt::AlignTop);
    idleMinutesBox = smallBox(panel_ids::kIdleMinutesBox, "10", this);
    idle->addWidget(idleMinutesBox, 0, Qt::AlignTop);
    idle->addWidget(wrappedLabel("minutes without mouse or keyboard", this), 1);
    colours = new ColourSelector(this);
    generalRow->addWidget(colours, 0, Qt::AlignTop);

    auto* saveRow = new QHBoxLayout;
    saveRow->setContentsMargins(6, 0, 0, 0);
    page->addLayout(saveRow);
    allowLockBox = addCheck(saveRow, panel_ids::kAllowLockBox,
                            "Let the desktop lock the screen during the show", true, 1);
    saveSettingsButton = new QPushButton(QStringLiteral("Save Settings"), this);
    saveSettingsButton->setObjectName(panel_ids::kSaveSettingsButton);
    saveRow->addWidget(saveSettingsButton, 0, Qt::AlignTop);
    page->addStretch(1);
}

}  // namespace luma
