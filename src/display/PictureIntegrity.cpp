#include "display/PictureIntegrity.h"

#include "display/GifStructure.h"

#include <cstdint>
#include <cstdlib>

namespace luma {
namespace {

unsigned char at(QByteArrayView bytes, qsizetype i) {
    return static_cast<unsigned char>(bytes[i]);
}

std::uint32_t le16(QByteArrayView bytes, qsizetype i) {
    return at(bytes, i) | std::uint32_t{at(bytes, i + 1)} << 8;
}

std::uint32_t le32(QByteArrayView bytes, qsizetype i) {
    return le16(bytes, i) | le16(bytes, i + 2) << 16;
}

bool startsWith(QByteArrayView bytes, QByteArrayView magic) {
    return bytes.size() >= magic.size() && bytes.first(magic.size()) == magic;
}

constexpr unsigned char kMarker = 0xFF;
constexpr unsigned char kStartOfScan = 0xDA;
constexpr unsigned char kEndOfImage = 0xD9;

bool standaloneMarker(unsigned char m) {
    return (m >= 0xD0 && m <= 0xD7) || m == 0x01 || m == 0xD8;
}

// Offset of the marker that ends the entropy-coded data starting at `i`, or -1.
qsizetype endOfScan(QByteArrayView bytes, qsizetype i) {
    while (i + 1 < bytes.size()) {
        i = bytes.indexOf(static_cast<char>(kMarker), i);
        if (i < 0 || i + 1 >= bytes.size()) {
            return -1;
        }
        const unsigned char next = at(bytes, i + 1);
        if (next == 0x00 || (next >= 0xD0 && next <= 0xD7) || next == kMarker) {
            i += next == kMarker ? 1 : 2;  // stuffed byte, restart marker or fill byte
            continue;
        }
        return i;
    }
    return -1;
}

}  // namespace

bool jpegIsComplete(QByteArrayView bytes) {
    if (!startsWith(bytes, QByteArrayView("\xFF\xD8", 2))) {
        return false;
    }
    qsizetype i = 2;
    while (true) {
        while (i < bytes.size() && at(bytes, i) == kMarker && i + 1 < bytes.size() &&
               at(bytes, i + 1) == kMarker) {
            ++i;  // fill bytes before a marker
        }
        if (i + 1 >= bytes.size() || at(bytes, i) != kMarker) {
            return false;
        }
        const unsigned char marker = at(bytes, i + 1);
        i += 2;
        if (marker == kEndOfImage) {
            return true;
        }
        if (standaloneMarker(marker)) {
            continue;
        }
        if (i + 2 > bytes.size()) {
            return false;
        }
        const qsizetype length = at(bytes, i) << 8 | at(bytes, i + 1);  // big-endian
        if (length < 2 || i + length > bytes.size()) {
            return false;
        }
        i += length;
        if (marker == kStartOfScan) {
            i = endOfScan(bytes, i);
            if (i < 0) {
                return false;
            }
        }
    }
}

bool bmpIsComplete(QByteArrayView bytes) {
    constexpr qsizetype kFileHeader = 14;
    if (!startsWith(bytes, "BM") || bytes.size() < kFileHeader + 4) {
        return false;
    }
    const std::uint32_t pixelsAt = le32(bytes, 10);
    const std::uint32_t infoSize = le32(bytes, kFileHeader);
    std::int64_t width = 0;
    std::int64_t height = 0;
    std::uint32_t bitsPerPixel = 0;
    std::uint32_t compression = 0;
    if (infoSize == 12) {
        if (bytes.size() < kFileHeader + 12) {
            return false;
        }
        width = le16(bytes, 18);
        height = le16(bytes, 20);
        bitsPerPixel = le16(bytes, 24);
    } else if (infoSize >= 40) {
        if (bytes.size() < kFileHeader + 40) {
            return false;
        }
        width = static_cast<std::int32_t>(le32(bytes, 18));
        height = std::llabs(static_cast<std::int32_t>(le32(bytes, 22)));
        bitsPerPixel = le16(bytes, 28);
        compression = le32(bytes, 30);
    } else {
        return false;
    }
    constexpr std::uint32_t kRgb = 0;
    constexpr std::uint32_t kBitFields = 3;
    constexpr std::uint32_t kAlphaBitFields = 6;
    if (compression != kRgb && compression != kBitFields && compression != kAlphaBitFields) {
        return true;  // run-length and embedded formats: the decoder judges them
    }
    if (width <= 0 || bitsPerPixel == 0 || bitsPerPixel > 32) {
        return false;
    }
    const std::int64_t rowBytes = (width * bitsPerPixel + 31) / 32 * 4;
    // rowBytes * height <= bytes after the pixel offset, by division: the product of sizes from
    // the header can pass any integer's range.
    const std::int64_t after = static_cast<std::int64_t>(bytes.size()) - std::int64_t{pixelsAt};
    return after >= 0 && (height == 0 || rowBytes <= after / height);
}

bool gifFirstImageIsComplete(QByteArrayView bytes) {
    return walkGif(bytes, 1).images.size() == 1;
}

bool pictureIsComplete(QByteArrayView bytes) {
    if (startsWith(bytes, QByteArrayView("\xFF\xD8", 2))) {
        return jpegIsComplete(bytes);
    }
    if (startsWith(bytes, "BM")) {
        return bmpIsComplete(bytes);
    }
    if (startsWith(bytes, "GIF")) {
        return gifFirstImageIsComplete(bytes);
    }
    return true;
}

}  // namespace luma
