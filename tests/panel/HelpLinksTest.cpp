// The "Help" and "About/Admin" tabs: texts, links, their colours and what a press opens.
#include "PanelHarness.h"
#include "panel/ControlIds.h"

#include "panel/LinkLabel.h"

#include <gtest/gtest.h>

#include <QFrame>
#include <QTabWidget>
#include <QTest>

namespace luma::paneltest {
namespace {

const QColor kDarkBlue(0, 0, 192);
const QColor kDarkRed(128, 0, 0);

struct Link {
    QLatin1String name;
    int tab;
    QString caption;
    QString target;
    QColor rest;
    int underline;  // -1: none
};

std::vector<Link> links() {
    const QString mail = QStringLiteral("mailto:") + QStringLiteral(LUMAFOLIO_TEST_SUPPORT_EMAIL);
    return {
        {panel_ids::kPictureSiteLink, 3, "commons.wikimedia.org", "https://commons.wikimedia.org/",
         kDarkBlue, 3},
        {panel_ids::kSupportLink, 3, "Any Questions? Contact Support.", mail, kDarkRed, -1},
        {panel_ids::kMakerLink, 4, LUMAFOLIO_TEST_MAKER_URL, LUMAFOLIO_TEST_MAKER_URL, kDarkBlue,
         2},
        {panel_ids::kSupportAddressLink, 4, LUMAFOLIO_TEST_SUPPORT_EMAIL, mail, kDarkBlue, 1},
    };
}

TEST(HelpLinks, EachPressOpensItsTargetOnceRedThenBlue) {
    for (const Link& l : links()) {
        SCOPED_TRACE(l.name.data());
        PanelHarness p;
        p.open();
        p.find<QTabWidget>(panel_ids::kTabs)->setCurrentIndex(l.tab);
        auto* link = p.find<LinkLabel>(l.name);
        ASSERT_NE(link, nullptr);
        EXPECT_EQ(link->text(), l.caption);
        EXPECT_EQ(link->colour(), l.rest);
        EXPECT_EQ(link->cursor().shape(), Qt::BitmapCursor);
        QFrame* line = link->underline();
        EXPECT_EQ(line != nullptr, l.underline >= 0);
        if (line != nullptr) {
            EXPECT_EQ(line->property("index").toInt(), l.underline);
            EXPECT_EQ(link->underlineColour(), kDarkBlue);
            EXPECT_EQ(line->height(), 2);
            EXPECT_GT(line->y(), link->height() / 2) << "across the lower part";
        }

        const QPoint inside = link->rect().center();
        QTest::mousePress(link, Qt::LeftButton, {}, inside);
        EXPECT_EQ(link->colour(), LinkLabel::kPressed);
        EXPECT_EQ(p.h.fakes.shell->opened, QStringList({l.target}));
        QTest::mouseMove(link, inside + QPoint(1, 0));  // holding the button opens nothing more
        QTest::mouseRelease(link, Qt::LeftButton, {}, inside);
        EXPECT_EQ(link->colour(), LinkLabel::kVisited);
        if (line != nullptr) {
            EXPECT_EQ(link->underlineColour(), LinkLabel::kVisited);
        }
        QTest::mouseClick(link, Qt::RightButton, {}, inside);
        QTest::mouseClick(link, Qt::MiddleButton, {}, inside);
        EXPECT_EQ(p.h.fakes.shell->opened.size(), 3) << "any button opens the link";
        EXPECT_EQ(link->colour(), LinkLabel::kVisited);
    }
}

TEST(HelpLinks, AFailingShellChangesTheColoursAllTheSameAndANewPanelStartsFresh) {
    PanelHarness p;
    p.h.fakes.shell->result = false;
    p.open();
    auto* link = p.find<LinkLabel>(panel_ids::kPictureSiteLink);
    QTest::mouseClick(link, Qt::LeftButton, {}, link->rect().center());
    EXPECT_EQ(link->colour(), LinkLabel::kVisited);
    p.h.program.unloadPanel();
    p.open();
    EXPECT_EQ(p.find<LinkLabel>(panel_ids::kPictureSiteLink)->colour(), kDarkBlue);
}

}  // namespace
}  // namespace luma::paneltest
