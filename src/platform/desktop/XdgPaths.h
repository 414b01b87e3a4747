#pragma once

#include <QString>

namespace luma {

// ${XDG_CONFIG_HOME}, or ~/.config when it is unset or not absolute.
QString xdgConfigHome();

// The user's autostart folder: ${XDG_CONFIG_HOME}/autostart.
QString xdgAutostartFolder();

}  // namespace luma
