// The panel's size and layout: every caption has the room it needs on every tab. Pictures of the
// tabs are left in the build folder (panel-screens/) to look at.
#include "PanelHarness.h"
#include "panel/ControlIds.h"

#include "panel/ButtonSizing.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>

namespace luma::paneltest {
namespace {

// The room the text of `w` needs beyond what it has, as a message; empty when it fits.
QString clipping(const QWidget* w) {
    const QFontMetrics fm = w->fontMetrics();
    if (const auto* label = qobject_cast<const QLabel*>(w)) {
        if (label->text().isEmpty()) {
            return {};
        }
        const int needed =
            label->wordWrap() ? label->heightForWidth(label->width()) : label->sizeHint().height();
        if (needed > label->height() ||
            (!label->wordWrap() && label->sizeHint().width() > label->width())) {
            return QStringLiteral("label '%1' %2x%3 needs %4x%5")
                .arg(label->text())
                .arg(label->width())
                .arg(label->height())
                .arg(label->sizeHint().width())
                .arg(needed);
        }
    } else if (const auto* button = qobject_cast<const QAbstractButton*>(w)) {
        const int needed = fm.horizontalAdvance(button->text()) +
                           (button->text().isEmpty() ? 0 : 2 * kCaptionPadding);
        if (needed > button->width() || fm.height() > button->height()) {
            return QStringLiteral("button '%1' is %2 wide, needs %3")
                .arg(button->text())
                .arg(button->width())
                .arg(needed);
        }
    } else if (const auto* box = qobject_cast<const QGroupBox*>(w)) {
        if (fm.horizontalAdvance(box->title()) + 16 > box->width()) {
            return QStringLiteral("frame '%1' is too narrow").arg(box->title());
        }
    }
    return {};
}

TEST(PanelLayout, EveryCaptionOnEveryTabHasRoom) {
    PanelHarness p;
    p.h.fakes.drives->drives = {"/dev/sr0", "/dev/sr1"};
    ControlPanel* w = p.open();
    auto* tabs = p.find<QTabWidget>(panel_ids::kTabs);
    const QString shots = QStringLiteral(LUMAFOLIO_BINARY_DIR "/panel-screens");
    QDir().mkpath(shots);
    for (int i = 0; i < tabs->count(); ++i) {
        SCOPED_TRACE(tabs->tabText(i).toStdString());
        tabs->setCurrentIndex(i);
        QWidget* page = tabs->widget(i);
        page->layout()->activate();
        QCoreApplication::processEvents();
        EXPECT_LE(page->layout()->totalMinimumSize().height(), page->height());
        EXPECT_GE(tabs->tabBar()->tabRect(i).width(),
                  tabs->tabBar()->fontMetrics().horizontalAdvance(tabs->tabText(i)));
        int checked = 0;
        for (QWidget* child : page->findChildren<QWidget*>()) {
            if (!child->isVisibleTo(page)) {
                continue;
            }
            const QString problem = clipping(child);
            EXPECT_TRUE(problem.isEmpty()) << problem.toStdString();
            const QRect onPage(child->mapTo(page, QPoint(0, 0)), child->size());
            if (child->parentWidget() == page || qobject_cast<QGroupBox*>(child->parentWidget())) {
                EXPECT_TRUE(page->rect().contains(onPage))
                    << child->metaObject()->className() << " " << child->objectName().toStdString();
            }
            ++checked;
        }
        EXPECT_GT(checked, 3);
        w->grab().save(shots + QStringLiteral("/tab-%1.png").arg(i));
    }
    for (const QLatin1String name : {panel_ids::kTestButton, panel_ids::kSaveAndCloseButton,
                                     panel_ids::kJustCloseButton, panel_ids::kShutDownButton}) {
        auto* b = p.find<QPushButton>(name);
        EXPECT_TRUE(clipping(b).isEmpty()) << clipping(b).toStdString();
        EXPECT_NEAR(b->width(), p.find<QPushButton>(panel_ids::kTestButton)->width(), 1)
            << "all the same size";
    }
}

}  // namespace
}  // namespace luma::paneltest
