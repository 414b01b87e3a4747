#include "display/GifSplit.h"

#include "display/GifStructure.h"

namespace luma {
namespace {

constexpr char kExtension = 0x21;

qsizetype frameStart(const GifStructure::Image& image) {
    return image.control >= 0 ? image.control : image.descriptor;
}

}  // namespace

GifSplit splitGif(QByteArrayView bytes) {
    const GifStructure gif = walkGif(bytes);
    GifSplit split;
    split.screen = gif.canvasSize();
    if (gif.images.empty()) {
        return split;
    }
    split.prefixLength = frameStart(gif.images.front());
    for (std::size_t i = 0; i < gif.images.size(); ++i) {
        const GifStructure::Image& image = gif.images[i];
        GifSplit::Frame frame{frameStart(image), 0, image.delay};
        if (i + 1 < gif.images.size()) {
            // Up to and including the "!" that opens the next frame's control extension, as the
            // frame pieces have always been cut.
            const qsizetype next = frameStart(gif.images[i + 1]);
            frame.end = bytes[next] == kExtension ? next + 1 : next;
        } else if (gif.trailer >= 0) {
            frame.end = gif.trailer - 1;  // without the last terminator and the trailer
        } else {
            frame.end = gif.intact() ? bytes.size() : image.end;
        }
        split.frames.push_back(frame);
    }
    split.complete = gif.intact();
    return split;
}

}  // namespace luma
