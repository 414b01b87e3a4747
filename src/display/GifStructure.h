#pragma once

#include <QByteArrayView>
#include <QSize>

#include <cstdint>
#include <vector>

namespace luma {

// The block layout of a GIF file, found by walking its blocks: header, logical screen descriptor,
// global colour table, then extensions (each a label and data sub-blocks) and images (descriptor,
// local colour table, LZW data sub-blocks) up to the trailer. Offsets count bytes from 0.
struct GifStructure {
    struct Image {
        qsizetype control = -1;    // the "!" of the graphic control extension in force, or -1
        qsizetype descriptor = 0;  // the "," of the image descriptor
        qsizetype end = 0;         // just past the terminator of the image data
        std::uint16_t delay = 0;   // hundredths of a second; 0 without a control extension
        QSize size;                // as the image descriptor states it
    };
    enum class Ending {
        Trailer,    // the walk reached the trailer ";"
        EndOfData,  // the data ended between two blocks, without a trailer
        Truncated,  // the data ended inside a block
        Malformed,  // a block that cannot be in a GIF (bad signature, unknown introducer, ...)
        Stopped,    // the walk stopped after the number of images it was asked for
    };

    QSize screen;               // the logical screen
    std::vector<Image> images;  // the images whose blocks are complete, in file order
    qsizetype trailer = -1;     // offset of ";" when the walk reached it
    Ending ending = Ending::Malformed;

    // The size of a decoded image: the logical screen, or the first image's size when the
    // screen states none.
    QSize canvasSize() const {
        return screen.isEmpty() && !images.empty() ? images.front().size : screen;
    }

    // True when every block the walk passed was sound.
    bool intact() const {
        return ending == Ending::Trailer || ending == Ending::EndOfData ||
               ending == Ending::Stopped;
    }
};

// Walks `bytes` block by block; stops after `maxImages` complete images when it is not negative.
GifStructure walkGif(QByteArrayView bytes, int maxImages = -1);

}  // namespace luma
