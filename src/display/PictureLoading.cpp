#include "display/PictureLoading.h"

#include "display/Canvas.h"
#include "display/Picture.h"

namespace luma {

std::optional<DecodedPart> loadPicture(Picture& holder, const QString& path, QRect visible,
                                       const PlaceOf& placeOf) {
    if (path == kMissingPicture) {
        return std::nullopt;
    }
    auto candidate = Picture::fromFile(path);
    if (!candidate) {
        return std::nullopt;
    }
    auto part = decodePart(*candidate, placeOf(candidate->size()), visible);
    if (part) {
        holder = std::move(*candidate);
    }
    return part;
}

bool loadAndPaint(Picture& holder, const QString& path, Canvas& canvas, const PlaceOf& placeOf) {
    if (auto part = loadPicture(holder, path, canvas.rect(), placeOf)) {
        canvas.draw(*part, PaintQuality::Smooth);
        return true;
    }
    if (!holder.isEmpty()) {
        canvas.paint(holder, placeOf(holder.size()), PaintQuality::Smooth);
    }
    return false;
}

}  // namespace luma
