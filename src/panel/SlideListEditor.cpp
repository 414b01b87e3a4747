#include "panel/SlideListEditor.h"

#include "panel/FileDialogStart.h"
#include "panel/ListClicks.h"
#include "panel/ListEntries.h"
#include "panel/ListFiller.h"
#include "panel/SlidePreview.h"
#include "panel/SlidesTab.h"
#include "platform/FileDialog.h"
#include "platform/MessageBox.h"
#include "settings/SettingsKeys.h"
#include "settings/SettingsStore.h"
#include "settings/StoredList.h"
#include "startup/Program.h"

#include <QEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>

#include <utility>

namespace luma {
namespace {

const QString kPictureFilter =
    QStringLiteral("Supported files(*.bmp;*.jpg;*.gif)|*.bmp;*.jpg;*.gif");
const QString kPictureExtension = QStringLiteral("gif");

}  // namespace

SlideListEditor::SlideListEditor(Program& program, SlidesTab& tab, QString& lastDialogFile)
    : QObject(&tab),
      program_(program),
      tab_(tab),
      lastDialogFile_(lastDialogFile),
      filler_(new ListFiller(program, tab.slideListBox, keys::kPictures,
                             ListRules{hasPictureExtension, false},
                             QStringLiteral("the slide list takes pictures named .bmp, .jpg or "
                                            ".gif (or .BMP, .JPG, .GIF)."))),
      fileBox_(tab.fileBox) {
    connect(tab.browsePicturesButton, &QPushButton::clicked, this,
            &SlideListEditor::browsePictures);
    connect(tab.addPictureButton, &QPushButton::clicked, this, &SlideListEditor::addPicture);
    connect(tab.addPictureFolderButton, &QPushButton::clicked, this, &SlideListEditor::addFolder);
    connect(tab.removeSlideButton, &QPushButton::clicked, this, &SlideListEditor::removeSlide);
    connect(tab.randomizeButton, &QPushButton::clicked, this, &SlideListEditor::randomizeSlides);
    connect(tab.fileBox, &QLineEdit::textChanged, this, [this] { chosen_.clear(); });
    connect(new ListClicks(tab.slideListBox), &ListClicks::clicked, this,
            &SlideListEditor::chooseSlide);
    tab.fileBox->installEventFilter(this);
}

StoredList SlideListEditor::slideList() const {
    return StoredList(program_.store(), keys::kPictures);
}

QStringList SlideListEditor::entries() const {
    QStringList result;
    result.reserve(tab_.slideListBox->count());
    for (int i = 0; i < tab_.slideListBox->count(); ++i) {
        result.append(tab_.slideListBox->item(i)->text());
    }
    return result;
}

QString SlideListEditor::dialogStart() const {
    return fileDialogStart(tab_.fileBox->text(), lastDialogFile_, QStandardPaths::PicturesLocation);
}

void SlideListEditor::showInList(const QStringList& entries) {
    tab_.slideListBox->clear();
    tab_.slideListBox->addItems(entries);
}

void SlideListEditor::loadStoredList() {
    const QStringList stored = slideList().readAll();
    tab_.slideListBox->addItems(stored);
    tab_.fileBox->setText(stored.value(0));
    tab_.preview->showPicture(tab_.fileBox->text());
}

void SlideListEditor::browsePictures() {
    const QStringList chosen =
        program_.fileDialog().openFiles(&tab_, kPictureFilter, kPictureExtension, dialogStart());
    if (chosen.isEmpty() || chosen.first().isEmpty()) {
        return;
    }
    lastDialogFile_ = chosen.first();
    tab_.fileBox->setText(chosen.first());
    chosen_ = chosen;  // after the text, whose change drops any earlier choice
    tab_.preview->showPicture(chosen.first());  // an unreadable file leaves the old picture
}

void SlideListEditor::addPicture() {
    const QString text = tab_.fileBox->text();
    const QStringList chosen = std::exchange(chosen_, {});
    if (chosen.size() > 1 && text == chosen.first()) {
        filler_->add(chosen);
    } else {
        tab_.slideListBox->addItem(text);
        slideList().append(tab_.slideListBox->count(), text);
    }
    program_.store().write(keys::kSettings, keys::kAniFile, text.trimmed());
}

void SlideListEditor::addFolder() {
    filler_->addFolder(&tab_, dialogStart());
}

void SlideListEditor::chooseSlide(int row) {
    const QListWidgetItem* item = tab_.slideListBox->item(row);
    if (item == nullptr) {
        return;
    }
    tab_.fileBox->setText(item->text());
    chosen_.clear();  // also when the entry is the file chosen, which leaves the text as it was
    program_.store().write(keys::kSettings, keys::kAniFile, item->text());
    if (!tab_.preview->showPicture(tab_.fileBox->text())) {
        tab_.preview->showUnreadable();
    }
}

void SlideListEditor::fileBoxClicked() {
    program_.store().write(keys::kSettings, keys::kAniFile, tab_.fileBox->text().trimmed());
    if (!tab_.preview->showPicture(tab_.fileBox->text())) {
        tab_.preview->showUnreadable();
    }
}

void SlideListEditor::removeSlide() {
    const int row = tab_.slideListBox->currentRow();
    const QListWidgetItem* selected = tab_.slideListBox->item(row);
    if (selected == nullptr || !selected->isSelected()) {
        program_.messageBox().show(&tab_, QStringLiteral("select a picture"),
                                   QStringLiteral("Lumafolio"), MessageBox::kOkOnly);
        return;
    }
    QStringList kept = entries();
    kept.removeAt(row);
    const qsizetype before = kept.size();
    kept = pictureEntries(kept);
    if (kept.size() == before) {
        delete tab_.slideListBox->takeItem(row);  // not a rebuild of 100,000 entries
    } else {
        showInList(kept);
    }
    slideList().rewrite(kept);
}

void SlideListEditor::randomizeSlides() {
    if (tab_.slideListBox->count() == 0) {
        return;
    }
    const QStringList shuffled = shuffledEvenly(pictureEntries(entries()), program_.random());
    showInList(shuffled);
    slideList().rewrite(shuffled);
}

bool SlideListEditor::eventFilter(QObject* watched, QEvent* event) {
    if (watched == fileBox_ && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        fileBoxClicked();
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace luma
