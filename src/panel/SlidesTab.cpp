#include "panel/SlidesTab.h"
#include "panel/ControlIds.h"

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
    fileBox = new QLineEdit(select);
    fileBox->setObjectName(panel_ids::kFileBox);
    yellowOnFrameColour(fileBox);
    browsePicturesButton = namedButton(panel_ids::kBrowsePicturesButton, "...", select);
    fitToCaption(browsePicturesButton);
    addPictureButton = namedButton(panel_ids::kAddPictureButton, "add file to slides", select);
    addPictureFolderButton =
        namedButton(panel_ids::kAddPictureFolderButton, "add folder\u2026", select);
    selectRow->addWidget(fileBox, 1);
    selectRow->addWidget(browsePicturesButton);
    selectRow->addWidget(addPictureButton);
    selectRow->addWidget(addPictureFolderButton);
    page->addWidget(select);

    auto* pictures = new QGroupBox(QStringLiteral("Pictures"), this);
    auto* grid = new QGridLayout(pictures);
    grid->setContentsMargins(6, 2, 6, 4);
    grid->setSpacing(4);
    grid->addWidget(new QLabel(QStringLiteral("click on a title to select picture"), pictures), 0,
                    0);
    slideListBox = new QListWidget(pictures);
    slideListBox->setObjectName(panel_ids::kSlideList);
    slideListBox->setSelectionMode(QAbstractItemView::SingleSelection);
    slideListBox->setUniformItemSizes(true);
    yellowOnFrameColour(slideListBox);
    grid->addWidget(slideListBox, 1, 0);
    auto* rebuild = new QHBoxLayout;
    removeSlideButton = namedButton(panel_ids::kRemoveSlideButton, "Remove", pictures);
    randomizeButton = namedButton(panel_ids::kRandomizeButton, "Randomize List", pictures);
    rebuild->addWidget(removeSlideButton);
    rebuild->addWidget(randomizeButton);
    rebuild->addStretch(1);
    grid->addLayout(rebuild, 2, 0);
    preview = new SlidePreview(pictures);
    preview->setFixedSize(200, 150);
    grid->addWidget(preview, 1, 1, 2, 1, Qt::AlignTop);
    grid->setColumnStretch(0, 1);
    grid->setRowStretch(1, 1);
    page->addWidget(pictures, 1);
}

}  // namespace luma
