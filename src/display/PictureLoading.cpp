#include "display/PictureLoading.h"

#include "display/Canvas.h"

namespace luma {

std::optional<LoadedPicture> readPicture(const QString& path, QRect visible,
                                         const PlaceOf& placeOf) {
    if (path == kMissingPicture) {
        return std::nullopt;
    }
    auto candidate = Picture::fromFile(path);
    if (!candidate) {
        return std::nullopt;
    }
    auto part = decodePart(*candidate, placeOf(candidate->size()), visible);
    if (!part) {
        return std::nullopt;
    }
    return LoadedPicture{std::move(*candidate), std::move(*part)};
}

std::optional<DecodedPart> loadPicture(Picture& holder, const QString& path, QRect visible,
                                       const PlaceOf& placeOf) {
    auto loaded = readPicture(path, visible, placeOf);
    if (!loaded) {
        return std::nullopt;
    }
    holder = std::move(loaded->picture);
    return std::move(loaded->part);
}

bool loadAndPaint(Picture& holder, const QString& path, Canvas& canvas, const PlaceOf& placeOf) {
    return paintLoaded(holder, readPicture(path, canvas.rect(), placeOf), canvas, placeOf);
}

bool paintLoaded(Picture& holder, std::optional<LoadedPicture> loaded, Canvas& canvas,
                 const PlaceOf& placeOf) {
    if (loaded) {
        holder = std::move(loaded->picture);
        canvas.draw(loaded->part, PaintQuality::Smooth);
        return true;
    }
    if (!holder.isEmpty()) {
        canvas.paint(holder, placeOf(holder.size()), PaintQuality::Smooth);
    }
    return false;
}

}  // namespace luma
