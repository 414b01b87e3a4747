#pragma once

#include <QByteArray>
#include <QPoint>
#include <QRgb>
#include <QSize>

#include <cstdint>
#include <optional>
#include <vector>

namespace luma::test {

// One image of a GIF: palette indices row by row, where it sits on the logical screen, and the
// graphic control extension that precedes it (none when `withControl` is false).
struct GifImage {
    QSize size;
    std::vector<std::uint8_t> indices;  // size.width() * size.height() entries
    QPoint offset;
    std::uint16_t delay = 0;  // hundredths of a second
    bool withControl = true;
    std::optional<std::uint8_t> transparent;
    std::vector<QRgb> localPalette;  // empty: the global palette applies
    int disposal = 1;
    QByteArray rawData;  // when set, written instead of the encoded data (code size included)
};

// A GIF file written byte by byte: header, logical screen with a global palette, an optional
// looping application extension, an optional comment, the images, and the trailer. Image data is
// LZW-compressed the way real encoders do it; `literalCodes` instead writes every pixel as its own
// code (what some simple encoders emit), which makes the data large and easy to reason about.
struct GifFile {
    QSize screen;
    std::vector<QRgb> palette;  // padded to a power of two, at least 2 entries
    bool loopExtension = true;
    QByteArray comment;  // written before the first image when not empty
    std::vector<GifImage> images;
    bool literalCodes = false;
    bool trailer = true;

    QByteArray encode() const;
};

// A solid image of one palette index covering `size`.
GifImage solidImage(QSize size, std::uint8_t index, std::uint16_t delay);

// A GIF of `delays.size()` full-screen solid frames, frame i in palette colour i % colours.size().
GifFile solidAnimation(QSize screen, const std::vector<QRgb>& colours,
                       const std::vector<std::uint16_t>& delays);

// LZW-compresses `indices` for a code size of `minCodeSize` bits, as GIF image data sub-blocks
// with their terminator.
QByteArray gifImageData(const std::vector<std::uint8_t>& indices, int minCodeSize, bool literal);

}  // namespace luma::test
