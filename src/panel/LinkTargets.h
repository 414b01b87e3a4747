#pragma once

#include <QString>

namespace luma {

// Where the links of the "Help" and "About/Admin" tabs lead. The maker's page and the support
// address are build options (LUMAFOLIO_MAKER_URL, LUMAFOLIO_SUPPORT_EMAIL).
struct LinkTargets {
    static QString pictureSite();         // the picture website's address
    static QString pictureSiteCaption();  // its host name
    static QString makerPage();
    static QString supportAddress();
    static QString supportMail();  // "mailto:" and the support address
};

}  // namespace luma
