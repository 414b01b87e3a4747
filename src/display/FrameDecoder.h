#pragma once

#include "display/Picture.h"
#include "display/PictureDecoding.h"

#include <QFutureWatcher>
#include <QRect>
#include <QThreadPool>

#include <functional>
#include <optional>

namespace luma {

// An animation frame decoded and brought to the size and pixel format it is painted in, so that
// painting it is a plain copy: scaled as the canvas scales a frame (without smoothing), and kept
// without alpha when it has no transparent pixel. nullopt when it does not decode.
std::optional<DecodedPart> decodeFrame(const Picture& picture, QRect target, QRect visible);

// Decodes animation frames ahead of the ticks that show them, one at a time.
class FrameDecoder {
public:
    using Done = std::function<void(std::optional<DecodedPart>)>;
    virtual ~FrameDecoder() = default;
    // Decodes `picture` painted over `target` within `visible`; `done` runs on the GUI thread with
    // the result (it may run before start() returns). Only when not busy.
    virtual void start(Picture picture, QRect target, QRect visible, Done done) = 0;
    virtual bool busy() const = 0;
};

// Decodes on a worker thread of its own and hands the frame back through the event loop. Going,
// it waits for the frame under way, whose result is then dropped, and joins its thread.
class ThreadedFrameDecoder : public FrameDecoder {
public:
    ThreadedFrameDecoder();
    ~ThreadedFrameDecoder() override;
    void start(Picture picture, QRect target, QRect visible, Done done) override;
    bool busy() const override { return busy_; }

private:
    QThreadPool worker_;
    QFutureWatcher<std::optional<DecodedPart>> watcher_;
    Done done_;
    bool busy_ = false;
};

}  // namespace luma
