#include "panel/PanelScale.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <cmath>

namespace luma {
namespace {

constexpr double kDesignDpi = 96.0;
constexpr double kPanelPointSize = 7.5;

}  // namespace

double panelScale(const QWidget* widget) {
    const QScreen* screen = widget != nullptr && widget->screen() != nullptr
                                ? widget->screen()
                                : QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return 1.0;
    }
    const double scale = screen->logicalDotsPerInch() / kDesignDpi;
    return std::isfinite(scale) && scale > 0.25 ? scale : 1.0;
}

QSize scaledSize(QSize design, double scale) {
    return QSize(static_cast<int>(std::lround(design.width() * scale)),
                 static_cast<int>(std::lround(design.height() * scale)));
}

QFont panelFont(QFont base) {
    base.setPointSizeF(kPanelPointSize);
    return base;
}

}  // namespace luma
