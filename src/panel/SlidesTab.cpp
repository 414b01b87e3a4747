#include "panel/SlidesTab.h"

#include "panel/ButtonSizing.h"
#include "panel/NamedButton.h"
#include "panel/SlidePreview.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace luma {
namespace {

// Yellow text (65535) on the colour of window frames, which desktops draw black.
void yellowOnFrameColour(QWidget* w) {
    QPalette p = w->palette();
    p.setColor(QPalette::Base, QColor(0, 0, 0));
    p.setColor(QPalette::Text, QColor(255, 255, 0));
    w->setPalette(p);
}

}  // namespace

SlidesTab::SlidesTab(QWidget* parent) : QWidget(parent) {
    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(6, 4, 6, 4);
    page->setSpacing(4);

    auto* select =
        new QGroupBox(QStringLiteral("Select a File (JPG, BMP, GIF [still or animated])"), this);
    auto* selectRow = new QHBoxLayout(select);
    selectRow->setContentsMargins(6, 2, 6, 4);
    txFile = new QLineEdit(select);
    txFile->setObjectName(QStringLiteral("txFile"));
    yellowOnFrameColour(txFile);
    Command5 = namedButton("Command5", "...", select);
    fitToCaption(Command5);
    Command9 = namedButton("Command9", "add file to slides", select);
    selectRow->addWidget(txFile, 1);
    selectRow->addWidget(Command5);
    selectRow->addWidget(Command9);
    page->addWidget(select);

    auto* pictures = new QGroupBox(QStringLiteral("Pictures"), this);
    auto* grid = new QGridLayout(pictures);
    grid->setContentsMargins(6, 2, 6, 4);
    grid->setSpacing(4);
    grid->addWidget(new QLabel(QStringLiteral("click on a title to select picture"), pictures), 0,
                    0);
    List1 = new QListWidget(pictures);
    List1->setObjectName(QStringLiteral("List1"));
    List1->setSelectionMode(QAbstractItemView::SingleSelection);
    List1->setUniformItemSizes(true);
    yellowOnFrameColour(List1);
    grid->addWidget(List1, 1, 0);
    auto* rebuild = new QHBoxLayout;
    Command16 = namedButton("Command16", "Remove", pictures);
    Command18 = namedButton("Command18", "Randomize List", pictures);
    rebuild->addWidget(Command16);
    rebuild->addWidget(Command18);
    rebuild->addStretch(1);
    grid->addLayout(rebuild, 2, 0);
    Picture4 = new SlidePreview(pictures);
    Picture4->setFixedSize(200, 150);
    grid->addWidget(Picture4, 1, 1, 2, 1, Qt::AlignTop);
    grid->setColumnStretch(0, 1);
    grid->setRowStretch(1, 1);
    page->addWidget(pictures, 1);
}

}  // namespace luma
