#include "display/GifStructure.h"

namespace luma {
namespace {

constexpr qsizetype kHeaderLength = 6;
constexpr qsizetype kScreenDescriptorLength = 7;
constexpr qsizetype kImageDescriptorLength = 10;  // with its ","
constexpr unsigned char kExtension = 0x21;
constexpr unsigned char kImage = 0x2C;
constexpr unsigned char kTrailer = 0x3B;
constexpr unsigned char kControlLabel = 0xF9;
constexpr int kControlDataLength = 4;
constexpr int kMaxLzwCodeSize = 11;

class Reader {
public:
    explicit Reader(QByteArrayView bytes) : bytes_(bytes) {}

    qsizetype at() const { return at_; }
    bool atEnd() const { return at_ >= bytes_.size(); }
    bool has(qsizetype n) const { return n >= 0 && bytes_.size() - at_ >= n; }
    unsigned char byte(qsizetype offset) const {
        return static_cast<unsigned char>(bytes_[at_ + offset]);
    }
    int word(qsizetype offset) const { return byte(offset) | byte(offset + 1) << 8; }
    void skip(qsizetype n) { at_ += n; }

    // Skips data sub-blocks up to and including their zero terminator. False when the data ends
    // first.
    bool skipSubBlocks() {
        while (has(1)) {
            const int length = byte(0);
            if (!has(1 + length)) {
                return false;
            }
            skip(1 + length);
            if (length == 0) {
                return true;
            }
        }
        return false;
    }

private:
    QByteArrayView bytes_;
    qsizetype at_ = 0;
};

// Length of the colour table that the packed field announces (0 when there is none).
qsizetype colourTableLength(unsigned char packed) {
    return (packed & 0x80) != 0 ? 3 * (qsizetype{2} << (packed & 0x07)) : 0;
}

}  // namespace

GifStructure walkGif(QByteArrayView bytes, int maxImages) {
    GifStructure gif;
    Reader in(bytes);
    if (!in.has(kHeaderLength + kScreenDescriptorLength)) {
        gif.ending = GifStructure::Ending::Truncated;
        return gif;
    }
    const QByteArrayView signature = bytes.first(kHeaderLength);
    if (signature != QByteArrayView("GIF87a") && signature != QByteArrayView("GIF89a")) {
        return gif;  // Malformed
    }
    in.skip(kHeaderLength);
    gif.screen = QSize(in.word(0), in.word(2));
    const qsizetype globalTable = colourTableLength(in.byte(4));
    in.skip(kScreenDescriptorLength);
    if (!in.has(globalTable)) {
        gif.ending = GifStructure::Ending::Truncated;
        return gif;
    }
    in.skip(globalTable);

    qsizetype control = -1;
    std::uint16_t delay = 0;
    while (true) {
        if (maxImages >= 0 && static_cast<int>(gif.images.size()) >= maxImages) {
            gif.ending = GifStructure::Ending::Stopped;
            return gif;
        }
        if (in.atEnd()) {
            gif.ending = GifStructure::Ending::EndOfData;
            return gif;
        }
        const qsizetype start = in.at();
        const unsigned char introducer = in.byte(0);
        if (introducer == kTrailer) {
            gif.trailer = start;
            gif.ending = GifStructure::Ending::Trailer;
            return gif;
        }
        if (introducer == kExtension) {
            if (!in.has(2)) {
                gif.ending = GifStructure::Ending::Truncated;
                return gif;
            }
            const bool isControl = in.byte(1) == kControlLabel;
            in.skip(2);
            if (isControl) {
                // The first sub-block holds packed fields, the delay and the transparent index.
                if (!in.has(1 + kControlDataLength)) {
                    gif.ending = GifStructure::Ending::Truncated;
                    return gif;
                }
                if (in.byte(0) < kControlDataLength) {
                    return gif;  // Malformed: no room for the delay
                }
                control = start;
                delay = static_cast<std::uint16_t>(in.word(2));
            }
            if (!in.skipSubBlocks()) {
                gif.ending = GifStructure::Ending::Truncated;
                return gif;
            }
            continue;
        }
        if (introducer != kImage) {
            return gif;  // Malformed
        }
        if (!in.has(kImageDescriptorLength)) {
            gif.ending = GifStructure::Ending::Truncated;
            return gif;
        }
        const QSize size(in.word(5), in.word(7));
        const qsizetype localTable = colourTableLength(in.byte(9));
        in.skip(kImageDescriptorLength);
        if (!in.has(localTable + 1)) {
            gif.ending = GifStructure::Ending::Truncated;
            return gif;
        }
        in.skip(localTable);
        const int codeSize = in.byte(0);
        if (codeSize < 1 || codeSize > kMaxLzwCodeSize) {
            return gif;  // Malformed
        }
        in.skip(1);
        if (!in.skipSubBlocks()) {
            gif.ending = GifStructure::Ending::Truncated;
            return gif;
        }
        gif.images.push_back(
            {control, start, in.at(), control >= 0 ? delay : std::uint16_t{0}, size});
        control = -1;
        delay = 0;
    }
}

}  // namespace luma
