#include "display/AnimationLoading.h"

#include "display/GifSplit.h"
#include "display/PictureDecoding.h"
#include "display/ShowState.h"
#include "runtime/Numbers.h"

#include <QFileInfo>

#include <memory>

namespace luma {
namespace {

constexpr int kMillisecondsPerDelayUnit = 10;

bool fileExists(const QString& path) {
    const QFileInfo info(path);
    return info.isFile() && !info.isHidden();  // hidden files count as missing
}

}  // namespace

bool hasGifSuffix(const QString& path) {
    const QString ending = path.trimmed().right(3);
    return ending == QLatin1String("gif") || ending == QLatin1String("GIF");
}

void loadAnimation(ShowState& show, const QString& xFile) {
    show.resetAnimation();
    std::vector<FrameHolder>& holders = show.frameHolders;
    holders.front().picture = Picture();
    if (xFile.isEmpty() || !fileExists(xFile)) {
        return;
    }
    show.stopAnimation();
    holders.resize(1);

    auto bytes = readWholeFile(xFile, kMaxPictureFileBytes);
    if (!bytes) {
        return;
    }
    const auto file = std::make_shared<const QByteArray>(std::move(*bytes));
    const GifSplit split = splitGif(*file);
    static const QByteArray kGif("gif");
    for (std::size_t k = 0; k < split.frames.size(); ++k) {
        const GifSplit::Frame& frame = split.frames[k];
        if (k > 0) {
            holders.emplace_back();
        }
        FrameHolder& holder = holders.back();
        holder.tag = QString::number(frame.delay * kMillisecondsPerDelayUnit);
        holder.picture = Picture(EncodedBytes(file, split.prefixLength, frame.begin, frame.end),
                                 split.screen, kGif);
    }
    if (!split.complete || split.frames.empty()) {
        return;
    }
    // currentPicture holds frame 0, so frame 0 must decode; the other frames decode when painted.
    const Picture& first = holders.front().picture;
    const QRect whole(QPoint(0, 0), first.size());
    if (!decodePart(first, whole, whole)) {
        return;
    }

    show.currentFrame = 0;
    show.lastFrame = static_cast<std::int32_t>(holders.size()) - 1;
    if (const auto interval = toInt16(holders.front().tag)) {
        show.animationTimer.setInterval(*interval);
    }
    show.animationTimer.setEnabled(show.lastFrame > 1);
    show.currentPicture = first;
}

}  // namespace luma
