#include "panel/ColourSelector.h"
#include "panel/ControlIds.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QScrollBar>
#include <QVBoxLayout>

namespace luma {
namespace {

constexpr int kArrowStep = 10;
constexpr int kTroughStep = 20;

QFrame* channelStripe(const QColor& colour, QWidget* parent) {
    auto* stripe = new QFrame(parent);
    stripe->setFixedHeight(3);
    stripe->setAutoFillBackground(true);
    QPalette p = stripe->palette();
    p.setColor(QPalette::Window, colour);
    stripe->setPalette(p);
    return stripe;
}

}  // namespace

ColourSelector::ColourSelector(QWidget* parent) : QWidget(parent), swatch_(new QFrame(this)) {
    auto* box = new QFrame(this);
    box->setFrameShape(QFrame::StyledPanel);
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(4, 3, 4, 3);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(0);
    const std::array<QColor, 3> channels{QColor(255, 0, 0), QColor(0, 160, 0), QColor(0, 0, 255)};
    for (int i = 0; i < 3; ++i) {
        auto* bar = new QScrollBar(Qt::Horizontal, box);
        bar->setObjectName(QStringLiteral("HScroll%1").arg(i + 1));
        bar->setRange(0, 255);
        bar->setSingleStep(kArrowStep);
        bar->setPageStep(kTroughStep);
        bar->setTracking(false);  // dragging the thumb counts once it is released
        bar->setFixedSize(84, 12);
        bars_[static_cast<size_t>(i)] = bar;
        grid->addWidget(bar, i * 2, 0);
        grid->addWidget(channelStripe(channels[static_cast<size_t>(i)], box), i * 2 + 1, 0);
        connect(bar, &QScrollBar::valueChanged, this, [this] { emit colourChosen(barColour()); });
    }
    swatch_->setObjectName(panel_ids::kColourSwatch);
    swatch_->setFrameShape(QFrame::Box);
    swatch_->setAutoFillBackground(true);
    swatch_->setFixedSize(34, 34);
    grid->addWidget(swatch_, 0, 1, 6, 1);
    grid->setColumnStretch(0, 1);

    auto* caption = new QLabel(QStringLiteral("Background Color Selector"), this);
    caption->setAlignment(Qt::AlignHCenter);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(2);
    column->addWidget(box);
    column->addWidget(caption);
    showColour(0);
}

std::int32_t ColourSelector::barColour() const {
    return bars_[0]->value() + 256 * bars_[1]->value() + 65536 * bars_[2]->value();
}

QColor ColourSelector::toColor(std::int32_t colour) {
    const auto c = static_cast<std::uint32_t>(colour);
    return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                  static_cast<int>((c >> 16) & 0xFF));
}

void ColourSelector::showColour(std::int32_t colour) {
    shown_ = colour;
    QPalette p = swatch_->palette();
    p.setColor(QPalette::Window, toColor(colour));
    swatch_->setPalette(p);
}

}  // namespace luma
