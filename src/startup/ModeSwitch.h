#pragma once

#include <QString>

namespace luma {

enum class Mode {
    Configure,  // "/C": the control panel
    Show,       // "" or "/S": a show run
    Preview,    // "/P": no preview; end at once
    Password,   // "/A": say that there is no password protection
    IdleWatch,  // "--idle": start the show by itself after idle time
    Other,      // anything else: end
};

// The first two characters of the command line, trimmed and upper-cased: "/c:1234" -> "/C".
QString modeSwitch(const QString& commandLine);

Mode modeOf(const QString& commandLine);

}  // namespace luma
