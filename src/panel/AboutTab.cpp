#include "panel/AboutTab.h"
#include "panel/ControlIds.h"

#include "panel/LinkLabel.h"
#include "panel/LinkTargets.h"

#include <QLabel>
#include <QVBoxLayout>

namespace luma {

AboutTab::AboutTab(Program& program, QWidget* parent) : QWidget(parent) {
    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(16, 12, 16, 12);
    page->setSpacing(10);

    auto* title = new QLabel(QStringLiteral("Lumafolio 1.1"), this);
    QFont bigger = title->font();
    bigger.setBold(true);
    bigger.setPointSizeF(bigger.pointSizeF() * 1.4);
    title->setFont(bigger);
    page->addWidget(title);
    auto* about = new QLabel(
        QStringLiteral("A picture slideshow screensaver and small multimedia centre: your "
                       "pictures, still or animated, with music from CD tracks, MP3, wave and "
                       "MIDI files."),
        this);
    about->setWordWrap(true);
    page->addWidget(about);

    // Each link on a line of its own, so that a long address still fits.
    auto* visit = new QLabel(QStringLiteral("Visit our homepage for news and updates"), this);
    visit->setObjectName(panel_ids::kMakerCaption);
    page->addWidget(visit);
    makerLink = new LinkLabel(program, panel_ids::kMakerLink, LinkTargets::makerPage(),
                              LinkTargets::makerPage(), QColor(0, 0, 192), 2, this);
    page->addWidget(makerLink, 0, Qt::AlignLeft);
    page->addSpacing(6);
    auto* mail = new QLabel(QStringLiteral("For support/Information send e-mail"), this);
    mail->setObjectName(panel_ids::kSupportAddressCaption);
    page->addWidget(mail);
    supportAddressLink =
        new LinkLabel(program, panel_ids::kSupportAddressLink, LinkTargets::supportAddress(),
                      LinkTargets::supportMail(), QColor(0, 0, 192), 1, this);
    page->addWidget(supportAddressLink, 0, Qt::AlignLeft);
    page->addStretch(1);
}

}  // namespace luma
