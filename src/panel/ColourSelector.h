#pragma once

#include <QWidget>

#include <array>
#include <cstdint>

class QFrame;
class QScrollBar;

namespace luma {

// Three bars for red, green and blue (`HScroll1` to `HScroll3`, 0 to 255 each, always starting at
// 0) and the swatch `Picturev`. Moving a bar announces the colour the three bars make; the swatch
// shows whatever colour it is given.
class ColourSelector : public QWidget {
    Q_OBJECT
public:
    explicit ColourSelector(QWidget* parent);

    // red + 256 * green + 65536 * blue from the bars.
    std::int32_t barColour() const;
    void showColour(std::int32_t colour);
    std::int32_t shownColour() const { return shown_; }

    QScrollBar* bar(int channel) const { return bars_.at(channel); }
    QFrame* swatch() const { return swatch_; }

    // A stored colour as the colour it stands for; only the low three bytes count.
    static QColor toColor(std::int32_t colour);

signals:
    void colourChosen(std::int32_t colour);

private:
    std::array<QScrollBar*, 3> bars_{};
    QFrame* swatch_;
    std::int32_t shown_ = 0;
};

}  // namespace luma
