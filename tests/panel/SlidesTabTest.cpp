// The "Slides" tab: browsing, adding, selecting, removing and shuffling slides.
#include "PanelHarness.h"
#include "panel/ControlIds.h"

#include "panel/SlidePreview.h"
#include "settings/SettingsKeys.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>

#include <set>

namespace luma::paneltest {
namespace {

// How many writes the pictures section took, and whether they came in one batch.
int pictureBatches(PanelHarness& p) {
    std::set<int> batches;
    for (const auto& w : p.store().log()) {
        if (w.section == keys::kPictures) {
            batches.insert(w.batch);
        }
    }
    return static_cast<int>(batches.size());
}

struct SlidesTab : ::testing::Test {
    void openWith(const QStringList& slides) {
        p.setList(keys::kPictures, slides);
        p.open();
        p.find<QTabWidget>(panel_ids::kTabs)->setCurrentIndex(0);
        p.store().clearLog();
    }
    PanelHarness p;
};

TEST_F(SlidesTab, RemoveDropsTheSelectedEntryAndEveryNonPictureInOneWrite) {
    openWith({"a.jpg", "b.gif", "c.txt", "d.jpg"});
    clickRow(p.find<QListWidget>(panel_ids::kSlideList), 1);
    EXPECT_EQ(p.find<QLineEdit>(panel_ids::kFileBox)->text(), QStringLiteral("b.gif"));
    p.store().clearLog();
    clickWithMouse(p.find<QPushButton>(panel_ids::kRemoveSlideButton));
    EXPECT_EQ(p.items(panel_ids::kSlideList), QStringList({"a.jpg", "d.jpg"}));
    EXPECT_EQ(p.storedList(keys::kPictures), QStringList({"a.jpg", "d.jpg"}));
    EXPECT_EQ(p.store().read(keys::kPictures, QStringLiteral("3"), QStringLiteral("gone")),
              QStringLiteral("gone"));
    EXPECT_EQ(pictureBatches(p), 1) << "one atomic rewrite";
    EXPECT_EQ(p.find<QLineEdit>(panel_ids::kFileBox)->text(), QStringLiteral("b.gif"))
        << "left as it was";
}

TEST_F(SlidesTab, RemoveTakesTheFirstEntryAndNeedsASelection) {
    openWith({"a.jpg", "b.gif", "c.bmp"});
    clickWithMouse(p.find<QPushButton>(panel_ids::kRemoveSlideButton));
    ASSERT_EQ(p.h.fakes.messageBox->calls.size(), 1u);
    EXPECT_EQ(p.h.fakes.messageBox->calls[0].text, QStringLiteral("select a picture"));
    EXPECT_EQ(p.h.fakes.messageBox->calls[0].title, QStringLiteral("Lumafolio"));
    EXPECT_EQ(p.h.fakes.messageBox->calls[0].flags, 0);
    EXPECT_EQ(pictureBatches(p), 0);

    clickRow(p.find<QListWidget>(panel_ids::kSlideList), 0);
    clickWithMouse(p.find<QPushButton>(panel_ids::kRemoveSlideButton));
    EXPECT_EQ(p.storedList(keys::kPictures), QStringList({"b.gif", "c.bmp"}));
}

TEST_F(SlidesTab, RandomizeGivesBothOrdersOfTwoAndDropsNonPictures) {
    openWith({"x.jpg", "Empty", "y.gif"});
    p.h.fakes.random->values = {0.1, 0.9};
    clickWithMouse(p.find<QPushButton>(panel_ids::kRandomizeButton));
    EXPECT_EQ(p.storedList(keys::kPictures), QStringList({"x.jpg", "y.gif"}));
    clickWithMouse(p.find<QPushButton>(panel_ids::kRandomizeButton));
    EXPECT_EQ(p.storedList(keys::kPictures), QStringList({"y.gif", "x.jpg"}));
    EXPECT_EQ(p.items(panel_ids::kSlideList), QStringList({"y.gif", "x.jpg"}));
    EXPECT_EQ(pictureBatches(p), 2);
}

TEST_F(SlidesTab, RandomizeOnAnEmptyListWritesNothing) {
    openWith({});
    clickWithMouse(p.find<QPushButton>(panel_ids::kRandomizeButton));
    EXPECT_TRUE(p.store().log().empty());
}

TEST_F(SlidesTab, AddAppendsTheFileBoxUnchangedAndKeepsAniFile) {
    openWith({"a.jpg"});
    auto* file = p.find<QLineEdit>(panel_ids::kFileBox);
    file->setText(QStringLiteral("  /p/new.gif "));
    clickWithMouse(p.find<QPushButton>(panel_ids::kAddPictureButton));
    file->clear();
    clickWithMouse(p.find<QPushButton>(panel_ids::kAddPictureButton));
    EXPECT_EQ(p.storedList(keys::kPictures), QStringList({"a.jpg", "  /p/new.gif ", ""}));
    EXPECT_EQ(p.store().read(keys::kPictures, keys::kHowMany, {}), QStringLiteral("3"));
    EXPECT_EQ(p.setting(keys::kAniFile), QString()) << "the last add stored the empty text";
    clickWithMouse(p.find<QPushButton>(panel_ids::kRandomizeButton));
    EXPECT_EQ(p.storedList(keys::kPictures), QStringList({"a.jpg"}))
        << "the next rebuild drops both";
}

TEST_F(SlidesTab, BrowseSharesTheDialogsLastFileAndCancelChangesNothing) {
    const QString picture = writePicture(p.env.configHome(), QStringLiteral("pick.bmp"));
    openWith({});
    p.h.fakes.fileDialog->answers = {{picture}, {}};
    clickWithMouse(p.find<QPushButton>(panel_ids::kBrowsePicturesButton));
    EXPECT_EQ(p.find<QLineEdit>(panel_ids::kFileBox)->text(), picture);
    EXPECT_TRUE(p.find<SlidePreview>(panel_ids::kPreview)->hasPicture());
    clickWithMouse(
        p.find<QPushButton>(panel_ids::kBrowseMusicButton));  // the "Sound" tab's dialog, cancelled
    clickWithMouse(p.find<QPushButton>(panel_ids::kBrowsePicturesButton));  // cancelled
    const auto& requests = p.h.fakes.fileDialog->requests;
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(requests[0].filter,
              QStringLiteral("Supported files(*.bmp;*.jpg;*.gif)|*.bmp;*.jpg;*.gif"));
    EXPECT_EQ(requests[0].defaultExtension, QStringLiteral("gif"));
    EXPECT_EQ(requests[0].start, QString());
    EXPECT_EQ(requests[1].start, picture);
    EXPECT_EQ(requests[2].start, picture);
    EXPECT_EQ(p.find<QLineEdit>(panel_ids::kFileBox)->text(), picture);
    EXPECT_TRUE(p.store().log().empty()) << "browsing stores nothing";
}

TEST_F(SlidesTab, SelectingAndClickingTheFileBoxStoreAniFileAndPreview) {
    const QString picture = writePicture(p.env.configHome(), QStringLiteral("sel.bmp"));
    openWith({picture, "/nowhere/missing.jpg"});
    auto* preview = p.find<SlidePreview>(panel_ids::kPreview);
    clickRow(p.find<QListWidget>(panel_ids::kSlideList), 1);
    EXPECT_EQ(p.setting(keys::kAniFile), QStringLiteral("/nowhere/missing.jpg"));
    EXPECT_FALSE(preview->hasPicture());
    EXPECT_FALSE(preview->text().isEmpty()) << "the preview says it cannot show the file";

    auto* file = p.find<QLineEdit>(panel_ids::kFileBox);
    file->setText(QStringLiteral(" ") + picture + QStringLiteral(" "));
    clickWithMouse(file);
    EXPECT_EQ(p.setting(keys::kAniFile), picture) << "stored trimmed";
    EXPECT_FALSE(preview->hasPicture()) << "previewed untrimmed";
    file->setText(picture);
    clickWithMouse(file);
    EXPECT_TRUE(preview->hasPicture());
}

}  // namespace
}  // namespace luma::paneltest
