#include "support/GifWriter.h"

#include <unordered_map>

namespace luma::test {
namespace {

void putWord(QByteArray& out, int value) {
    out.append(static_cast<char>(value & 0xFF)).append(static_cast<char>((value >> 8) & 0xFF));
}

// Bits n of a colour table holding `count` entries, as the packed fields state it (2^(n+1)).
int tableBits(std::size_t count) {
    int n = 0;
    while ((std::size_t{2} << n) < count && n < 7) {
        ++n;
    }
    return n;
}

void putPalette(QByteArray& out, const std::vector<QRgb>& palette, int bits) {
    for (std::size_t i = 0; i < (std::size_t{2} << bits); ++i) {
        const QRgb c = i < palette.size() ? palette[i] : qRgb(0, 0, 0);
        out.append(char(qRed(c))).append(char(qGreen(c))).append(char(qBlue(c)));
    }
}

void putSubBlocks(QByteArray& out, const QByteArray& data) {
    for (qsizetype at = 0; at < data.size(); at += 255) {
        out.append(static_cast<char>(data.mid(at, 255).size())).append(data.mid(at, 255));
    }
    out.append('\0');
}

}  // namespace

QByteArray gifImageData(const std::vector<std::uint8_t>& indices, int minCodeSize, bool literal) {
    const int clear = 1 << minCodeSize;
    int width = minCodeSize + 1;
    int next = clear + 2;                // the code the next table entry takes
    std::unordered_map<int, int> table;  // prefix code * 256 + index -> code
    QByteArray codes;
    std::uint32_t bits = 0;
    int pending = 0;
    const auto put = [&](int code) {
        bits |= static_cast<std::uint32_t>(code) << pending;
        for (pending += width; pending >= 8; pending -= 8, bits >>= 8) {
            codes.append(static_cast<char>(bits & 0xFF));
        }
        width += next >= (1 << width) && width < 12 ? 1 : 0;  // as the decoder's table grows
    };
    const auto restart = [&] {
        put(clear);
        width = minCodeSize + 1;
        next = clear + 2;
        table.clear();
    };
    restart();
    if (!indices.empty()) {
        int current = indices.front();
        for (std::size_t i = 1; i < indices.size(); ++i) {
            const int key = current * 256 + indices[i];
            if (const auto known = table.find(key); known != table.end()) {
                current = known->second;
                continue;
            }
            put(current);
            current = indices[i];
            if (next >= 4095) {
                restart();
            } else if (literal) {
                ++next;  // every pixel its own code; the decoder's table fills all the same
            } else {
                table[key] = next++;
            }
        }
        put(current);
    }
    put(clear + 1);
    codes.append(pending > 0 ? QByteArray(1, static_cast<char>(bits & 0xFF)) : QByteArray());
    QByteArray out(1, static_cast<char>(minCodeSize));
    putSubBlocks(out, codes);
    return out;
}

QByteArray GifFile::encode() const {
    QByteArray out("GIF89a");
    putWord(out, screen.width());
    putWord(out, screen.height());
    const int globalBits = tableBits(palette.size());
    out.append(static_cast<char>(0x80 | (globalBits << 4) | globalBits)).append("\0\0", 2);
    putPalette(out, palette, globalBits);
    if (loopExtension) {
        out.append("\x21\xFF\x0BNETSCAPE2.0\x03\x01\x00\x00\x00", 19);
    }
    if (!comment.isEmpty()) {
        putSubBlocks(out.append("\x21\xFE", 2), comment);
    }
    for (const GifImage& image : images) {
        if (image.withControl) {
            out.append("\x21\xF9\x04", 3);
            out.append(static_cast<char>((image.disposal & 7) << 2 | (image.transparent ? 1 : 0)));
            putWord(out, image.delay);
            out.append(static_cast<char>(image.transparent.value_or(0))).append('\0');
        }
        out.append(',');
        for (const int value :
             {image.offset.x(), image.offset.y(), image.size.width(), image.size.height()}) {
            putWord(out, value);
        }
        const bool local = !image.localPalette.empty();
        const int bits = tableBits(local ? image.localPalette.size() : palette.size());
        out.append(static_cast<char>(local ? 0x80 | bits : 0));
        if (local) {
            putPalette(out, image.localPalette, bits);
        }
        out.append(image.rawData.isEmpty()
                       ? gifImageData(image.indices, std::max(2, bits + 1), literalCodes)
                       : image.rawData);
    }
    return trailer ? out.append(';') : out;
}

GifImage solidImage(QSize size, std::uint8_t index, std::uint16_t delay) {
    GifImage image;
    image.size = size;
    image.indices.assign(static_cast<std::size_t>(size.width()) * size.height(), index);
    image.delay = delay;
    return image;
}

GifFile solidAnimation(QSize screen, const std::vector<QRgb>& colours,
                       const std::vector<std::uint16_t>& delays) {
    GifFile file;
    file.screen = screen;
    file.palette = colours;
    for (std::size_t i = 0; i < delays.size(); ++i) {
        file.images.push_back(
            solidImage(screen, static_cast<std::uint8_t>(i % colours.size()), delays[i]));
    }
    return file;
}

}  // namespace luma::test
