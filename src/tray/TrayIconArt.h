#pragma once

#include <QIcon>
#include <QImage>

namespace luma {

// Our icon: a framed landscape picture with a music note, drawn at any size (32 and 16 for the
// tray, larger for the desktop's icon theme).
QImage drawLumafolioIcon(int size);

// The tray icon with its 32 x 32 and 16 x 16 images.
QIcon lumafolioTrayIcon();

}  // namespace luma
