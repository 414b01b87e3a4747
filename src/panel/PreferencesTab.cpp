#include "panel/PreferencesTab.h"

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

QCheckBox* addCheck(QBoxLayout* layout, const char* name, const char* caption, bool checked,
                    int stretch = 0) {
    auto* row = new CaptionedCheckBox(QString::fromLatin1(name), QString::fromUtf8(caption),
                                      layout->parentWidget());
    row->box()->setChecked(checked);
    layout->addWidget(row, stretch);
    return row->box();
}

QLineEdit* smallBox(const char* name, const char* text, QWidget* parent) {
    auto* box = new QLineEdit(QString::fromLatin1(text), parent);
    box->setObjectName(QString::fromLatin1(name));
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
    Check10 = addCheck(pictures, "Check10",
                       "Checked = Slide show (multiple images) Unchecked = single picture (still "
                       "or animated)",
                       true);
    Check11 = addCheck(pictures, "Check11", "Show slides in random order", true);
    Check4 = addCheck(pictures, "Check4",
                      "Checked = Run Animations | Unchecked = show all images as stills", true);
    Check6 = addCheck(pictures, "Check6",
                      "Stretch each slide to fill the entire screen |  Unchecked = Show Images "
                      "full size",
                      false);
    auto* numbers = new QHBoxLayout;
    numbers->setSpacing(6);
    Text6 = smallBox("Text6", "2", this);
    Text2 = smallBox("Text2", "2", this);
    numbers->addWidget(Text6, 0, Qt::AlignTop);
    numbers->addWidget(wrappedLabel("Size of animations: Actual size X value", this), 2);
    numbers->addWidget(Text2, 0, Qt::AlignTop);
    numbers->addWidget(
        wrappedLabel("Time delay between successive slides (seconds) Max = 15; Min = 1", this), 3);
    pictures->addLayout(numbers);

    QVBoxLayout* music = frame("Music", this, page);
    auto* soundRow = new QHBoxLayout;
    soundRow->setSpacing(8);
    music->addLayout(soundRow);
    Check8 =
        addCheck(soundRow, "Check8", "Play Background Music when screensaver is running", true);
    Check7 = addCheck(soundRow, "Check7", "Announce slide change with sound", false);
    // Shares of the line in proportion to the captions, so that both stay on one line.
    for (int i = 0; i < 2; ++i) {
        const auto* row = static_cast<CaptionedCheckBox*>(soundRow->itemAt(i)->widget());
        soundRow->setStretch(i, row->fontMetrics().horizontalAdvance(row->caption()->text()) +
                                    row->fontMetrics().height() * 2);
    }
    Check9 = addCheck(music, "Check9", "Play selections in random order", true);
    Check5 = addCheck(music, "Check5",
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
    Check12 = addCheck(left, "Check12",
                       "Put an icon in the Desktop tray to let you control the music ", true);
    Check2 = addCheck(left, "Check2",
                      "Always set the Desktop icon when Windows loads. (when this is checked, the "
                      "slideshow does not start automatically)",
                      false);
    auto* sensitivity = new QHBoxLayout;
    sensitivity->setSpacing(6);
    Sensit = smallBox("Sensit", "15", this);
    // At most two characters typed; values the program puts in are limited by the box's reaction.
    Sensit->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral(".{0,2}")), Sensit));
    sensitivity->addWidget(Sensit, 0, Qt::AlignTop);
    sensitivity->addWidget(
        wrappedLabel("Mouse Sensitivity   1 = Most Sensitive    30 = Least Sensitive", this), 1);
    left->addLayout(sensitivity);
    colours = new ColourSelector(this);
    generalRow->addWidget(colours, 0, Qt::AlignTop);

    auto* saveRow = new QHBoxLayout;
    saveRow->addStretch(1);
    Command19 = new QPushButton(QStringLiteral("Save Settings"), this);
    Command19->setObjectName(QStringLiteral("Command19"));
    saveRow->addWidget(Command19);
    page->addLayout(saveRow);
    page->addStretch(1);
}

}  // namespace luma
