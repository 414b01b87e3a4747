#include "panel/SoundTab.h"

#include "panel/ButtonSizing.h"
#include "panel/CdDriveButtons.h"
#include "panel/NamedButton.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

namespace luma {
namespace {

QLabel* label(const char* name, const char* caption, QWidget* parent) {
    auto* l = new QLabel(QString::fromLatin1(caption), parent);
    l->setObjectName(QString::fromLatin1(name));
    return l;
}

QListWidget* list(const char* name, QWidget* parent) {
    auto* l = new QListWidget(parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setSelectionMode(QAbstractItemView::SingleSelection);
    l->setUniformItemSizes(true);
    return l;
}

}  // namespace

SoundTab::SoundTab(QWidget* parent) : QWidget(parent) {
    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(6, 4, 6, 4);
    auto* playlist = new QGroupBox(QStringLiteral("Playlist"), this);
    page->addWidget(playlist);
    auto* columns = new QHBoxLayout(playlist);
    columns->setContentsMargins(6, 2, 6, 4);
    columns->setSpacing(8);

    auto* cd = new QGroupBox(QStringLiteral("CD: Click on track to select it"), playlist);
    auto* cdColumn = new QVBoxLayout(cd);
    cdColumn->setContentsMargins(6, 2, 6, 4);
    cdColumn->setSpacing(3);
    List3 = list("List3", cd);
    cdColumn->addWidget(List3, 1);
    auto* tracksRow = new QHBoxLayout;
    Label20 = label("Label20", "Tracks", cd);
    Label3 = label("Label3", "", cd);
    tracksRow->addWidget(Label20);
    tracksRow->addWidget(Label3, 1);
    cdColumn->addLayout(tracksRow);
    auto* drivesRow = new QHBoxLayout;
    Label23 = label("Label23", "Update", cd);
    drivesRow->addWidget(Label23);
    auto* drives = new QScrollArea(cd);
    drives->setFrameShape(QFrame::NoFrame);
    drives->setWidgetResizable(true);
    drives->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    CD = new CdDriveButtons(drives);
    drives->setWidget(CD);
    drives->viewport()->setAutoFillBackground(false);
    CD->setAutoFillBackground(false);
    // Room for a row of buttons and, when they are more than fit, the bar to scroll them.
    drives->setFixedHeight(CD->button(0)->sizeHint().height() +
                           drives->horizontalScrollBar()->sizeHint().height());
    drivesRow->addWidget(drives, 1);
    cdColumn->addLayout(drivesRow);
    Label4 = label("Label4", "", cd);
    Label4->setTextFormat(Qt::PlainText);
    Label4->setWordWrap(true);
    cdColumn->addWidget(Label4);
    Label15 = label("Label15", "", cd);
    Label15->hide();
    Command29 = namedButton("Command29", "Load CD tracks", cd);
    cdColumn->addWidget(Command29);
    Command3 = namedButton("Command3", "Add ALL CD Tracks to list", cd);
    cdColumn->addWidget(Command3);
    columns->addWidget(cd, 2);

    auto* right = new QVBoxLayout;
    right->setSpacing(3);
    columns->addLayout(right, 3);
    auto* selection =
        new QGroupBox(QStringLiteral("Selection: browse to find music files"), playlist);
    auto* selectionRow = new QHBoxLayout(selection);
    selectionRow->setContentsMargins(6, 2, 6, 4);
    txtMusic = new QLineEdit(selection);
    txtMusic->setObjectName(QStringLiteral("txtMusic"));
    Command27 = namedButton("Command27", "...", selection);
    fitToCaption(Command27);
    selectionRow->addWidget(txtMusic, 1);
    selectionRow->addWidget(Command27);
    right->addWidget(selection);
    Command28 = namedButton("Command28", "Add selection to list", playlist);
    right->addWidget(Command28, 0, Qt::AlignLeft);
    List4 = list("List4", playlist);
    right->addWidget(List4, 1);
    auto* playRow = new QHBoxLayout;
    Command32 = namedButton("Command32", "Play", playlist);
    Command35 = namedButton("Command35", "stop", playlist);
    Command36 = namedButton("Command36", "remove selection from List", playlist);
    fitToCaption(Command32);
    fitToCaption(Command35);
    playRow->addWidget(Command32);
    playRow->addWidget(Command35);
    playRow->addStretch(1);
    playRow->addWidget(Command36);
    right->addLayout(playRow);
    Command31 = namedButton("Command31", "load list", playlist);
    Command31->hide();
}

}  // namespace luma
