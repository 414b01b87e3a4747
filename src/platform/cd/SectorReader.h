#pragma once

#include <cstdint>
#include <functional>
#include <memory>

namespace luma::cd {

// Where CD audio comes from: a disc in a drive or an image file. Used from one thread at a time.
class SectorReader {
public:
    virtual ~SectorReader() = default;
    // Reads `count` raw audio sectors (2352 bytes each: 16-bit little-endian stereo at 44.1 kHz)
    // starting at `sector` into `out`. False when they could not all be read.
    virtual bool readAudio(std::int32_t sector, int count, std::uint8_t* out) = 0;
    // False once the disc has gone for good (its image file deleted); playback then ends.
    virtual bool present() = 0;
};

// Opens a reader on the thread that will use it, so that a slow drive holds up only that thread.
// nullptr when the disc cannot be opened.
using SectorReaderFactory = std::function<std::unique_ptr<SectorReader>()>;

}  // namespace luma::cd
