#include "panel/LinkTargets.h"

namespace luma {

QString LinkTargets::pictureSite() {
    return QStringLiteral("https://commons.wikimedia.org/");
}

QString LinkTargets::pictureSiteCaption() {
    return QStringLiteral("commons.wikimedia.org");
}

QString LinkTargets::makerPage() {
    return QStringLiteral(LUMAFOLIO_MAKER_URL);
}

QString LinkTargets::supportAddress() {
    return QStringLiteral(LUMAFOLIO_SUPPORT_EMAIL);
}

QString LinkTargets::supportMail() {
    return QStringLiteral("mailto:") + supportAddress();
}

}  // namespace luma
