#include "panel/SlideListEditor.h"

#include "panel/ListClicks.h"
#include "panel/ListEntries.h"
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
      fileBox_(tab.txFile) {
    connect(tab.Command5, &QPushButton::clicked, this, &SlideListEditor::Command5_Click);
    connect(tab.Command9, &QPushButton::clicked, this, &SlideListEditor::Command9_Click);
    connect(tab.Command16, &QPushButton::clicked, this, &SlideListEditor::Command16_Click);
    connect(tab.Command18, &QPushButton::clicked, this, &SlideListEditor::Command18_Click);
    connect(new ListClicks(tab.List1), &ListClicks::clicked, this, &SlideListEditor::List1_Click);
    tab.txFile->installEventFilter(this);
}

StoredList SlideListEditor::slideList() const {
    return StoredList(program_.store(), keys::kPictures);
}

QStringList SlideListEditor::entries() const {
    QStringList result;
    result.reserve(tab_.List1->count());
    for (int i = 0; i < tab_.List1->count(); ++i) {
        result.append(tab_.List1->item(i)->text());
    }
    return result;
}

void SlideListEditor::showInList(const QStringList& entries) {
    tab_.List1->clear();
    tab_.List1->addItems(entries);
}

void SlideListEditor::loadStoredList() {
    const QStringList stored = slideList().readAll();
    tab_.List1->addItems(stored);
    tab_.txFile->setText(stored.value(0));
    tab_.Picture4->showPicture(tab_.txFile->text());
}

void SlideListEditor::Command5_Click() {
    const std::optional<QString> chosen =
        program_.fileDialog().open(&tab_, kPictureFilter, kPictureExtension, lastDialogFile_);
    if (!chosen || chosen->isEmpty()) {
        return;
    }
    lastDialogFile_ = *chosen;
    tab_.txFile->setText(*chosen);
    tab_.Picture4->showPicture(*chosen);  // an unreadable file leaves the old picture
}

void SlideListEditor::Command9_Click() {
    const QString text = tab_.txFile->text();
    tab_.List1->addItem(text);
    slideList().append(tab_.List1->count(), text);
    program_.store().write(keys::kSettings, keys::kAniFile, text.trimmed());
}

void SlideListEditor::List1_Click(int row) {
    const QListWidgetItem* item = tab_.List1->item(row);
    if (item == nullptr) {
        return;
    }
    tab_.txFile->setText(item->text());
    program_.store().write(keys::kSettings, keys::kAniFile, item->text());
    if (!tab_.Picture4->showPicture(tab_.txFile->text())) {
        tab_.Picture4->showUnreadable();
    }
}

void SlideListEditor::txFile_Click() {
    program_.store().write(keys::kSettings, keys::kAniFile, tab_.txFile->text().trimmed());
    if (!tab_.Picture4->showPicture(tab_.txFile->text())) {
        tab_.Picture4->showUnreadable();
    }
}

void SlideListEditor::Command16_Click() {
    const int row = tab_.List1->currentRow();
    const QListWidgetItem* selected = tab_.List1->item(row);
    if (selected == nullptr || !selected->isSelected()) {
        program_.messageBox().show(&tab_, QStringLiteral("select a picture"),
                                   QStringLiteral("Lumafolio"), MessageBox::kOkOnly);
        return;
    }
    QStringList kept = entries();
    kept.removeAt(row);
    kept = pictureEntries(kept);
    showInList(kept);
    slideList().rewrite(kept);
}

void SlideListEditor::Command18_Click() {
    if (tab_.List1->count() == 0) {
        return;
    }
    const QStringList shuffled = shuffledEvenly(pictureEntries(entries()), program_.random());
    showInList(shuffled);
    slideList().rewrite(shuffled);
}

bool SlideListEditor::eventFilter(QObject* watched, QEvent* event) {
    if (watched == fileBox_ && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        txFile_Click();
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace luma
