#pragma once

#include <QByteArrayView>
#include <QSize>

#include <cstdint>
#include <vector>

namespace luma {

// An animated GIF cut into single-frame pieces without decoding anything. A frame starts at the
// graphic control extension in force for its image (at the image descriptor when there is none)
// and runs to the first byte of the next frame; the last one runs to the byte before the trailer.
// Frame i's byte stream is the file's bytes before the first frame followed by bytes
// [begin, end) of frame i; a decoder reads its first image as that frame.
struct GifSplit {
    struct Frame {
        qsizetype begin = 0;
        qsizetype end = 0;
        std::uint16_t delay = 0;  // hundredths of a second
    };

    qsizetype prefixLength = 0;  // bytes before the first frame
    QSize screen;                // every frame decodes to the logical screen's size
    std::vector<Frame> frames;   // the frames whose blocks are sound, in file order
    bool complete = false;       // false: the file is no GIF, has no image, or breaks off
};

GifSplit splitGif(QByteArrayView bytes);

}  // namespace luma
