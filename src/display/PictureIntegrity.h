#pragma once

#include <QByteArrayView>

namespace luma {

// Whether an encoded picture holds all of the image it announces. The decoder fills what is
// missing from a cut-off JPEG, BMP or GIF with grey or black and reports success, so the
// structure is checked before it decodes: a JPEG must reach its end-of-image marker, a BMP must
// hold every row of uncompressed pixels, a GIF's first image must be complete. Other data is
// left to the decoder.
bool pictureIsComplete(QByteArrayView bytes);

bool jpegIsComplete(QByteArrayView bytes);
bool bmpIsComplete(QByteArrayView bytes);
bool gifFirstImageIsComplete(QByteArrayView bytes);

}  // namespace luma
