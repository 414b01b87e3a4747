#pragma once

#include "display/Picture.h"
#include "display/PictureDecoding.h"

#include <QRect>
#include <QString>

#include <functional>
#include <optional>

namespace luma {

class Canvas;

// Where a picture of a given size is painted.
using PlaceOf = std::function<QRect(QSize)>;

// The text a missing slide entry holds; never looked up as a file.
inline const QString kMissingPicture = QStringLiteral("0");

// A picture file read and decoded for its place, not yet taken by a holder.
struct LoadedPicture {
    Picture picture;
    DecodedPart part;
};

// Reads `path` and decodes it for the place it will be painted at (`placeOf` its size, on a
// surface showing `visible`); nullopt when it is missing, cut off, undecodable or too large to
// decode. Touches nothing else, so it may run on any thread.
std::optional<LoadedPicture> readPicture(const QString& path, QRect visible,
                                         const PlaceOf& placeOf);

// Loads the picture file `path` into `holder`. The file is taken only when it decodes for the
// place it will be painted at (`placeOf` its size, on a surface showing `visible`), so a missing,
// cut-off or undecodable file, or one too large to decode, leaves the holder as it was. Returns
// the decoded part for painting, nullopt when the load failed.
std::optional<DecodedPart> loadPicture(Picture& holder, const QString& path, QRect visible,
                                       const PlaceOf& placeOf);

// Loads `path` into `holder`, then paints the holder's picture at its place: the new picture, or
// the one the holder kept when the load failed. Returns whether the load succeeded.
bool loadAndPaint(Picture& holder, const QString& path, Canvas& canvas, const PlaceOf& placeOf);

// What loadAndPaint does with a picture read beforehand (nullopt: one that did not load).
bool paintLoaded(Picture& holder, std::optional<LoadedPicture> loaded, Canvas& canvas,
                 const PlaceOf& placeOf);

}  // namespace luma
