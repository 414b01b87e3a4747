#pragma once

#include "display/PictureDecoding.h"

#include <QColor>
#include <QImage>
#include <QRect>

#include <functional>
#include <optional>

class QPainter;

namespace luma {

class Picture;

enum class PaintQuality { Smooth, Fast };

// The display's own surface, the size of the window: painting draws over what is there, filling
// with the background colour clears it. The window shows it; tests read it.
//
// An opaque part drawn at its own size is kept beside the surface and shown over it, not copied
// into it, until something else is drawn: an animation whose frames cover each other (each tick a
// part of that kind) then costs one copy a frame, to the screen, instead of two.
class Canvas {
public:
    // Learns every area that changed, so that the window can show it.
    void setListener(std::function<void(const QRect&)> listener) {
        listener_ = std::move(listener);
    }

    // A surface of `size`: what was drawn stays where the old and new surface overlap, the rest
    // takes `background`.
    void resize(QSize size, QColor background);
    void fill(QColor colour);
    void draw(const DecodedPart& part, PaintQuality quality);
    // Decodes what shows of `picture` over `target` and draws it. False when the picture does not
    // decode; nothing is drawn then.
    bool paint(const Picture& picture, QRect target, PaintQuality quality);

    // The surface with everything drawn on it.
    const QImage& image() const;
    // Paints `area` of the surface onto `painter`, at the same coordinates.
    void paintOn(QPainter& painter, const QRect& area) const;
    QRect rect() const { return image_.rect(); }
    // Where something was drawn since the surface was last cleared.
    QRect drawnArea() const { return drawn_; }
    QSize size() const { return image_.size(); }

private:
    void changed(const QRect& area);
    // Draws the kept part into the surface.
    void flatten() const;

    mutable QImage image_;
    mutable std::optional<DecodedPart> overlay_;
    QRect drawn_;
    std::optional<QColor> cleared_;  // the colour of the last clearing since the last resize
    std::function<void(const QRect&)> listener_;
};

// The colour of a stored colour value, red + 256 * green + 65536 * blue.
QColor colourOf(std::int32_t value);

}  // namespace luma
