#include "support/GifWriter.h"

#include <algorithm>

namespace luma::test {
namespace {

constexpr int kMaxCode = 4095;

void putWord(QByteArray& out, int value) {
    out.append(static_cast<char>(value & 0xFF));
    out.append(static_cast<char>((value >> 8) & 0xFF));
}

// Bits of a colour table holding `count` entries, as the packed fields state it (size = 2^(n+1)).
int tableBits(std::size_t count) {
    int n = 0;
    while ((std::size_t{2} << n) < count && n < 7) {
        ++n;
    }
    return n;
}

void putPalette(QByteArray& out, const std::vector<QRgb>& palette, int bits) {
    const std::size_t entries = std::size_t{2} << bits;
    for (std::size_t i = 0; i < entries; ++i) {
        const QRgb c = i < palette.size() ? palette[i] : qRgb(0, 0, 0);
        out.append(static_cast<char>(qRed(c)));
        out.append(static_cast<char>(qGreen(c)));
        out.append(static_cast<char>(qBlue(c)));
    }
}

void putSubBlocks(QByteArray& out, const QByteArray& data) {
    for (qsizetype at = 0; at < data.size(); at += 255) {
        const qsizetype n = std::min<qsizetype>(255, data.size() - at);
        out.append(static_cast<char>(n));
        out.append(data.mid(at, n));
    }
    out.append('\0');
}

class CodeWriter {
public:
    explicit CodeWriter(int minCodeSize)
        : minCodeSize_(minCodeSize), clear_(1 << minCodeSize), end_(clear_ + 1) {
        reset();
    }

    void reset() {
        running_ = end_ + 1;
        bits_ = minCodeSize_ + 1;
        limit_ = 1 << bits_;
    }

    // Writes `code` at the current width; widens afterwards when the decoder's table will have
    // reached the width's limit.
    void put(int code) {
        accumulator_ |= static_cast<std::uint32_t>(code) << pending_;
        pending_ += bits_;
        while (pending_ >= 8) {
            bytes_.append(static_cast<char>(accumulator_ & 0xFF));
            accumulator_ >>= 8;
            pending_ -= 8;
        }
        if (running_ >= limit_ && code <= kMaxCode && bits_ < 12) {
            limit_ = 1 << ++bits_;
        }
    }

    void clear() {
        put(clear_);
        reset();
    }

    // Takes the next table entry; false (after a clear code) when the table is full.
    bool take() {
        if (running_ >= kMaxCode) {
            clear();
            return false;
        }
        ++running_;
        return true;
    }

    int running() const { return running_; }

    QByteArray finish() {
        put(end_);
        if (pending_ > 0) {
            bytes_.append(static_cast<char>(accumulator_ & 0xFF));
        }
        return bytes_;
    }

private:
    int minCodeSize_;
    int clear_;
    int end_;
    int running_ = 0;
    int bits_ = 0;
    int limit_ = 0;
    std::uint32_t accumulator_ = 0;
    int pending_ = 0;
    QByteArray bytes_;
};

}  // namespace

QByteArray gifImageData(const std::vector<std::uint8_t>& indices, int minCodeSize, bool literal) {
    QByteArray out;
    out.append(static_cast<char>(minCodeSize));
    CodeWriter writer(minCodeSize);
    writer.clear();
    if (!indices.empty()) {
        // Table of (prefix code, next index) -> code; a generation stamp clears it cheaply.
        std::vector<std::uint16_t> table;
        std::vector<std::uint32_t> stamp;
        std::uint32_t generation = 1;
        if (!literal) {
            table.assign(std::size_t{4096} * 256, 0);
            stamp.assign(std::size_t{4096} * 256, 0);
        }
        int current = indices.front();
        for (std::size_t i = 1; i < indices.size(); ++i) {
            const int pixel = indices[i];
            const std::size_t key = static_cast<std::size_t>(current) * 256 + pixel;
            if (!literal && stamp[key] == generation) {
                current = table[key];
                continue;
            }
            writer.put(current);
            current = pixel;
            const int code = writer.running();
            if (!writer.take()) {
                ++generation;
            } else if (!literal) {
                table[key] = static_cast<std::uint16_t>(code);
                stamp[key] = generation;
            }
        }
        writer.put(current);
    }
    putSubBlocks(out, writer.finish());
    return out;
}

QByteArray GifFile::encode() const {
    QByteArray out("GIF89a");
    putWord(out, screen.width());
    putWord(out, screen.height());
    const int globalBits = tableBits(palette.size());
    out.append(static_cast<char>(0x80 | (globalBits << 4) | globalBits));
    out.append('\0');  // background colour index
    out.append('\0');  // aspect ratio
    putPalette(out, palette, globalBits);
    if (loopExtension) {
        out.append("\x21\xFF\x0B", 3);
        out.append("NETSCAPE2.0");
        out.append("\x03\x01\x00\x00\x00", 5);
    }
    if (!comment.isEmpty()) {
        out.append("\x21\xFE", 2);
        putSubBlocks(out, comment);
    }
    for (const GifImage& image : images) {
        if (image.withControl) {
            out.append("\x21\xF9\x04", 3);
            const int packed = (image.disposal & 7) << 2 | (image.transparent ? 1 : 0);
            out.append(static_cast<char>(packed));
            putWord(out, image.delay);
            out.append(static_cast<char>(image.transparent.value_or(0)));
            out.append('\0');
        }
        out.append(',');
        putWord(out, image.offset.x());
        putWord(out, image.offset.y());
        putWord(out, image.size.width());
        putWord(out, image.size.height());
        const std::vector<QRgb>& colours =
            image.localPalette.empty() ? palette : image.localPalette;
        const int bits = tableBits(colours.size());
        if (image.localPalette.empty()) {
            out.append('\0');
        } else {
            out.append(static_cast<char>(0x80 | bits));
            putPalette(out, image.localPalette, bits);
        }
        out.append(image.rawData.isEmpty()
                       ? gifImageData(image.indices, std::max(2, bits + 1), literalCodes)
                       : image.rawData);
    }
    if (trailer) {
        out.append(';');
    }
    return out;
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
