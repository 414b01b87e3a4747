#include "panel/HelpTab.h"
#include "panel/ControlIds.h"

#include "panel/LinkLabel.h"
#include "panel/LinkTargets.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace luma {
namespace {

QLabel* helpText(int index, const char* text, QWidget* parent) {
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    label->setObjectName(panel_ids::kHelpText);
    label->setProperty("index", index);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    return label;
}

}  // namespace

HelpTab::HelpTab(Program& program, QWidget* parent) : QWidget(parent) {
    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(6, 6, 6, 6);
    // The light yellow sheet behind the texts.
    auto* sheet = new QFrame(this);
    sheet->setObjectName(panel_ids::kHelpSheet);
    sheet->setAutoFillBackground(true);
    QPalette p = sheet->palette();
    p.setColor(QPalette::Window, QColor(255, 255, 192));
    p.setColor(QPalette::WindowText, QColor(0, 0, 0));
    sheet->setPalette(p);
    page->addWidget(sheet);

    QFont larger = sheet->font();  // the page has room to spare: easier reading
    larger.setPointSizeF(larger.pointSizeF() * 1.2);
    sheet->setFont(larger);
    auto* texts = new QVBoxLayout(sheet);
    texts->setContentsMargins(14, 10, 14, 10);
    texts->setSpacing(8);
    QLabel* heading = helpText(5, "How to make a Lumafolio", sheet);
    QFont bigger = heading->font();
    bigger.setBold(true);
    bigger.setPointSizeF(bigger.pointSizeF() * 1.4);
    heading->setFont(bigger);
    texts->addWidget(heading);
    texts->addWidget(helpText(0,
                              "Step 1.  Click the \"Slides\" tab. Select all the pictures and "
                              "animations you want to show.",
                              sheet));
    texts->addWidget(
        helpText(1,
                 "Step 2.  Click the \"Sounds\" tab. Make a Playlist of CD tracks, MP3 "
                 "files, etc. you want to play.",
                 sheet));
    texts->addWidget(helpText(2,
                              "Step 3.  Click the \"Preferences\" tab. Set up your Multimedia "
                              "Centre the way you want.",
                              sheet));
    texts->addWidget(helpText(
        3, "Step 4.  Click the \"Save Settings\" button in the \"preferences\" tab.", sheet));
    supportLink = new LinkLabel(program, panel_ids::kSupportLink,
                                QStringLiteral("Any Questions? Contact Support."),
                                LinkTargets::supportMail(), QColor(128, 0, 0), -1, sheet);
    texts->addWidget(supportLink, 0, Qt::AlignLeft);
    texts->addStretch(1);

    auto* siteRow = new QHBoxLayout;
    siteRow->setSpacing(10);
    auto* site = new QLabel(
        QStringLiteral("This site has loads of cool image files you can use in your screensaver"),
        sheet);
    site->setObjectName(panel_ids::kPictureSiteCaption);
    site->setWordWrap(true);
    siteRow->addWidget(site, 1);
    pictureSiteLink =
        new LinkLabel(program, panel_ids::kPictureSiteLink, LinkTargets::pictureSiteCaption(),
                      LinkTargets::pictureSite(), QColor(0, 0, 192), 3, sheet);
    siteRow->addWidget(pictureSiteLink, 0, Qt::AlignVCenter);
    texts->addLayout(siteRow);
}

}  // namespace luma
