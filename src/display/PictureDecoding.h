#pragma once

#include <QImage>
#include <QRect>
#include <QRectF>

#include <optional>

namespace luma {

class Picture;

// The decoded pixels of the part of a picture that shows, and the area of the surface they cover
// (the image is drawn scaled into it). A null image: nothing of the picture shows.
struct DecodedPart {
    QImage image;
    QRectF area;
};

// Decodes no more of `picture` than shows when it is painted over `target` on a surface whose
// visible area is `visible`: a picture painted smaller than it is comes out of the decoder at the
// painted size (JPEG decoding scales while it decodes), one painted at or above its size is
// decoded only where it is visible. When nothing shows, a small version is decoded, so that the
// result still tells whether the picture decodes. nullopt when the decoder rejects the picture
// (damaged data, or an image larger than the decoder's allocation limit).
std::optional<DecodedPart> decodePart(const Picture& picture, QRect target, QRect visible);

// The largest image, in megabytes, that the decoder allocates; a picture that needs more is
// rejected instead of exhausting memory.
inline constexpr int kDecodeLimitMegabytes = 256;

// Sets the decoder's allocation limit; run once when the program starts.
void setPictureDecodeLimits();

}  // namespace luma
