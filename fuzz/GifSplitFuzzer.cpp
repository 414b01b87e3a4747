// Raw file bytes into the GIF block walk and the frame splitter, then the pieces of the first
// frames (and the file as a whole picture) through the display's picture decoding.
#include "FuzzSupport.h"

#include "display/GifSplit.h"
#include "display/GifStructure.h"
#include "display/Picture.h"
#include "display/PictureDecoding.h"
#include "display/SlidePlacement.h"

#include <memory>
#include <optional>

namespace {

using luma::GifSplit;
using luma::GifStructure;

// Frames decoded per input; the split itself covers every frame.
constexpr std::size_t kDecodedFrames = 3;

void checkStructure(const GifStructure& gif, qsizetype size) {
    qsizetype previousEnd = 0;
    for (const GifStructure::Image& image : gif.images) {
        FUZZ_CHECK(image.control < image.descriptor);
        FUZZ_CHECK(image.descriptor >= previousEnd && image.descriptor < image.end);
        FUZZ_CHECK(image.end <= size);
        FUZZ_CHECK(image.size.width() >= 0 && image.size.height() >= 0);
        previousEnd = image.end;
    }
    FUZZ_CHECK(gif.trailer < size);
    FUZZ_CHECK((gif.trailer >= 0) == (gif.ending == GifStructure::Ending::Trailer));
    if (gif.trailer >= 0) {
        FUZZ_CHECK(gif.trailer >= previousEnd);
    }
}

void checkSplit(const GifSplit& split, const GifStructure& gif, qsizetype size) {
    FUZZ_CHECK(split.frames.size() == gif.images.size());
    FUZZ_CHECK(!split.complete || !split.frames.empty());
    FUZZ_CHECK(split.prefixLength >= 0 && split.prefixLength <= size);
    qsizetype previousBegin = split.prefixLength;
    for (const GifSplit::Frame& frame : split.frames) {
        FUZZ_CHECK(frame.begin >= previousBegin);
        FUZZ_CHECK(frame.begin <= frame.end && frame.end <= size);
        previousBegin = frame.begin;
    }
}

// The decoded part never claims more of the surface than shows.
void checkPart(const std::optional<luma::DecodedPart>& part, QRect visible) {
    if (part && !part->image.isNull()) {
        FUZZ_CHECK(QRectF(visible).adjusted(-1e-6, -1e-6, 1e-6, 1e-6).contains(part->area));
    }
}

void decodeWhole(const luma::Picture& picture) {
    const QRect whole(QPoint(0, 0), picture.size());
    checkPart(luma::decodePart(picture, whole, whole), whole);
}

// Where the display paints it on a 640 x 480 window: stretched over the window, at its size, and
// twice its size from a random position (partly off the window).
void decodePlaced(const luma::Picture& picture) {
    const QSize window(640, 480);
    const QRect visible(QPoint(0, 0), window);
    for (const QRect& target :
         {luma::stretchedArea(window), luma::scaledArea(0, 0, picture.size(), 1),
          luma::scaledArea(500, 400, picture.size(), 2)}) {
        checkPart(luma::decodePart(picture, target, visible), visible);
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    luma::fuzz::prepareDecoding();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const luma::fuzz::QuietStderr quiet;
    const auto file = std::make_shared<const QByteArray>(luma::fuzz::bytesOf(data, size));
    const GifStructure gif = luma::walkGif(*file);
    checkStructure(gif, file->size());
    const GifStructure first = luma::walkGif(*file, 1);
    FUZZ_CHECK(first.images.size() <= 1);
    if (!first.images.empty() && !gif.images.empty()) {
        FUZZ_CHECK(first.images.front().end == gif.images.front().end);
    }

    const GifSplit split = luma::splitGif(*file);
    checkSplit(split, gif, file->size());
    if (split.screen.isValid() && !split.screen.isEmpty()) {
        for (std::size_t k = 0; k < split.frames.size() && k < kDecodedFrames; ++k) {
            const GifSplit::Frame& frame = split.frames[k];
            const luma::Picture piece(
                luma::EncodedBytes(file, split.prefixLength, frame.begin, frame.end), split.screen,
                QByteArrayLiteral("gif"));
            FUZZ_CHECK(piece.bytes().size() == split.prefixLength + frame.end - frame.begin);
            decodeWhole(piece);
            decodePlaced(piece);
        }
    }

    if (const auto picture = luma::Picture::fromBytes(*file)) {
        FUZZ_CHECK(picture->size().isValid() && !picture->size().isEmpty());
        decodeWhole(*picture);
        decodePlaced(*picture);
    }
    return 0;
}
